#include "billing/forms/TfrmCCorrent.h"

#include "app/forms/DBNavigator.h"
#include "billing/booklets/forms/TfrmImprim1.h"
#include "billing/slips/forms/OwnModelSlips.h"
#include "billing/forms/TfrmCalcular.h"
#include "billing/forms/TfrmCalcular2.h"
#include "billing/forms/TfrmCalcular_Multa_juros.h"
#include "billing/forms/TfrmTipoCobranca.h"
#include "cashbook/forms/DataGrid.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/Shell.h"
#include "data/modules/ChargeRules.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"
#include "students/StudentSearch.h"
#include "students/structure/ChargeTypeFilter.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// The means-of-payment cell: shown and chosen as its list line, stored as its leading digit.
class PaymentMeansDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant &value, const QLocale &) const override
    {
        const QString code = value.toString();
        for (const QString &line : students::paymentMeansEntries()) {
            if (!code.isEmpty() && line.startsWith(code))
                return line;
        }
        return code;
    }
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *box = new QComboBox(parent);
        box->addItems(students::paymentMeansEntries());
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        static_cast<QComboBox *>(editor)->setCurrentIndex(std::max(0, index.data(Qt::EditRole).toString().toInt()));
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, QString::number(static_cast<QComboBox *>(editor)->currentIndex()), Qt::EditRole);
    }
};

// The "Pago em" cell: typed as a date; the current row's cell carries a button that clears it
// (the charge is open again).
class PaidOnDelegate : public QStyledItemDelegate
{
public:
    PaidOnDelegate(QTableView *grid, std::function<void()> clear)
        : QStyledItemDelegate(grid), m_grid(grid), m_clear(std::move(clear))
    {
        // The button follows the current row, whichever cell of it is current.
        QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid->viewport(),
                         [grid] { grid->viewport()->update(); });
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!isCurrentRow(index))
            return;
        QStyleOptionButton button;
        button.rect = buttonRect(option.rect);
        button.text = QStringLiteral("...");
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        m_grid->style()->drawControl(QStyle::CE_PushButton, &button, painter, m_grid);
    }

    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override
    {
        if (event->type() == QEvent::MouseButtonRelease && isCurrentRow(index)
            && buttonRect(option.rect).contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
            m_clear();
            return true;
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *box = new QLineEdit(parent);
        box->setClearButtonEnabled(true);
        box->setInputMask(QString());
        return box;
    }

private:
    bool isCurrentRow(const QModelIndex &index) const { return index.row() == m_grid->currentIndex().row(); }
    static QRect buttonRect(const QRect &cell)
    {
        const int side = std::min(cell.height(), 20);
        return {cell.right() - side + 1, cell.top(), side, cell.height()};
    }

    QTableView *m_grid;
    std::function<void()> m_clear;
};

QPushButton *commandButton(const char *name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    return button;
}

QList<cashbook::DataGrid::Column> gridColumns()
{
    QList<cashbook::DataGrid::Column> columns;
    for (const billing::ChargeColumn &c : billing::chargeGridColumns())
        columns.append({c.field, c.title, !c.editable});
    return columns;
}

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

TfrmCCorrent::TfrmCCorrent(data::TDataModule1 &module, std::function<void(const QString &)> statusText,
                           QWidget *parent)
    : QDialog(parent), m_module(module), m_charges(&module.tblCCorrent()), m_statusText(std::move(statusText))
{
    setObjectName("TfrmCCorrent");
    setWindowTitle(QStringLiteral("Pagamentos"));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        setGeometry(70, 48, area.width() - 80, area.height() - 100);
    }

    m_charges->setIndexName(QStringLiteral("kTurma"));
    m_charges->open();
    m_charges->first();
    module.tblTabTurma().open();
    module.tblAlunos().open();

    m_generate = commandButton("cmdCobranca", QStringLiteral("&Cobrança"), QStringLiteral("Gerar mensalidade"), this);
    m_print = commandButton("cmdImprimir", QStringLiteral("&Imprimir"), QStringLiteral("Gerar Boleto de Pagamento"), this);
    m_receive = commandButton("cmdReceber", QStringLiteral("&Receber Boleto"), QString(), this);
    m_deleteAll = commandButton("cmdApagar", QStringLiteral("&Apagra Tudo"), QString(), this);
    auto *verify = commandButton("cmdConferir", QStringLiteral("Conferir"), QString(), this);
    auto *exportButton = commandButton("cmdExportar", QStringLiteral("&Exportar"), QStringLiteral("Exportar para Planilha"), this);
    auto *help = commandButton("cmdAjuda", QStringLiteral("?"), QStringLiteral("Ajuda on-line"), this);
    auto *close = commandButton("cmdFechar", QStringLiteral("&Fechar"), QString(), this);

    m_order = new QComboBox(this);
    m_order->setObjectName("cbOrdenar");
    m_order->addItems(billing::chargeOrderEntries());
    m_kind = new QComboBox(this);
    m_kind->setObjectName("cbTipo");
    m_kind->addItems(billing::chargeKindEntries());
    m_view = new QComboBox(this);
    m_view->setObjectName("cbVisualizar");
    m_view->addItems(billing::chargeViewEntries());
    m_date = new QDateEdit(core::today(), this);
    m_date->setObjectName("dtpReferencia");
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setCalendarPopup(true);
    m_date->setEnabled(false);

    auto *top = new QHBoxLayout;
    for (QPushButton *b : {m_generate, m_print, m_receive, m_deleteAll, verify, exportButton})
        top->addWidget(b);
    top->addStretch();
    top->addWidget(help);
    top->addWidget(close);
    // The filters on a line of their own, so the window fits a 1024-pixel screen.
    auto *filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("Ordenar por:"), this));
    filters->addWidget(m_order);
    filters->addSpacing(8);
    filters->addWidget(new QLabel(QStringLiteral("Tipo Cobrança:"), this));
    filters->addWidget(m_kind);
    filters->addSpacing(8);
    filters->addWidget(new QLabel(QStringLiteral("Visualizar:"), this));
    filters->addWidget(m_view);
    filters->addSpacing(8);
    filters->addWidget(new QLabel(QStringLiteral("Data Referência:"), this));
    filters->addWidget(m_date);
    filters->addStretch();

    m_grid = new cashbook::DataGrid(m_charges, gridColumns(), this);
    m_grid->setObjectName("DBGrid1");
    const QList<billing::ChargeColumn> &columns = billing::chargeGridColumns();
    for (int c = 0; c < columns.size(); ++c) {
        if (columns[c].field == u"FORMAPGTO")
            m_grid->setItemDelegateForColumn(c, new PaymentMeansDelegate(m_grid));
        else if (columns[c].field == u"PgtoData")
            m_grid->setItemDelegateForColumn(c, new PaidOnDelegate(m_grid, [this] { clearPaymentDate(); }));
    }
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->resizeColumnsToContents();

    auto *navigator = new app::DBNavigator(m_charges, this);
    navigator->setObjectName("DBNavigator1");
    navigator->setVisibleButtons(app::DBNavigator::MoveButtons | app::DBNavigator::Delete | app::DBNavigator::Edit
                                 | app::DBNavigator::Post | app::DBNavigator::Cancel | app::DBNavigator::Search);
    // The search finds a charge row by part of the student's name or number, as the register does.
    navigator->setAction(app::DBNavigator::Search, [this] {
        const std::optional<QString> typed = core::dialogs().askText(
            QStringLiteral("Localizar"), QStringLiteral("Parte do nome ou da matrícula do aluno:"), QString());
        if (!typed)
            return;
        const int position = students::findStudent(*m_charges, *typed, m_charges->recNo());
        if (position < 0)
            core::inform(QStringLiteral("Nenhum aluno encontrado com \"%1\".").arg(typed->trimmed()));
        else
            m_charges->moveTo(position);
    });

    auto *statusBar = new QStatusBar(this);
    statusBar->setObjectName("StatusBar1");
    statusBar->setSizeGripEnabled(false);
    for (int i = 0; i < 6; ++i) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setFrameShape(QFrame::StyledPanel);
        statusBar->addWidget(panel, 1);
        m_totals << panel;
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(filters);
    layout->addWidget(m_grid, 1);
    layout->addWidget(navigator);
    layout->addWidget(statusBar);

    connect(m_kind, &QComboBox::currentIndexChanged, this, &TfrmCCorrent::cbTipoChange);
    connect(m_view, &QComboBox::currentIndexChanged, this, &TfrmCCorrent::cbVisualizarChange);
    connect(m_order, &QComboBox::currentIndexChanged, this, &TfrmCCorrent::cbOrdenarChange);
    connect(m_date, &QDateEdit::editingFinished, this, [this] {
        if (const auto view = billing::chargeViewOf(m_view->currentText()); view && billing::viewUsesDate(*view))
            cbVisualizarChange();
    });
    connect(m_generate, &QPushButton::clicked, this, &TfrmCCorrent::cmdCobrancaClick);
    connect(m_print, &QPushButton::clicked, this, &TfrmCCorrent::cmdImprimirClick);
    connect(m_receive, &QPushButton::clicked, this, &TfrmCCorrent::cmdReceberClick);
    connect(m_deleteAll, &QPushButton::clicked, this, &TfrmCCorrent::cmdApagarClick);
    connect(verify, &QPushButton::clicked, this, &TfrmCCorrent::cmdConferirClick);
    connect(exportButton, &QPushButton::clicked, this, &TfrmCCorrent::cmdExportarClick);
    connect(help, &QPushButton::clicked, this, &TfrmCCorrent::cmdAjudaClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_order->setCurrentIndex(0);
    m_kind->setCurrentIndex(0);
    m_view->setCurrentIndex(0);
    cbTipoChange();
    applySession();
}

TfrmCCorrent::~TfrmCCorrent()
{
    closeTables();
}

void TfrmCCorrent::clearPaymentDate()
{
    if (m_charges->isEmpty())
        return;
    try {
        if (!m_charges->isEditing())
            m_charges->edit();
        m_charges->setValue("PgtoData", QVariant());
    } catch (const data::StoreError &error) {
        core::showError(error.message());
    }
}

void TfrmCCorrent::applySession()
{
    const core::Session &s = core::session();
    for (QPushButton *b : {m_generate, m_print, m_receive})
        b->setEnabled(s.rights.carnes);
    m_deleteAll->setVisible(s.supervisor);
}

void TfrmCCorrent::showCount()
{
    if (m_statusText)
        m_statusText(billing::recordCountText(m_charges->recordCount()));
}

void TfrmCCorrent::showTotals()
{
    const QStringList texts = billing::totalsPanelTexts(billing::totalsInView(*m_charges));
    for (int i = 0; i < m_totals.size(); ++i)
        m_totals[i]->setText(texts.value(i));
}

void TfrmCCorrent::backToFirstRow()
{
    cbOrdenarChange();
    m_charges->first();
    m_grid->setFocus();
}

void TfrmCCorrent::cbTipoChange()
{
    const WaitCursor wait;
    try {
        billing::applyChargeFilter(*m_charges, billing::kindFilter(m_kind->currentText()));
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
    showCount();
    const QSignalBlocker blocked(m_view);
    m_view->setCurrentIndex(0);
    m_date->setEnabled(false);
    showTotals();
}

void TfrmCCorrent::cbVisualizarChange()
{
    const WaitCursor wait;
    const billing::ChargeView view = billing::chargeViewOf(m_view->currentText()).value_or(billing::ChargeView::Todos);
    if (billing::viewUsesDate(view))
        m_date->setEnabled(true);
    const billing::ChargeFilter filter = billing::viewFilter(m_kind->currentText(), view, m_date->date(),
                                                             core::today(), m_charges->value("Matricula"));
    showCount();
    try {
        billing::applyChargeFilter(*m_charges, filter);
    } catch (const data::StoreError &e) {
        core::showError(billing::viewUsesDate(view) ? filter.expression + QStringLiteral(" - Data inválida!")
                                                     : e.message());
    }
    showCount();
    showTotals();
}

void TfrmCCorrent::cbOrdenarChange()
{
    m_charges->setIndexName(billing::chargeOrderIndex(m_order->currentText()).value_or(QString()));
}

void TfrmCCorrent::cmdCobrancaClick()
{
    const std::optional<TfrmTipoCobranca::Choice> choice = TfrmTipoCobranca::ask(this);
    if (!choice)
        return;
    if (*choice == TfrmTipoCobranca::Choice::Mensalidades) {
        TfrmCalcular generator(*m_charges, this);
        generator.exec();
    } else {
        TfrmCalcular2 generator(*m_charges, this);
        generator.exec();
    }
    backToFirstRow();
    showCount();
    showTotals();
}

void TfrmCCorrent::cmdImprimirClick()
{
    TfrmImprim1 print(m_charges->database(), core::programDirs().program, this);
    // Without the bank's booklet box the dialog hands its choices to the school's own slips.
    print.setOwnModelPrinter(
        [&print](const billing::BoletoChoices &choices) { billing::printOwnModelSlips(&print, choices); });
    print.exec();
    // The booklets and slips stored their numbers through tables of their own.
    m_charges->refresh();
    backToFirstRow();
    showTotals();
}

void TfrmCCorrent::cmdReceberClick()
{
    if (TfrmCalcular_Multa_juros::receive(*m_charges, this))
        showTotals();
    m_grid->setFocus();
}

void TfrmCCorrent::cmdApagarClick()
{
    const core::Message first{billing::kDeleteAllQuestion, QStringLiteral("Atenção!"), core::Icon::Question,
                              core::Button::Yes | core::Button::No};
    if (core::dialogs().show(first) != core::Button::Yes)
        return;
    core::Message last = first;
    last.text = billing::kDeleteAllLastChance;
    if (core::dialogs().show(last) != core::Button::Yes)
        return;
    try {
        billing::deleteAllCharges(m_charges->database());
        m_charges->close();
        m_charges->open();
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
    showCount();
    showTotals();
}

void TfrmCCorrent::cmdConferirClick()
{
    if (core::dialogs().show({billing::kVerifyQuestion, QStringLiteral("Atenção!"), core::Icon::Question,
                              core::Button::Yes | core::Button::No})
        != core::Button::Yes)
        return;
    const WaitCursor wait;
    try {
        billing::verifyCharges(*m_charges);
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
}

void TfrmCCorrent::cmdExportarClick()
{
    const QString path = QDir::current().absoluteFilePath(
        billing::exportFileName(m_kind->currentText(), m_view->currentText()));
    QString error;
    m_charges->disableControls();
    const bool written = core::exportSemicolon(path, billing::exportTable(*m_charges), &error);
    m_charges->enableControls();
    if (!written)
        core::showError(error);
}

void TfrmCCorrent::cmdAjudaClick()
{
    core::shell().open(core::joinPath(core::programDirs().help, QStringLiteral("carnets01.htm")));
}

void TfrmCCorrent::done(int result)
{
    closeTables();
    QDialog::done(result);
}

void TfrmCCorrent::closeTables()
{
    if (m_closed)
        return;
    m_closed = true;
    try {
        if (m_charges->isEditing())
            m_charges->cancel();
        // Only paid rows stay locked to the supervisor once the window is closed.
        data::releaseOpenCharges(m_charges->database());
        m_charges->setFiltered(false);
        m_charges->setFilter(QString());
        m_charges->setIndexName(QString());
        m_charges->close();
        m_module.tblTabTurma().close();
        m_module.tblAlunos().close();
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
    if (m_statusText)
        m_statusText(QString());
}
