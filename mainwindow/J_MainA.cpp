#include "J_MainA.h"

#include "QueryTableModel.h"
#include "app/J_dmA.h"

#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>

TJ_MainAForm::TJ_MainAForm(TJ_dm1 *dm, QWidget *parent)
    : QMainWindow(parent), m_dm(dm), m_model(new QueryTableModel(dm->aq1, this)), m_grid(new QTableView(this)),
      m_year(new QLabel(this)), m_count(new QLabel(this))
{
    setWindowTitle(dm->applicationTitle());
    resize(1100, 680);
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(24);
    setCentralWidget(m_grid);
    statusBar()->addWidget(new QLabel(QStringLiteral("工作年度"), this));
    statusBar()->addWidget(m_year);
    statusBar()->addWidget(new QLabel(QStringLiteral("总记录数"), this));
    statusBar()->addWidget(m_count);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TJ_MainAForm::updateStatus);
    updateStatus();
}

void TJ_MainAForm::updateStatus()
{
    const int id = m_dm->aq1->fieldIndex(QStringLiteral("ID"));
    if (id >= 0)
        m_grid->setColumnHidden(id, true);
    m_year->setText(m_dm->WorkingYear());
    m_count->setText(QString::number(m_dm->aq1->recordCount()));
}
