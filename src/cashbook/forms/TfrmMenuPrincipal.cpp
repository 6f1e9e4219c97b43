#include "cashbook/forms/TfrmMenuPrincipal.h"

#include "app/forms/DBNavigator.h"
#include "cashbook/CashTotals.h"
#include "cashbook/DatePicker.h"
#include "cashbook/forms/DataGrid.h"
#include "cashbook/forms/FieldLookup.h"
#include "cashbook/forms/TfrmDataMovimento.h"
#include "cashbook/forms/TfrmPeriodoImpressao.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/Session.h"
#include "data/forms/FieldBinder.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "data/store/Table.h"
#include "reports/engine/forms/Printing.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace cashbook {

namespace {

enum Page { GroupsPage, AccountsPage, MovementsPage, BanksPage };

const QString kGroupOrder = QStringLiteral("Tipo_Grupo;CodGrupo_Grupo");

// Narrow screens get the short window; the others all of their height but a strip.
int windowHeight(const QSize &screen)
{
    return screen.width() < 1024 ? 534 : screen.height() - 100;
}

data::Database cashDatabase()
{
    return data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
}

// The first day of this month to today: where a report's period starts when nothing else says.
Period thisMonthSoFar()
{
    const QDate today = core::today();
    return {QDate(today.year(), today.month(), 1), today};
}

void paint(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QLabel *named(QLabel *label, const char *objectName)
{
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

// The hourglass while a report is read and laid out.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TfrmMenuPrincipal::TfrmMenuPrincipal(data::TdmTarnel &cashBook, QWidget *parent)
    : QDialog(parent), m_cashBook(cashBook)
{
    setObjectName(QStringLiteral("frmMenuPrincipal"));
    setWindowTitle(QStringLiteral("Fluxo de Caixa"));
    const QScreen *screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    setGeometry(70, 48, 734, windowHeight(screen ? screen->geometry().size() : QSize(800, 600)));

    openTables();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(buildGroupsPage(), QStringLiteral("&Grupos de Contas"));
    m_pages->addTab(buildAccountsPage(), QStringLiteral("&Contas"));
    m_pages->addTab(buildMovementsPage(), QStringLiteral("&Fluxo de Caixa"));
    m_pages->addTab(buildBanksPage(), QStringLiteral("&Bancos"));

    m_print = new QPushButton(QStringLiteral("&Imprimir"), this);
    m_print->setObjectName(QStringLiteral("cmdImprimir"));
    m_supervisorOnly.append(m_print);
    auto *close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName(QStringLiteral("cmdFechar"));
    close->setAutoDefault(false);
    m_print->setAutoDefault(false);
    connect(m_print, &QPushButton::clicked, this, &TfrmMenuPrincipal::printCurrentPage);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_printMenu = new QMenu(this);
    m_printMenu->setObjectName(QStringLiteral("pmImprimir"));
    const struct
    {
        const char *objectName;
        const char *text;
        CashReport report;
    } entries[] = {
        {"mnuMovimentoFinanceiro", "Movimento Financeiro", CashReport::Movimento},
        {"mnuPagamentosRecebimentos", "Relação de Pagamentos e Recebimentos", CashReport::ReceitaDespesa},
        {"mnuFluxoCaixa", "Fluxo de Caixa", CashReport::Fluxo},
    };
    for (const auto &entry : entries) {
        QAction *action = m_printMenu->addAction(QString::fromUtf8(entry.text));
        action->setObjectName(QString::fromLatin1(entry.objectName));
        const CashReport report = entry.report;
        connect(action, &QAction::triggered, this, [this, report] { printWithPeriod(report); });
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmMenuPrincipal::pageChanged);
    // The accounts page once, then the groups of revenue.
    m_pages->setCurrentIndex(AccountsPage);
    m_groupKind->button(0)->setChecked(true);
    m_pages->setCurrentIndex(GroupsPage);
}

TfrmMenuPrincipal::~TfrmMenuPrincipal()
{
    closeTables();
}

void TfrmMenuPrincipal::openTables()
{
    m_cashBook.taGrupoConta().open();
    m_cashBook.taConta().open();
    m_cashBook.qryContas().open();
    m_cashBook.taMovFin().open();
    m_cashBook.taBancos().open();
}

// Whatever was typed and not yet saved is saved first (a refused save, or a box that does not
// hold a value, shows its message and the row is dropped); the filters and the group order go
// back to normal.
void TfrmMenuPrincipal::closeTables()
{
    if (m_closed)
        return;
    m_closed = true;
    // A box holding something that is not a value: the row is not saved half right.
    if (!commitTypedValues())
        m_cashBook.taMovFin().cancel();
    for (data::Dataset *dataset : m_cashBook.datasets()) {
        try {
            if (dataset->isOpen())
                dataset->checkBrowseMode();
        } catch (const data::StoreError &error) {
            dataset->cancel();
            core::showError(error.message());
        } catch (const data::Abort &) {
        }
    }
    m_cashBook.taGrupoConta().setFiltered(false);
    m_cashBook.taConta().setFiltered(false);
    m_cashBook.taGrupoConta().setIndexFields(kGroupOrder);
    m_cashBook.closeTables();
}

void TfrmMenuPrincipal::done(int result)
{
    closeTables();
    QDialog::done(result);
}

QButtonGroup *TfrmMenuPrincipal::kindChoice(QWidget *page, const char *objectName, QWidget **box)
{
    auto *group = new QGroupBox(QStringLiteral("Visualizar Contas de "), page);
    group->setObjectName(QString::fromLatin1(objectName));
    auto *buttons = new QButtonGroup(group);
    auto *row = new QHBoxLayout(group);
    const QStringList kinds{QStringLiteral("Receita"), QStringLiteral("Despesa")};
    for (int i = 0; i < kinds.size(); ++i) {
        auto *radio = new QRadioButton(kinds[i], group);
        radio->setObjectName(QString::fromLatin1(objectName) + QString::number(i));
        buttons->addButton(radio, i);
        row->addWidget(radio);
    }
    row->addStretch();
    *box = group;
    return buttons;
}

app::DBNavigator *TfrmMenuPrincipal::navigator(QWidget *page, data::Dataset &dataset, bool insertFresh)
{
    auto *bar = new app::DBNavigator(&dataset, page);
    bar->showEditButtons();
    if (insertFresh) {
        // A pending new row is dropped, not saved, before the next one starts.
        bar->setInsertAction([&dataset] {
            if (dataset.state() == data::DatasetState::Insert)
                dataset.cancel();
            dataset.append();
        });
    }
    return bar;
}

QWidget *TfrmMenuPrincipal::buildGroupsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsGrupos"));
    QWidget *kindBox = nullptr;
    m_groupKind = kindChoice(page, "rgTipoGrupo", &kindBox);
    connect(m_groupKind, &QButtonGroup::idClicked, this, &TfrmMenuPrincipal::groupKindChosen);

    auto *grid = new DataGrid(&m_cashBook.taGrupoConta(),
                              {{QStringLiteral("cTipo_Grupo"), QStringLiteral("Tipo"), true},
                               {QStringLiteral("CodGrupo_Grupo"), QStringLiteral("Código"), true},
                               {QStringLiteral("Descricao_Grupo"), QStringLiteral("Descrição do Grupo")}},
                              page);
    grid->setObjectName(QStringLiteral("gridGrupos"));
    grid->setColumnWidth(0, 90);
    grid->setColumnWidth(1, 70);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(kindBox);
    layout->addWidget(grid, 1);
    layout->addWidget(navigator(page, m_cashBook.taGrupoConta(), true));
    return page;
}

QWidget *TfrmMenuPrincipal::buildAccountsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsContas"));
    QWidget *kindBox = nullptr;
    m_accountKind = kindChoice(page, "rgTipoConta", &kindBox);
    connect(m_accountKind, &QButtonGroup::idClicked, this, &TfrmMenuPrincipal::accountKindChosen);

    auto *groups = new DataGrid(&m_cashBook.taGrupoConta(),
                                {{QStringLiteral("Descricao_Grupo"), QStringLiteral("Grupos"), true}}, page);
    groups->setObjectName(QStringLiteral("lstGrupos"));
    groups->setBrowseOnly();
    groups->setMaximumWidth(200);

    auto *accounts = new DataGrid(&m_cashBook.taConta(),
                                  {{QStringLiteral("CodGrupo_Grupo"), QStringLiteral("Grupo"), true},
                                   {QStringLiteral("CodConta_Conta"), QStringLiteral("Conta"), true},
                                   {QStringLiteral("Descricao_Conta"), QStringLiteral("Descrição da Conta")},
                                   {QStringLiteral("Meta_Conta"), QStringLiteral("Meta")},
                                   {QStringLiteral("DATA_VENC"), QStringLiteral("Venc.")}},
                                  page);
    accounts->setObjectName(QStringLiteral("gridContas"));
    accounts->setColumnWidth(0, 46);
    accounts->setColumnWidth(1, 46);
    accounts->setColumnWidth(2, 190);
    accounts->setColumnWidth(3, 80);

    auto *right = new QVBoxLayout;
    right->addWidget(accounts, 1);
    right->addWidget(navigator(page, m_cashBook.taConta(), false));
    auto *columns = new QHBoxLayout;
    columns->addWidget(groups);
    columns->addLayout(right, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(kindBox);
    layout->addLayout(columns, 1);
    return page;
}

QWidget *TfrmMenuPrincipal::buildMovementsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsFluxo"));
    data::Table &movements = m_cashBook.taMovFin();

    auto *accountsBox = new QGroupBox(QStringLiteral("Indicação de Receita/Despesa efetuada "), page);
    accountsBox->setObjectName(QStringLiteral("Panel1"));
    auto *accounts = new DataGrid(&m_cashBook.qryContas(),
                                  {{QStringLiteral("DESCRICAO_CONTA"), QStringLiteral("Conta")},
                                   {QStringLiteral("DESCRICAO_GRUPO"), QStringLiteral("Grupo")}},
                                  accountsBox);
    accounts->setObjectName(QStringLiteral("gridContasMov"));
    accounts->setBrowseOnly();
    accounts->setColumnWidth(0, 300);
    // Choosing another account saves the movement being typed, so it must read right first.
    accounts->setBeforeMove([this] { return commitTypedValues(); });
    (new QVBoxLayout(accountsBox))->addWidget(accounts);

    m_entryBoxes = new data::FieldBinder(&movements, this);
    auto box = [this, page](const char *field, bool upper) {
        auto *edit = new QLineEdit(page);
        edit->setObjectName(QStringLiteral("txt") + QString::fromLatin1(field));
        m_entryBoxes->bind(edit, QString::fromLatin1(field),
                           upper ? data::FieldBinder::UpperCase : data::FieldBinder::NoOption);
        return edit;
    };
    m_dateBox = box("Data_MovFin", false);
    m_dateBox->setMaxLength(10);
    auto *calendar = new QPushButton(QStringLiteral("..."), page);
    calendar->setObjectName(QStringLiteral("cmdCalendario"));
    calendar->setAutoDefault(false);
    calendar->setFixedWidth(30);
    calendar->setEnabled(!movements.isReadOnly());
    connect(calendar, &QPushButton::clicked, this, &TfrmMenuPrincipal::pickDate);
    QLineEdit *cheque = box("Cheque_MovFin", true);
    cheque->setMaxLength(6);
    QLineEdit *value = box("Valor_MovFin", false);
    value->setAlignment(Qt::AlignRight);
    QLineEdit *description = box("Descricao_MovFin", true);
    description->setMaxLength(70);
    auto *bank = new FieldLookup(&movements, QStringLiteral("CodBanco_MovFin"), &m_cashBook.taBancos(),
                                 QStringLiteral("CodBanco_Bancos"), QStringLiteral("Descricao_Bancos"), page);

    auto *entry = new QGridLayout;
    auto *dateRow = new QHBoxLayout;
    dateRow->setSpacing(2);
    dateRow->addWidget(m_dateBox);
    dateRow->addWidget(calendar);
    entry->addWidget(new QLabel(QStringLiteral("Data"), page), 0, 0);
    entry->addLayout(dateRow, 1, 0);
    entry->addWidget(new QLabel(QStringLiteral("Cheque"), page), 0, 1);
    entry->addWidget(cheque, 1, 1);
    entry->addWidget(new QLabel(QStringLiteral("Valor"), page), 0, 2);
    entry->addWidget(value, 1, 2);
    entry->addWidget(new QLabel(QStringLiteral("Banco"), page), 0, 3);
    entry->addWidget(bank, 1, 3);
    entry->addWidget(new QLabel(QStringLiteral("Descrição/Favorecido"), page), 2, 0, 1, 4);
    entry->addWidget(description, 3, 0, 1, 4);
    entry->setColumnStretch(3, 1);

    auto *period = new QGroupBox(page);
    period->setObjectName(QStringLiteral("gbPeriodo"));
    m_periodBox = new QCheckBox(QStringLiteral("Lançados entre"), period);
    m_periodBox->setObjectName(QStringLiteral("chkPeriodo"));
    const Period start = thisMonthSoFar();
    m_from = new QDateEdit(start.from, period);
    m_from->setObjectName(QStringLiteral("txtDataIni"));
    m_to = new QDateEdit(start.to, period);
    m_to->setObjectName(QStringLiteral("txtDataFim"));
    for (QDateEdit *date : {m_from, m_to}) {
        date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        date->setCalendarPopup(true);
        // A new date unticks the box (which filters again); unticked, the filter is re-read.
        connect(date, &QDateEdit::dateChanged, this, [this] {
            if (m_periodBox->isChecked())
                m_periodBox->setChecked(false);
            else
                applyPeriod();
        });
    }
    connect(m_periodBox, &QCheckBox::toggled, this, &TfrmMenuPrincipal::applyPeriod);
    auto *periodRow = new QHBoxLayout(period);
    periodRow->addWidget(m_periodBox);
    periodRow->addWidget(m_from);
    periodRow->addWidget(new QLabel(QStringLiteral("e"), period));
    periodRow->addWidget(m_to);
    periodRow->addStretch();

    auto *grid = new DataGrid(&movements,
                              {{QStringLiteral("Data_MovFin"), QStringLiteral("Data")},
                               {QStringLiteral("Cheque_MovFin"), QStringLiteral("Cheque")},
                               {QStringLiteral("Valor_MovFin"), QStringLiteral("Valor")},
                               {QStringLiteral("Descricao_MovFin"), QStringLiteral("Descrição/Favorecido")}},
                              page);
    grid->setObjectName(QStringLiteral("gridMovimento"));
    grid->setBrowseOnly();
    grid->setColumnWidth(0, 85);
    grid->setColumnWidth(1, 70);
    grid->setColumnWidth(2, 95);

    app::DBNavigator *bar = navigator(page, movements, false);
    bar->setBeforeAction([this] {
        if (!commitTypedValues())
            throw data::Abort();
    });

    // The totals follow the chosen account and every saved or removed movement.
    connect(&m_cashBook.qryContas(), &data::Dataset::currentChanged, this, &TfrmMenuPrincipal::refreshTotals);
    connect(&m_cashBook.qryContas(), &data::Dataset::reset, this, &TfrmMenuPrincipal::refreshTotals);
    connect(&movements, &data::Dataset::stateChanged, this, [this, &movements] {
        if (movements.isOpen() && !movements.isEditing())
            refreshTotals();
    });
    connect(&movements, &data::Dataset::rowRemoved, this, &TfrmMenuPrincipal::refreshTotals);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(accountsBox, 2);
    layout->addLayout(entry);
    layout->addWidget(period);
    layout->addWidget(grid, 3);
    layout->addWidget(bar);
    layout->addWidget(buildTotals());
    return page;
}

QWidget *TfrmMenuPrincipal::buildTotals()
{
    auto *totals = new QWidget;
    totals->setObjectName(QStringLiteral("pnTotais"));
    auto *layout = new QGridLayout(totals);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [this, totals, layout](int row, int column, const QString &caption,
                                            const char *objectName, bool supervisorOnly) {
        auto *title = new QLabel(caption, totals);
        auto *value = named(new QLabel(totals), objectName);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setFrameShape(QFrame::StyledPanel);
        value->setMinimumWidth(140);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
        layout->addWidget(title, row, column * 2);
        layout->addWidget(value, row, column * 2 + 1);
        if (supervisorOnly)
            m_supervisorOnly += {title, value};
        return value;
    };
    m_accountTotal = add(0, 0, QStringLiteral("Total da Conta"), "lblTotalConta", false);
    m_balance = add(1, 0, QStringLiteral("Saldo no Período"), "lblSaldo", true);
    m_expenseTotal = add(0, 1, QStringLiteral("Total Geral Despesas"), "lblTotalDespesas", true);
    m_revenueTotal = add(1, 1, QStringLiteral("Total Geral Receitas"), "lblTotalReceitas", true);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(3, 1);
    return totals;
}

QWidget *TfrmMenuPrincipal::buildBanksPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsBancos"));
    auto *grid = new DataGrid(&m_cashBook.taBancos(),
                              {{QStringLiteral("CodBanco_Bancos"), QStringLiteral("Código"), true},
                               {QStringLiteral("Descricao_Bancos"), QStringLiteral("Banco")}},
                              page);
    grid->setObjectName(QStringLiteral("gridBancos"));
    grid->setColumnWidth(0, 70);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(grid, 1);
    layout->addWidget(navigator(page, m_cashBook.taBancos(), true));
    return page;
}

void TfrmMenuPrincipal::applySession(const core::Session &session)
{
    for (QWidget *widget : std::as_const(m_supervisorOnly))
        widget->setVisible(session.supervisor);
}

bool TfrmMenuPrincipal::periodTicked() const
{
    return m_periodBox->isChecked();
}

Period TfrmMenuPrincipal::typedPeriod() const
{
    return {m_from->date(), m_to->date()};
}

Period TfrmMenuPrincipal::totalsPeriod() const
{
    return periodTicked() ? typedPeriod() : wholeBook();
}

void TfrmMenuPrincipal::pageChanged(int page)
{
    data::Table &groups = m_cashBook.taGrupoConta();
    data::Table &accounts = m_cashBook.taConta();
    // A page change never leaves a typed row behind unsaved.
    for (data::Dataset *dataset : {static_cast<data::Dataset *>(&groups), static_cast<data::Dataset *>(&accounts)}) {
        try {
            dataset->checkBrowseMode();
        } catch (const data::StoreError &error) {
            dataset->cancel();
            core::showError(error.message());
        } catch (const data::Abort &) {
        }
    }
    if (m_lastPage == GroupsPage && page != GroupsPage) {
        groups.setIndexFields(kGroupOrder);
        m_accountKind->button(m_groupKind->checkedId() < 0 ? 0 : m_groupKind->checkedId())->setChecked(true);
    }
    m_lastPage = page;
    switch (page) {
    case GroupsPage:
        groups.setIndexFields(QStringLiteral("Descricao_Grupo"));
        groupKindChosen(std::max(0, m_groupKind->checkedId()));
        break;
    case AccountsPage:
        accountKindChosen(std::max(0, m_accountKind->checkedId()));
        break;
    case MovementsPage:
        groups.setFiltered(false);
        accounts.setFiltered(false);
        m_cashBook.qryContas().refresh();
        refreshTotals();
        break;
    default:
        break;
    }
}

void TfrmMenuPrincipal::groupKindChosen(int kind)
{
    m_cashBook.setGroupKind(kind);
    data::Table &groups = m_cashBook.taGrupoConta();
    groups.setFilter(QStringLiteral("tipo_Grupo = '%1'").arg(kind));
    groups.setFiltered(true);
}

void TfrmMenuPrincipal::accountKindChosen(int kind)
{
    data::Table &accounts = m_cashBook.taConta();
    accounts.setFilter(QStringLiteral("codGrupo_Conta = '%1'").arg(kind));
    accounts.setFiltered(true);
    data::Table &groups = m_cashBook.taGrupoConta();
    groups.setFilter(QStringLiteral("tipo_Grupo = '%1'").arg(kind));
    groups.setFiltered(true);
}

void TfrmMenuPrincipal::applyPeriod()
{
    data::Table &movements = m_cashBook.taMovFin();
    try {
        movements.setFilter(movementFilter(typedPeriod()));
        movements.setFiltered(periodTicked());
    } catch (const data::StoreError &error) {
        core::showError(error.message());
    }
    refreshTotals();
}

void TfrmMenuPrincipal::refreshTotals()
{
    if (!m_accountTotal || m_closed)
        return;
    WindowTotals totals;
    try {
        totals = windowTotals(cashDatabase(), currentAccount(m_cashBook.qryContas()), totalsPeriod());
    } catch (const data::StoreError &error) {
        core::showError(error.message());
        return;
    }
    m_accountTotal->setText(currencyText(totals.accountTotal));
    paint(m_accountTotal, totals.account ? accountTotalColor(totals.account->kind) : QColor(Qt::black));
    m_expenseTotal->setText(currencyText(totals.general.expense));
    m_revenueTotal->setText(currencyText(totals.general.revenue));
    m_balance->setText(currencyText(totals.general.balance()));
    paint(m_balance, balanceColor(totals.general.balance()));
}

bool TfrmMenuPrincipal::commitTypedValues()
{
    return !m_entryBoxes || m_entryBoxes->commit();
}

void TfrmMenuPrincipal::pickDate()
{
    data::Table &movements = m_cashBook.taMovFin();
    if (movements.isReadOnly())
        return;
    TfrmDataMovimento picker(pickerStartDate(m_dateBox->text(), core::today()), this);
    if (picker.exec() != QDialog::Accepted)
        return;
    try {
        if (!commitTypedValues() || (!movements.isEditing() && !movements.edit()))
            return;
        movements.setDate("Data_MovFin", picker.date());
    } catch (const data::StoreError &error) {
        core::showError(error.message());
    }
    m_entryBoxes->refresh();
}

void TfrmMenuPrincipal::printCurrentPage()
{
    switch (m_pages->currentIndex()) {
    case GroupsPage:
        showReport(CashReport::Grupos, {});
        break;
    case AccountsPage:
        showReport(CashReport::Contas, {});
        break;
    case MovementsPage:
        m_printMenu->popup(m_print->mapToGlobal(QPoint(80, 20)));
        break;
    default:
        break;
    }
}

void TfrmMenuPrincipal::printWithPeriod(CashReport report)
{
    const std::optional<PeriodMode> mode = periodModeOf(report);
    if (!mode)
        return;
    const Period start =
        report == CashReport::ReceitaDespesa && periodTicked() ? typedPeriod() : thisMonthSoFar();
    TfrmPeriodoImpressao dialog(*mode, start, this);
    if (dialog.exec() == QDialog::Accepted)
        showReport(report, dialog.period());
}

void TfrmMenuPrincipal::showReport(CashReport report, const Period &period)
{
    reports::Document document;
    try {
        const WaitCursor wait;
        document = buildCashReport(report, cashDatabase(),
                                   reports::SchoolInfo::fromSettings(data::settings()), period);
    } catch (const data::StoreError &error) {
        core::showError(error.message());
        return;
    }
    reports::showPreview(document, this);
}

} // namespace cashbook
