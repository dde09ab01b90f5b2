#pragma once

#include <QMainWindow>

class QLabel;
class QTableView;
class TJ_dm1;
class QueryTableModel;

// The main window: for now the working year's achievement list in a plain grid, with the working
// year and the row count in the status bar.
class TJ_MainAForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TJ_MainAForm(TJ_dm1 *dm, QWidget *parent = nullptr);

private:
    void updateStatus();

    TJ_dm1 *m_dm;
    QueryTableModel *m_model;
    QTableView *m_grid;
    QLabel *m_year;
    QLabel *m_count;
};
