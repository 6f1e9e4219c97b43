#include "data/forms/ExternalTablePreview.h"

#include "data/store/Dataset.h"
#include "data/store/DatasetModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

ExternalTablePreview::ExternalTablePreview(QWidget *parent)
    : QWidget(parent), m_hint(new QLabel(this)), m_grid(new QTableView(this))
{
    m_hint->setObjectName(QStringLiteral("lblAviso"));
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->verticalHeader()->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_hint);
    layout->addWidget(m_grid, 1);
}

ExternalTablePreview::~ExternalTablePreview()
{
    clear();
}

void ExternalTablePreview::clear()
{
    detachGrid();
    delete m_model;
    m_model = nullptr;
    m_source.reset();
    m_hint->clear();
}

void ExternalTablePreview::showTable(std::unique_ptr<data::Dataset> source, const QString &hint)
{
    clear();
    m_source = std::move(source);
    m_model = new data::DatasetModel(m_source.get(), this);
    m_grid->setModel(m_model);
    m_hint->setText(hint);
}

void ExternalTablePreview::detachGrid()
{
    m_grid->setModel(nullptr);
}
