#include "students/forms/TfrmTabAuxSubjectsPage.h"

#include "app/forms/DBNavigator.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"
#include "students/forms/ChoiceDelegate.h"
#include "students/forms/DatasetGrid.h"
#include "students/forms/EllipsisDelegate.h"
#include "students/structure/StructureLists.h"

#include <QVBoxLayout>

namespace students {

TfrmTabAuxSubjectsPage::TfrmTabAuxSubjectsPage(data::TDataModule1 &academic, QWidget *parent)
    : QWidget(parent), m_academic(academic)
{
    setObjectName(QStringLiteral("tsDisciplinas"));
    data::Table &catalogue = m_academic.tblDiscpl();
    m_grid = new DatasetGrid(&catalogue,
                             {{QStringLiteral("CODIGO"), QStringLiteral("Código")},
                              {QStringLiteral("DESCRICAO"), QStringLiteral("Descrição")},
                              {QStringLiteral("TIPO"), QStringLiteral("Nota/Conceito")},
                              {QStringLiteral("DESC_RESUMO"), QStringLiteral("Resumo")}},
                             this);
    m_grid->setObjectName(QStringLiteral("grdDisciplinas"));
    m_grid->setItemDelegateForColumn(m_grid->columnOf(QStringLiteral("TIPO")),
                                     new ChoiceDelegate({QStringLiteral("N"), QStringLiteral("C")}, m_grid));
    const int description = m_grid->columnOf(QStringLiteral("DESCRICAO"));
    m_grid->setItemDelegateForColumn(m_grid->columnOf(QStringLiteral("DESC_RESUMO")),
                                     new EllipsisDelegate(
                                         [description](const QModelIndex &cell) {
                                             return shortSubjectName(cell.siblingAtColumn(description).data().toString());
                                         },
                                         m_grid));
    m_grid->setColumnWidth(description, 260);

    auto *navigator = new app::DBNavigator(&catalogue, this);
    navigator->setObjectName(QStringLiteral("navDisciplinas"));
    navigator->setInsertAction([this] {
        m_grid->appendAskingKey(QStringLiteral("Nova Disciplina"), QStringLiteral("Código da disciplina (2 caracteres):"),
                                QStringLiteral("CODIGO"));
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(navigator);
}

void TfrmTabAuxSubjectsPage::enter()
{
    data::Table &catalogue = m_academic.tblDiscpl();
    catalogue.refresh();
    catalogue.last();
}

} // namespace students
