// The fine and interest dialog driven by its boxes' names: filling, the payment-date rule, the
// computation, when saving is possible, and what the "Receber Boleto" command writes or refuses.
#include "app/ui/ModalHelper.h"
#include "core/Clock.h"
#include "billing/forms/TfrmCalcular_Multa_juros.h"
#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/ChargeRules.h"
#include "data/settings/Settings.h"
#include "data/store/Table.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TfrmCalcular_Multa_jurosTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aLatePaymentResetsTheFineAndFollowsTheWorkedExample();
    void onTimeTheDiscountIsGrantedAndItsBoxHidden();
    void aZeroAmountCannotBeSaved();
    void aMalformedNumberWritesNothing();
    void receivingWritesThePaymentAndTheMeans();
    void aSupervisorsRowIsRefusedToOthers();

private:
    void asUser(bool supervisor, bool carnes)
    {
        core::Session &s = core::session();
        s.userName = QStringLiteral("CAIXA");
        s.supervisor = supervisor;
        s.rights = {};
        s.rights.carnes = carnes;
    }
    void addCharge(const char *due, double value, double discount, const char *status2 = "0")
    {
        m_db.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, "
                                 "ParcelaValor, DescontoFixo, DescontoEventual, STATUS2) values "
                                 "('1G1A', 1, 'ANA', 'N', 3, :d, :v, :f, 0, :s)"),
                  {{"d", QString::fromLatin1(due)}, {"v", value}, {"f", discount}, {"s", QString::fromLatin1(status2)}});
        m_charges->refresh();
        m_charges->first();
    }
    std::unique_ptr<TfrmCalcular_Multa_juros> open(const QDate &today)
    {
        auto dialog = std::make_unique<TfrmCalcular_Multa_juros>(*m_charges, 0.03, today);
        dialog->show();
        return dialog;
    }
    template <class T = QLineEdit> static T *find(QWidget *w, const char *name)
    {
        T *child = w->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("missing %s", name);
        return child;
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    data::Database m_db;
    std::unique_ptr<data::Table> m_charges;
};

void TfrmCalcular_Multa_jurosTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir->path()), QStringLiteral("2007"));
    m_charges = std::make_unique<data::Table>(m_db, QStringLiteral("Ccorrent.DB"));
    data::attachChargeRules(*m_charges);
    m_charges->open();
    asUser(false, true);
}

void TfrmCalcular_Multa_jurosTest::cleanup()
{
    m_charges.reset();
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
    m_dialogs.reset();
    m_dir.reset();
    core::session() = {};
}

void TfrmCalcular_Multa_jurosTest::aLatePaymentResetsTheFineAndFollowsTheWorkedExample()
{
    addCharge("2007-03-10", 300, 30);
    auto dialog = open(QDate(2007, 3, 15));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Calcular Multa e Juros "));
    QCOMPARE(find(dialog.get(), "txtValor")->text(), QStringLiteral("300,00"));
    QCOMPARE(find(dialog.get(), "txtDesconto")->text(), QStringLiteral("30,00"));
    QCOMPARE(find(dialog.get(), "txtJuros")->text(), QStringLiteral("0,03"));
    QCOMPARE(find(dialog.get(), "txtMulta")->text(), QStringLiteral("0,0"));
    auto *discount = find<QCheckBox>(dialog.get(), "chkConcederDesconto");
    QVERIFY(discount->isVisible());
    QVERIFY(!discount->isChecked());
    QCOMPARE(find<QLabel>(dialog.get(), "lblAcrescimos")->text(), QStringLiteral("Acréscimos (4)"));
    QCOMPARE(find(dialog.get(), "txtAcrescimos")->text(), QStringLiteral("0,36"));
    QCOMPARE(find(dialog.get(), "txtValorReceber")->text(), QStringLiteral("300,36"));
    QCOMPARE(find<QComboBox>(dialog.get(), "cbFormaPgto")->currentText(), QStringLiteral("0 - DINHEIRO"));

    find(dialog.get(), "txtMulta")->setText(QStringLiteral("2,0"));
    find<QPushButton>(dialog.get(), "cmdCalcular")->click();
    QCOMPARE(find(dialog.get(), "txtAcrescimos")->text(), QStringLiteral("6,36"));
    QCOMPARE(find(dialog.get(), "txtValorReceber")->text(), QStringLiteral("306,36"));

    discount->setChecked(true); // the operator grants the discount after all
    find<QPushButton>(dialog.get(), "cmdCalcular")->click();
    QCOMPARE(find(dialog.get(), "txtValorReceber")->text(), QStringLiteral("275,72"));
}

void TfrmCalcular_Multa_jurosTest::onTimeTheDiscountIsGrantedAndItsBoxHidden()
{
    addCharge("2007-03-10", 300, 30);
    auto dialog = open(QDate(2007, 3, 10));
    auto *discount = find<QCheckBox>(dialog.get(), "chkConcederDesconto");
    QVERIFY(!discount->isVisible());
    QVERIFY(discount->isChecked());
    QCOMPARE(find(dialog.get(), "txtMulta")->text(), QStringLiteral("2,0"));
    QCOMPARE(find(dialog.get(), "txtValorReceber")->text(), QStringLiteral("270,00"));

    find<QCheckBox>(dialog.get(), "chkIncluirDia")->setChecked(true); // fine and one day on the due date
    find<QPushButton>(dialog.get(), "cmdCalcular")->click();
    QCOMPARE(find<QLabel>(dialog.get(), "lblAcrescimos")->text(), QStringLiteral("Acréscimos (1)"));
    QCOMPARE(find(dialog.get(), "txtAcrescimos")->text(), QStringLiteral("5,48"));

    find<QDateEdit>(dialog.get(), "dtpPagamento")->setDate(QDate(2007, 3, 20)); // now late
    QVERIFY(discount->isVisible());
    QCOMPARE(find(dialog.get(), "txtMulta")->text(), QStringLiteral("0,0"));
}

void TfrmCalcular_Multa_jurosTest::aZeroAmountCannotBeSaved()
{
    addCharge("2007-03-10", 100, 100);
    auto dialog = open(QDate(2007, 3, 1));
    QCOMPARE(find(dialog.get(), "txtValorReceber")->text(), QStringLiteral("0,00"));
    QVERIFY(!find<QPushButton>(dialog.get(), "cmdSalvar")->isEnabled());
    find(dialog.get(), "txtDesconto")->setText(QStringLiteral("10,00"));
    find<QPushButton>(dialog.get(), "cmdCalcular")->click();
    QVERIFY(find<QPushButton>(dialog.get(), "cmdSalvar")->isEnabled());
}

void TfrmCalcular_Multa_jurosTest::aMalformedNumberWritesNothing()
{
    addCharge("2007-03-10", 300, 0);
    QString savable = QStringLiteral("?");
    whenModal<TfrmCalcular_Multa_juros>([&](TfrmCalcular_Multa_juros *dialog) {
        find(dialog, "txtJuros")->setText(QStringLiteral("0,O3"));
        find<QPushButton>(dialog, "cmdCalcular")->click();
        savable = find<QPushButton>(dialog, "cmdSalvar")->isEnabled() ? QStringLiteral("sim") : QStringLiteral("não");
        find<QPushButton>(dialog, "cmdSalvar")->click();
        if (dialog->isVisible())
            find<QPushButton>(dialog, "cmdFechar")->click();
    });
    QVERIFY(!TfrmCalcular_Multa_juros::receive(*m_charges));
    QCOMPARE(savable, QStringLiteral("não"));
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Error);
    QVERIFY(m_db.scalar(QStringLiteral("select PgtoData from CCORRENT")).isNull());
}

void TfrmCalcular_Multa_jurosTest::receivingWritesThePaymentAndTheMeans()
{
    addCharge("2007-03-10", 300, 30);
    core::pinClock(QDateTime(QDate(2007, 3, 15), QTime(9, 0)));
    whenModal<TfrmCalcular_Multa_juros>([](TfrmCalcular_Multa_juros *dialog) {
        find(dialog, "txtMulta")->setText(QStringLiteral("2,0"));
        find<QPushButton>(dialog, "cmdCalcular")->click();
        find<QComboBox>(dialog, "cbFormaPgto")->setCurrentIndex(2);
        find<QPushButton>(dialog, "cmdSalvar")->click();
    });
    QVERIFY(TfrmCalcular_Multa_juros::receive(*m_charges));
    core::pinClock(QDateTime());
    QCOMPARE(m_db.scalar(QStringLiteral("select PgtoData from CCORRENT")).toString(), QStringLiteral("2007-03-15"));
    QCOMPARE(m_db.scalar(QStringLiteral("select PgtoValor from CCORRENT")).toDouble(), 306.36);
    QCOMPARE(m_db.scalar(QStringLiteral("select Acrescimos from CCORRENT")).toDouble(), 6.36);
    QCOMPARE(m_db.scalar(QStringLiteral("select FORMAPGTO from CCORRENT")).toString(), QStringLiteral("2"));
    QCOMPARE(m_db.scalar(QStringLiteral("select STATUS2 from CCORRENT")).toString(), QStringLiteral("1"));
}

void TfrmCalcular_Multa_jurosTest::aSupervisorsRowIsRefusedToOthers()
{
    addCharge("2007-03-10", 300, 0, "2");
    QVERIFY(!TfrmCalcular_Multa_juros::receive(*m_charges));
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Este registro só pode ser modificado pelo Supervisor!"));
    QCOMPARE((*m_dialogs)->last().caption, QStringLiteral("Atenção"));
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Error);
    asUser(true, false);
    whenModal<TfrmCalcular_Multa_juros>([](TfrmCalcular_Multa_juros *dialog) {
        find<QPushButton>(dialog, "cmdFechar")->click();
    });
    QVERIFY(!TfrmCalcular_Multa_juros::receive(*m_charges)); // opened, then closed without saving
    QCOMPARE((*m_dialogs)->shown().size(), 1);
}

QTEST_MAIN(TfrmCalcular_Multa_jurosTest)
#include "TfrmCalcular_Multa_jurosTest.moc"
