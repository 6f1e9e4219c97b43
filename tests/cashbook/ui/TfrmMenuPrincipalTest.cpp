#include "cashbook/forms/TfrmMenuPrincipal.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/forms/DBNavigator.h"
#include "cashbook/forms/CashBookCommands.h"
#include "cashbook/forms/TfrmExportarTabelas.h"
#include "app/ui/ModalHelper.h"
#include "cashbook/forms/DataGrid.h"
#include "cashbook/forms/PendingRowModel.h"
#include "cashbook/forms/TfrmDataMovimento.h"
#include "cashbook/forms/TfrmPeriodoImpressao.h"
#include "core/Clock.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/store/Database.h"
#include "data/store/Query.h"
#include "data/store/Table.h"
#include "data/users/UserRecord.h"
#include "reports/engine/forms/PreviewWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace cashbook;

namespace {

// Keeps what the cash book plugs into the main window.
class RecordingHost : public app::CommandHost
{
public:
    void setCommand(const QString &, std::function<void()>) override {}
    void setMenuForm(const QString &objectName, app::ModuleLauncher::OpenForm openForm) override
    {
        menuForms.insert(objectName, std::move(openForm));
    }
    void setModuleForm(app::Module module, app::ModuleLauncher::OpenForm openForm) override
    {
        if (module == app::Module::Caixa)
            caixa = std::move(openForm);
    }
    QHash<QString, app::ModuleLauncher::OpenForm> menuForms;
    app::ModuleLauncher::OpenForm caixa;
};

} // namespace

class TfrmMenuPrincipalTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    QString m_location; // the school year: the folder, or a server year

    void logOn(const QStringList &rights)
    {
        data::UserRecord user;
        user.userId = QStringLiteral("TESOURARIA");
        for (const QString &right : rights)
            data::grantRight(user, right);
        data::openSession(*m_academic, *m_cashBook, user, QStringLiteral("2009"), m_location);
    }
    data::Database db() const { return data::Database::named(QStringLiteral("Quorvel")); }
    int count(const QString &sql) const { return db().scalar(sql).toInt(); }
    QString text(const QString &sql) const { return db().scalar(sql).toString(); }

    template <typename T> static T *find(const QWidget &parent, const char *name)
    {
        T *widget = parent.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }
    static QWidget *page(const TfrmMenuPrincipal &form, const char *name) { return find<QWidget>(form, name); }
    static void press(const QWidget &page, const char *button)
    {
        QToolButton *b = find<app::DBNavigator>(page, "DBNavigator1")->findChild<QToolButton *>(QString::fromLatin1(button));
        QVERIFY2(b->isEnabled(), button);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Types into the cell of the row being inserted, as the grid's editor hands it over.
    static void typeInNewRow(const QWidget &page, const char *grid, int column, const QString &value)
    {
        auto *model = find<DataGrid>(page, grid)->gridModel();
        QVERIFY(model->pendingRow() >= 0);
        QVERIFY(model->setData(model->index(model->pendingRow(), column), value));
    }
    static void chooseTab(TfrmMenuPrincipal &form, int index)
    {
        find<QTabWidget>(form, "PageControl1")->setCurrentIndex(index);
    }
    static void selectRow(const QWidget &page, const char *grid, int row)
    {
        auto *view = find<DataGrid>(page, grid);
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    static QColor colour(const QLabel *label) { return label->palette().color(QPalette::WindowText); }

    void addChart()
    {
        db().exec(QStringLiteral("insert into GrupoConta values ('0', 1, 'MENSALIDADES'), ('1', 1, 'PESSOAL')"));
        db().exec(QStringLiteral("insert into Conta (CodGrupo_Conta, CodGrupo_Grupo, CodConta_Conta, Descricao_Conta) "
                                 "values ('0', 1, 1, 'MENSALIDADES ESCOLARES'), ('1', 1, 1, 'SALÁRIOS'), ('1', 1, 2, 'FÉRIAS')"));
        db().exec(QStringLiteral("insert into Bancos values (1, 'BANCO DO BRASIL'), (2, 'CAIXA')"));
    }

private slots:
    void init()
    {
        core::pinClock(QDateTime(QDate(2009, 3, 5), QTime(10, 0)));
        m_dir = std::make_unique<TempDir>();
        m_location = testengine::yearLocation(m_dir->path());
        m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
        m_academic = std::make_unique<data::TDataModule1>();
        m_cashBook = std::make_unique<data::TdmTarnel>();
        logOn({QStringLiteral("Caixa"), QStringLiteral("Supervisor")});
    }
    void cleanup()
    {
        data::closeSession(*m_academic, *m_cashBook);
        m_cashBook.reset();
        m_academic.reset();
        testengine::dropServerYears();
        m_dialogs.reset();
        m_dir.reset();
        core::pinClock({});
    }

    void opensOnRevenueGroupsAndNumbersNewGroupsWithinTheirKind()
    {
        TfrmMenuPrincipal form(*m_cashBook);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Fluxo de Caixa"));
        // The offscreen screen is narrower than 1024 pixels.
        QCOMPARE(form.geometry(), QRect(70, 48, 734, 534));
        QCOMPARE(find<QTabWidget>(form, "PageControl1")->currentIndex(), 0);
        QVERIFY(find<QRadioButton>(form, "rgTipoGrupo0")->isChecked());

        QWidget *groups = page(form, "tsGrupos");
        for (const char *name : {"ZELADORIA", "ANUIDADES"}) {
            press(*groups, "nbInsert");
            typeInNewRow(*groups, "gridGrupos", 2, QString::fromLatin1(name));
            press(*groups, "nbPost");
        }
        QCOMPARE(text("select group_concat(Tipo_Grupo || CodGrupo_Grupo || Descricao_Grupo, ',') from "
                      "(select * from GrupoConta order by Tipo_Grupo, CodGrupo_Grupo)"),
                 QStringLiteral("01ZELADORIA,02ANUIDADES"));
        // While the groups page is up, they are listed by name.
        auto *grid = find<DataGrid>(*groups, "gridGrupos");
        QCOMPARE(grid->model()->index(0, 2).data().toString(), QStringLiteral("ANUIDADES"));

        QTest::mouseClick(find<QRadioButton>(form, "rgTipoGrupo1"), Qt::LeftButton);
        QCOMPARE(grid->model()->rowCount(), 0);
        press(*groups, "nbInsert");
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("1")); // its kind starts at 1
        typeInNewRow(*groups, "gridGrupos", 2, QStringLiteral("PESSOAL"));
        // A second insert drops the first new row unsaved.
        press(*groups, "nbInsert");
        typeInNewRow(*groups, "gridGrupos", 2, QStringLiteral("IMPOSTOS"));
        press(*groups, "nbPost");
        QCOMPARE(text("select Descricao_Grupo || '/' || CodGrupo_Grupo from GrupoConta where Tipo_Grupo = '1'"),
                 QStringLiteral("IMPOSTOS/1"));
        QCOMPARE(grid->model()->rowCount(), 1);

        // Leaving the page hands its kind over to the accounts page.
        chooseTab(form, 1);
        QVERIFY(find<QRadioButton>(form, "rgTipoConta1")->isChecked());
        QCOMPARE(find<DataGrid>(form, "lstGrupos")->model()->rowCount(), 1);
    }

    void accountsTakeTheirGroupAndADueDayFrom0To31()
    {
        addChart();
        TfrmMenuPrincipal form(*m_cashBook);
        form.show();
        chooseTab(form, 1);
        QWidget *accounts = page(form, "tsContas");
        QTest::mouseClick(find<QRadioButton>(form, "rgTipoConta1"), Qt::LeftButton);
        QCOMPARE(find<DataGrid>(*accounts, "lstGrupos")->model()->index(0, 0).data().toString(), QStringLiteral("PESSOAL"));
        QCOMPARE(find<DataGrid>(*accounts, "gridContas")->model()->rowCount(), 2);

        press(*accounts, "nbInsert");
        typeInNewRow(*accounts, "gridContas", 2, QStringLiteral("13º SALÁRIO"));
        typeInNewRow(*accounts, "gridContas", 4, QStringLiteral("32"));
        press(*accounts, "nbPost");
        QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Valor deve estar entre '01' e '31'."));
        QCOMPARE(text("select CodGrupo_Conta || '/' || CodGrupo_Grupo || '/' || CodConta_Conta || '/' || DATA_VENC "
                      "from Conta where Descricao_Conta = '13º SALÁRIO'"),
                 QStringLiteral("1/1/3/1"));
        QCOMPARE(find<DataGrid>(*accounts, "gridContas")->model()->index(2, 4).data().toString(), QStringLiteral("01"));

        (*m_dialogs)->clear();
        press(*accounts, "nbInsert");
        typeInNewRow(*accounts, "gridContas", 2, QStringLiteral("ADIANTAMENTOS"));
        typeInNewRow(*accounts, "gridContas", 4, QStringLiteral("0"));
        press(*accounts, "nbPost");
        QVERIFY((*m_dialogs)->shown().isEmpty());
        QCOMPARE(count(QStringLiteral("select count(*) from Conta where DATA_VENC = 0 and CodConta_Conta = 4")), 1);
    }

    void aMovementIsTypedWithThePickerAndFiledUnderTheChosenAccount()
    {
        addChart();
        db().exec(QStringLiteral("insert into MovFin (CodMovFin_MovFin, CodGrupo_MovFin, CodGrupo_Grupo, CodConta_MovFin, "
                                 "Data_MovFin, Valor_MovFin) values (1, '0', 1, 1, '2009-02-10', 500)"));
        TfrmMenuPrincipal form(*m_cashBook);
        form.show();
        chooseTab(form, 2);
        QWidget *flow = page(form, "tsFluxo");
        auto *accountList = find<DataGrid>(*flow, "gridContasMov");
        QCOMPARE(accountList->model()->rowCount(), 3); // every account: the filters are off
        auto *accountTotal = find<QLabel>(form, "lblTotalConta");
        QCOMPARE(accountTotal->text(), QStringLiteral("R$ 500,00"));
        QCOMPARE(colour(accountTotal), QColor(Qt::blue));
        QCOMPARE(find<QLabel>(form, "lblSaldo")->text(), QStringLiteral("R$ 500,00"));

        selectRow(*flow, "gridContasMov", 1); // PESSOAL / SALÁRIOS
        QCOMPARE(accountList->model()->index(1, 0).data().toString(), QStringLiteral("SALÁRIOS"));
        QCOMPARE(accountTotal->text(), QStringLiteral("R$ 0,00"));
        QCOMPARE(colour(accountTotal), QColor(Qt::red));

        press(*flow, "nbInsert");
        QTest::keyClicks(find<QLineEdit>(*flow, "txtCheque_MovFin"), QStringLiteral("ab12"));
        QCOMPARE(find<QLineEdit>(*flow, "txtCheque_MovFin")->text(), QStringLiteral("AB12"));
        QTest::keyClicks(find<QLineEdit>(*flow, "txtValor_MovFin"), QStringLiteral("1.234,56"));
        QTest::keyClicks(find<QLineEdit>(*flow, "txtDescricao_MovFin"), QStringLiteral("folha de mar"));
        find<QLineEdit>(*flow, "txtDescricao_MovFin")->insert(QStringLiteral("ço"));
        find<QComboBox>(*flow, "cbCodBanco_MovFin")->setCurrentIndex(1);
        emit find<QComboBox>(*flow, "cbCodBanco_MovFin")->activated(1);

        // The picker starts on today (nothing typed), moves by month tab and year, keeps the day.
        whenModal<TfrmDataMovimento>([](TfrmDataMovimento *picker) {
            QCOMPARE(picker->windowTitle(), QStringLiteral("Informe a Data"));
            QCOMPARE(find<QLabel>(*picker, "lblData")->text(), QStringLiteral("5 de Março de 2009"));
            find<QTabBar>(*picker, "tabMeses")->setCurrentIndex(1);
            find<QSpinBox>(*picker, "spnAno")->setValue(2010);
            QCOMPARE(find<QLabel>(*picker, "lblData")->text(), QStringLiteral("5 de Fevereiro de 2010"));
            QCOMPARE(find<QSpinBox>(*picker, "spnAno")->toolTip(),
                     QStringLiteral("Use as setas para alterar o ano, em seguida clique em Confirmar..."));
            QTest::mouseClick(find<QPushButton>(*picker, "OKBtn"), Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>(*flow, "cmdCalendario"), Qt::LeftButton);
        QCOMPARE(find<QLineEdit>(*flow, "txtData_MovFin")->text(), QStringLiteral("05/02/2010"));

        // Choosing another account saves the movement, under the account now chosen.
        selectRow(*flow, "gridContasMov", 2); // PESSOAL / FÉRIAS
        QVERIFY(!m_cashBook->taMovFin().isEditing());
        QCOMPARE(text("select CodGrupo_MovFin || '/' || CodGrupo_Grupo || '/' || CodConta_MovFin || '/' || "
                      "Data_MovFin || '/' || Cheque_MovFin || '/' || Valor_MovFin || '/' || CodBanco_MovFin || '/' || "
                      "Descricao_MovFin from MovFin where CodMovFin_MovFin = 2"),
                 QStringLiteral("1/1/2/2010-02-05/AB12/1234.56/2/FOLHA DE MARÇO"));
        QCOMPARE(accountTotal->text(), QStringLiteral("R$ 1.234,56"));
        QCOMPARE(find<QLabel>(form, "lblTotalDespesas")->text(), QStringLiteral("R$ 1.234,56"));
        QCOMPARE(find<QLabel>(form, "lblTotalReceitas")->text(), QStringLiteral("R$ 500,00"));
        QCOMPARE(find<QLabel>(form, "lblSaldo")->text(), QStringLiteral("-R$ 734,56"));
        const QColor redViolet = colour(find<QLabel>(form, "lblSaldo"));

        // "Lançados entre": only the period, totals included; a new date unticks the box.
        find<QDateEdit>(form, "txtDataIni")->setDate(QDate(2009, 1, 1));
        find<QDateEdit>(form, "txtDataFim")->setDate(QDate(2009, 12, 31));
        find<QCheckBox>(form, "chkPeriodo")->setChecked(true);
        QCOMPARE(accountTotal->text(), QStringLiteral("R$ 0,00"));
        QCOMPARE(find<DataGrid>(*flow, "gridMovimento")->model()->rowCount(), 0);
        QCOMPARE(find<QLabel>(form, "lblTotalDespesas")->text(), QStringLiteral("R$ 0,00"));
        QCOMPARE(find<QLabel>(form, "lblSaldo")->text(), QStringLiteral("R$ 500,00"));
        QVERIFY(colour(find<QLabel>(form, "lblSaldo")) != redViolet);
        find<QDateEdit>(form, "txtDataIni")->setDate(QDate(2010, 2, 6));
        QVERIFY(!find<QCheckBox>(form, "chkPeriodo")->isChecked());
        QCOMPARE(find<DataGrid>(*flow, "gridMovimento")->model()->rowCount(), 1);
        QCOMPARE(accountTotal->text(), QStringLiteral("R$ 1.234,56"));

        // A period without movements balances at 0,00 in red-violet.
        find<QCheckBox>(form, "chkPeriodo")->setChecked(true);
        QCOMPARE(find<QLabel>(form, "lblSaldo")->text(), QStringLiteral("R$ 0,00"));
        QCOMPARE(colour(find<QLabel>(form, "lblSaldo")), redViolet);
    }

    void closingSavesWhatWasTypedAndClosesTheTables()
    {
        addChart();
        TfrmMenuPrincipal form(*m_cashBook);
        form.show();
        chooseTab(form, 2);
        QWidget *flow = page(form, "tsFluxo");
        press(*flow, "nbInsert");
        QTest::keyClicks(find<QLineEdit>(*flow, "txtData_MovFin"), QStringLiteral("06/03/2009"));
        QTest::keyClicks(find<QLineEdit>(*flow, "txtValor_MovFin"), QStringLiteral("1.000"));
        press(*flow, "nbPost");
        QCOMPARE(find<DataGrid>(*flow, "gridMovimento")->model()->index(0, 2).data().toString(),
                 QStringLiteral("1.000,00"));
        press(*flow, "nbInsert");
        QTest::keyClicks(find<QLineEdit>(*flow, "txtData_MovFin"), QStringLiteral("06/03/2009"));
        QTest::keyClicks(find<QLineEdit>(*flow, "txtValor_MovFin"), QStringLiteral("10,5"));
        QTest::mouseClick(find<QPushButton>(form, "cmdFechar"), Qt::LeftButton);
        // In centavos: a real column's text differs between the engines ("1000.0", "1000").
        QCOMPARE(text("select group_concat(cast(round(Valor_MovFin * 100) as integer), ';') from "
                      "(select Valor_MovFin from MovFin order by CodMovFin_MovFin)"),
                 QStringLiteral("100000;1050"));
        for (data::Dataset *dataset : m_cashBook->datasets())
            QVERIFY(!dataset->isOpen());
        QVERIFY(!m_cashBook->taGrupoConta().isFiltered());
        QVERIFY(!m_cashBook->taConta().isFiltered());
    }

    void anAmountThatIsNotOneIsRefusedAndNeverSavedHalfTyped()
    {
        addChart();
        TfrmMenuPrincipal form(*m_cashBook);
        form.show();
        chooseTab(form, 2);
        QWidget *flow = page(form, "tsFluxo");
        press(*flow, "nbInsert");
        QTest::keyClicks(find<QLineEdit>(*flow, "txtData_MovFin"), QStringLiteral("06/03/2009"));
        QTest::keyClicks(find<QLineEdit>(*flow, "txtValor_MovFin"), QStringLiteral("12,3,4"));
        press(*flow, "nbPost");
        QCOMPARE((*m_dialogs)->shown().size(), 1);
        QCOMPARE((*m_dialogs)->last().icon, core::Icon::Error);
        QVERIFY(m_cashBook->taMovFin().isEditing());

        // Nor does choosing another account save it: the choice waits for a value that reads.
        selectRow(*flow, "gridContasMov", 1);
        QCOMPARE((*m_dialogs)->shown().size(), 2);
        QVERIFY(m_cashBook->taMovFin().isEditing());
        QCOMPARE(m_cashBook->qryContas().recNo(), 0);

        QTest::mouseClick(find<QPushButton>(form, "cmdFechar"), Qt::LeftButton);
        QCOMPARE((*m_dialogs)->shown().size(), 3);
        QCOMPARE(count(QStringLiteral("select count(*) from MovFin")), 0);
    }

    void withoutTheCaixaRightNothingCanBeChanged()
    {
        addChart();
        data::closeSession(*m_academic, *m_cashBook);
        logOn({QStringLiteral("Supervisor")});
        TfrmMenuPrincipal form(*m_cashBook);
        form.show();
        for (const char *name : {"tsGrupos", "tsContas", "tsFluxo", "tsBancos"}) {
            auto *bar = find<app::DBNavigator>(*page(form, name), "DBNavigator1");
            QVERIFY2(!find<QToolButton>(*bar, "nbInsert")->isEnabled(), name);
            QVERIFY2(!find<QToolButton>(*bar, "nbEdit")->isEnabled(), name);
        }
        chooseTab(form, 2);
        QWidget *flow = page(form, "tsFluxo");
        QVERIFY(find<QLineEdit>(*flow, "txtValor_MovFin")->isReadOnly());
        QVERIFY(!find<QPushButton>(*flow, "cmdCalendario")->isEnabled());
        QVERIFY(!find<QComboBox>(*flow, "cbCodBanco_MovFin")->isEnabled());
        auto *groups = find<DataGrid>(form, "gridGrupos");
        QVERIFY(!(groups->model()->flags(groups->model()->index(0, 2)) & Qt::ItemIsEditable));
    }

    void onlyASupervisorSeesPrintingAndTheGeneralTotals()
    {
        data::closeSession(*m_academic, *m_cashBook);
        logOn({QStringLiteral("Caixa")});
        TfrmMenuPrincipal form(*m_cashBook);
        form.applySession(core::session());
        form.show();
        chooseTab(form, 2);
        QVERIFY(!find<QPushButton>(form, "cmdImprimir")->isVisible());
        QVERIFY(find<QLabel>(form, "lblTotalConta")->isVisible());
        for (const char *name : {"lblTotalDespesas", "lblTotalReceitas", "lblSaldo"})
            QVERIFY2(!find<QLabel>(form, name)->isVisible(), name);
    }

    void theCaixaButtonOpensTheBookForTheSessionAndTheMenuTheExport()
    {
        data::closeSession(*m_academic, *m_cashBook);
        logOn({QStringLiteral("Caixa")});
        RecordingHost host;
        installCommands(host, app::ModuleServices{nullptr, m_academic.get(), m_cashBook.get(), {}});
        QVERIFY(host.caixa);
        QVERIFY(host.menuForms.contains(QStringLiteral("mnuExportarTexto")));

        QList<bool> barStates;
        app::ModuleLauncher launcher(QDir::currentPath(), {[](bool) {}, [&barStates](bool on) { barStates += on; }});
        bool printVisible = true;
        whenModal<TfrmMenuPrincipal>([&printVisible](TfrmMenuPrincipal *form) {
            QCOMPARE(find<QTabWidget>(*form, "PageControl1")->currentIndex(), 0);
            printVisible = find<QPushButton>(*form, "cmdImprimir")->isVisible();
            form->close();
        });
        launcher.startModule(app::Module::Caixa, host.caixa);
        QVERIFY(!printVisible); // not a supervisor
        QCOMPARE(barStates, (QList<bool>{false, true}));
        QVERIFY(!m_cashBook->taMovFin().isOpen());

        QString title;
        whenModal<TfrmExportarTabelas>([&title](TfrmExportarTabelas *form) {
            title = form->windowTitle();
            form->reject();
        });
        launcher.runCommand(host.menuForms.value(QStringLiteral("mnuExportarTexto")));
        QCOMPARE(title, QStringLiteral("Exportar Tabelas para formato Texto"));
    }

    void printsThePagesReportAndAsksForAnOrderedPeriod()
    {
        addChart();
        TfrmMenuPrincipal form(*m_cashBook);
        form.applySession(core::session());
        form.show();
        QString title;
        whenModal<reports::PreviewWindow>([&title](reports::PreviewWindow *preview) {
            title = preview->windowTitle();
            preview->reject();
        });
        QTest::mouseClick(find<QPushButton>(form, "cmdImprimir"), Qt::LeftButton);
        QVERIFY(title.contains(QStringLiteral("RELAÇÃO DE GRUPOS DE CONTAS")));

        // "Relação de Pagamentos e Recebimentos" starts from the ticked period.
        chooseTab(form, 2);
        find<QDateEdit>(form, "txtDataIni")->setDate(QDate(2009, 2, 1));
        find<QCheckBox>(form, "chkPeriodo")->setChecked(true);
        QStringList periodTexts;
        whenModal<TfrmPeriodoImpressao>([&periodTexts](TfrmPeriodoImpressao *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Informe o período para Impressão"));
            QCOMPARE(dialog->period(), (Period{QDate(2009, 2, 1), QDate(2009, 3, 5)}));
            find<QDateEdit>(*dialog, "txtDataFim")->setDate(QDate(2009, 1, 31));
            QTest::mouseClick(find<QPushButton>(*dialog, "OKBtn"), Qt::LeftButton);
            periodTexts += dialog->isVisible() ? QStringLiteral("open") : QStringLiteral("closed");
            find<QDateEdit>(*dialog, "txtDataFim")->setDate(QDate(2009, 2, 28));
            whenModal<reports::PreviewWindow>([&periodTexts](reports::PreviewWindow *preview) {
                periodTexts += preview->windowTitle();
                preview->reject();
            });
            QTest::mouseClick(find<QPushButton>(*dialog, "OKBtn"), Qt::LeftButton);
        });
        find<QMenu>(form, "pmImprimir")->findChild<QAction *>(QStringLiteral("mnuPagamentosRecebimentos"))->trigger();
        QCOMPARE((*m_dialogs)->texts(), QStringList{QStringLiteral("Data Final não pode ser menor do que a Data Inicial")});
        QCOMPARE(periodTexts.value(0), QStringLiteral("open"));
        QVERIFY(periodTexts.value(1).contains(QStringLiteral("ACOMPANHAMENTO DE RECEITA E DESPESA")));
    }
};

QTEST_MAIN(TfrmMenuPrincipalTest)
#include "TfrmMenuPrincipalTest.moc"
