#pragma once

#include "Dataset.h"

#include <QObject>

// What a window binds its controls to: a named handle on one of the data module's datasets. Windows
// may detach a data source (point it at nothing) while another window uses the list, and attach it
// again afterwards.
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(Dataset *dataset = nullptr, QObject *parent = nullptr) : QObject(parent) { setDataset(dataset); }

    Dataset *dataset() const { return m_dataset; }
    void setDataset(Dataset *dataset)
    {
        if (m_dataset == dataset)
            return;
        if (m_dataset)
            disconnect(m_dataset, nullptr, this, nullptr);
        m_dataset = dataset;
        if (dataset) {
            connect(dataset, &Dataset::stateChanged, this, &DataSource::stateChanged);
            connect(dataset, &Dataset::currentChanged, this, &DataSource::dataChanged);
            connect(dataset, &Dataset::fieldChanged, this, &DataSource::fieldChanged);
        }
        emit datasetChanged();
        emit dataChanged();
    }

signals:
    void datasetChanged();
    void stateChanged(DatasetState state);
    void dataChanged();
    void fieldChanged(int field);

private:
    Dataset *m_dataset = nullptr;
};
