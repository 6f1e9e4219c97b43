#include "grades/forms/NotasTab.h"

#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/DatasetModel.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"
#include "grades/UnitRecalc.h"
#include "grades/YearRecalc.h"

#include <QBrush>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace grades {

// The rows in recovery drawn red and bold.
class RecoveryRowsModel : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    void show(const data::Dataset *rows, int unit)
    {
        beginResetModel();
        m_rows = rows;
        m_unit = unit;
        endResetModel();
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if ((role == Qt::ForegroundRole || role == Qt::FontRole) && m_rows && inRecovery(index.row())) {
            if (role == Qt::ForegroundRole)
                return QBrush(Qt::red);
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    bool inRecovery(int row) const
    {
        return row < m_rows->recordCount() && isRecoveryRow(*m_rows, row, m_unit, data::settings());
    }

    const data::Dataset *m_rows = nullptr;
    int m_unit = 0;
};

namespace {

QLabel *legend(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: navy;"));
    return label;
}

} // namespace

NotasTab::NotasTab(data::TDataModule1 &academic, QWidget *parent) : QWidget(parent), m_academic(academic)
{
    setObjectName(QStringLiteral("tsNotas"));

    m_classes = new QComboBox(this);
    m_classes->setObjectName(QStringLiteral("cbTurma"));
    m_classes->setMinimumContentsLength(24);
    m_subjects = new QComboBox(this);
    m_subjects->setObjectName(QStringLiteral("cbDisciplina"));
    m_subjects->setMinimumContentsLength(34);

    auto *view = new QGroupBox(QStringLiteral("Visualizar "), this);
    m_yearView = new QRadioButton(QStringLiteral("Quadro Médias por Unidade"), view);
    m_yearView->setObjectName(QStringLiteral("rbMedias"));
    m_yearView->setChecked(true);
    m_unitView = new QRadioButton(QStringLiteral("Quadro Notas por Unidade"), view);
    m_unitView->setObjectName(QStringLiteral("rbNotas"));
    auto *views = new QButtonGroup(view);
    views->addButton(m_yearView);
    views->addButton(m_unitView);
    m_unit = new QComboBox(view);
    m_unit->setObjectName(QStringLiteral("cbUnidade"));
    for (int unit = 1; unit <= 4; ++unit)
        m_unit->addItem(QStringLiteral("%1ª Unidade").arg(unit));
    m_unit->setEnabled(false);
    // The unit goes under its choice, so that the row of choices above the grid fits a screen
    // 1280 pixels wide with the legends beside it.
    auto *viewLayout = new QGridLayout(view);
    viewLayout->addWidget(m_yearView, 0, 0, 1, 2);
    viewLayout->addWidget(m_unitView, 1, 0, 1, 2);
    auto *unitLabel = new QLabel(QStringLiteral("Defina a Unidade "), view);
    unitLabel->setIndent(m_unitView->iconSize().width() + 6);
    viewLayout->addWidget(unitLabel, 2, 0);
    viewLayout->addWidget(m_unit, 2, 1);
    viewLayout->setColumnStretch(2, 1);

    m_recovery = new QCheckBox(QStringLiteral("Alunos p/ Recuperação"), this);
    m_recovery->setObjectName(QStringLiteral("chkRecuperacao"));
    m_byRollNumber = new QCheckBox(QStringLiteral("Ordenar po Nº na Turma"), this);
    m_byRollNumber->setObjectName(QStringLiteral("chkOrdem"));
    m_configure = new QPushButton(QStringLiteral("&Configurar Grade"), this);
    m_configure->setObjectName(QStringLiteral("cmdConfigurar"));
    m_configure->setAutoDefault(false);
    m_configure->setEnabled(false);
    auto *recalc = new QPushButton(QStringLiteral("&Recalcular"), this);
    recalc->setObjectName(QStringLiteral("cmdRecalcular"));
    recalc->setToolTip(QStringLiteral("Recalcula todas as médias da tabela"));
    recalc->setAutoDefault(false);

    m_consolidated = new QLabel(QString::fromUtf8(kConsolidatedWarning), this);
    m_consolidated->setObjectName(QStringLiteral("lblConsolidada"));
    m_consolidated->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    m_consolidated->hide();

    auto *choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("Selecione a Turma "), this), 0, 0);
    choices->addWidget(m_classes, 0, 1);
    choices->addWidget(new QLabel(QStringLiteral("Selecione a Disciplina "), this), 1, 0);
    choices->addWidget(m_subjects, 1, 1);
    choices->addWidget(m_recovery, 2, 0);
    choices->addWidget(m_byRollNumber, 2, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_configure);
    buttons->addWidget(recalc);
    buttons->addStretch();
    auto *legends = new QVBoxLayout;
    for (const char *text : {"Entre 9,0 e 10,0 = Conceito A", "Entre 7,0 e 8,9 = Conceito B", "Entre 0,0 e 6,9 = Conceito C",
                             "Nota maior que 10,0 -> Falta", "Nota igual a 90,0 -> Dispensado"})
        legends->addWidget(legend(QString::fromUtf8(text), this));
    legends->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(choices);
    top->addWidget(view);
    top->addLayout(buttons);
    top->addLayout(legends);
    top->addStretch();

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdNotas"));
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_colours = new RecoveryRowsModel(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_consolidated);
    layout->addWidget(m_grid, 1);

    connect(m_classes, &QComboBox::activated, this, &NotasTab::classChosen);
    connect(m_subjects, &QComboBox::activated, this, [this] { showBoard(true); });
    connect(m_yearView, &QRadioButton::toggled, this, [this] {
        m_unit->setEnabled(m_unitView->isChecked());
        m_configure->setEnabled(m_unitView->isChecked());
        showBoard(true);
    });
    connect(m_unit, &QComboBox::activated, this, [this] { showBoard(true); });
    connect(m_recovery, &QCheckBox::toggled, this, [this] { showBoard(false); });
    connect(m_byRollNumber, &QCheckBox::toggled, this, [this](bool on) {
        setBoardOrder(m_academic, on);
        showBoard(false);
    });
    connect(m_configure, &QPushButton::clicked, this, &NotasTab::cmdConfigurarClick);
    connect(recalc, &QPushButton::clicked, this, &NotasTab::cmdRecalcularClick);
}

NotasTab::~NotasTab()
{
    m_grid->setModel(nullptr);
    closeBoard(m_academic);
}

void NotasTab::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_filled)
        return;
    m_filled = true;
    fillClasses();
}

BoardChoice NotasTab::choice() const
{
    BoardChoice choice;
    choice.turma = codeOfLine(m_classes->currentText());
    choice.disc = codeOfLine(m_subjects->currentText());
    choice.unit = m_unitView->isChecked() ? m_unit->currentIndex() + 1 : 0;
    choice.recovery = m_recovery->isChecked();
    return choice;
}

void NotasTab::fillClasses()
{
    try {
        const data::Database db = data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
        m_classes->clear();
        m_classes->addItems(classLines(db));
    } catch (const data::StoreError &e) {
        core::showError(e.message());
        return;
    }
    classChosen();
}

void NotasTab::classChosen()
{
    m_subjects->clear();
    if (m_classes->currentText().isEmpty())
        return;
    try {
        const data::Database db = data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
        m_subjects->addItems(subjectLines(db, codeOfLine(m_classes->currentText())));
    } catch (const data::StoreError &e) {
        core::showError(e.message());
        return;
    }
    m_subjects->setCurrentIndex(0);
    showBoard(true);
}

void NotasTab::showBoard(bool tellWhenEmpty)
{
    const BoardChoice shown = choice();
    m_consolidated->setVisible(shown.unit > 0 && isConsolidatedLine(m_subjects->currentText()));
    if (shown.turma.isEmpty() || shown.disc.isEmpty())
        return;
    m_grid->setModel(nullptr);
    delete m_model;
    m_model = nullptr;
    try {
        if (m_rows && m_rows->isEditing())
            m_rows->post();
        m_rows = &openBoard(m_academic, shown, m_byRollNumber->isChecked());
    } catch (const data::StoreError &e) {
        core::showError(e.message());
        return;
    }
    const QList<BoardColumn> columns = boardColumns(shown.unit);
    m_model = new data::DatasetModel(m_rows, this);
    QStringList fields;
    for (const BoardColumn &column : columns)
        fields << column.field;
    m_model->setColumns(fields);
    for (int c = 0; c < columns.size(); ++c) {
        m_model->setColumnTitle(c, columns.at(c).title);
        m_model->setColumnReadOnly(c, !columns.at(c).editable);
    }
    m_colours->setSourceModel(m_model);
    m_colours->show(m_rows, shown.unit);
    m_grid->setModel(m_colours);
    connect(m_model, &data::DatasetModel::editFailed, this, [](const QString &message) { core::showError(message); });
    // A saved mark changes the row's averages, and its colour with them.
    connect(m_rows, &data::Dataset::rowChanged, m_model, [this](int row) {
        emit m_colours->dataChanged(m_colours->index(row, 0), m_colours->index(row, m_colours->columnCount() - 1));
    });
    int configurable = 0;
    for (int c = 0; c < columns.size(); ++c) {
        if (columns.at(c).configurable)
            m_grid->setColumnHidden(c, m_hiddenColumns.contains(configurable++));
        else
            m_grid->setColumnHidden(c, false);
    }
    m_grid->resizeColumnsToContents();
    if (tellWhenEmpty && m_rows->isEmpty() && !shown.recovery)
        core::inform(QString::fromUtf8(kNoBoardRowsMessage));
}

void NotasTab::cmdConfigurarClick()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmConfigGrade"));
    dialog.setWindowTitle(QStringLiteral("Configurar Colunas na Grade"));
    auto *layout = new QVBoxLayout(&dialog);
    QList<QCheckBox *> boxes;
    for (const BoardColumn &column : boardColumns(1)) {
        if (!column.configurable)
            continue;
        auto *box = new QCheckBox(column.title, &dialog);
        box->setObjectName(QStringLiteral("chk") + column.field);
        box->setChecked(!m_hiddenColumns.contains(boxes.size()));
        boxes << box;
        layout->addWidget(box);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_hiddenColumns.clear();
    for (int i = 0; i < boxes.size(); ++i)
        if (!boxes.at(i)->isChecked())
            m_hiddenColumns << i;
    showBoard(false);
}

void NotasTab::cmdRecalcularClick()
{
    const BoardChoice shown = choice();
    try {
        if (m_rows && m_rows->isEditing())
            m_rows->post();
        const data::Database db = data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
        core::RunProgressDialog progress(this);
        if (shown.unit == 0)
            recalculateYear(db, progress);
        else
            recalculateUnit(db, shown.unit, progress);
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
    if (m_rows)
        m_rows->refresh();
    showBoard(false);
}

} // namespace grades
