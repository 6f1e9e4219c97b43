// The treasury reports' dialog: the class chooser shows the parts each report asks for, starts
// from the report's answers and writes the person's choices back into them.
#include "billing/forms/BillingReportCommands.h"
#include "billing/reports/BillingReports.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

class BillingReportDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void thePaymentsDialogAsksThePeriodAndTheUnpaidBox();
    void theRevenueDialogAsksTheMonthAndCancelKeepsTheAnswers();

private:
    const reports::ReportEntry &entry(const char *name)
    {
        m_entries = billing::billingReports();
        for (const reports::ReportEntry &e : m_entries) {
            if (e.name == QLatin1String(name))
                return e;
        }
        qFatal("no report %s", name);
    }
    // Runs `act` on the dialog once it is open.
    static void whenOpen(std::function<void(QDialog *)> act)
    {
        QTimer::singleShot(0, [act] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible()) {
                    act(dialog);
                    return;
                }
            }
            qFatal("no dialog open");
        });
    }

    std::unique_ptr<TempDir> m_dir;
    data::Database m_db;
    QList<reports::ReportEntry> m_entries;
};

void BillingReportDialogTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir->path()), QStringLiteral("2009"));
    m_db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO) values ('1G1A', '1ª A'), ('2G1A', '2ª A')"));
}

void BillingReportDialogTest::cleanup()
{
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
    m_dir.reset();
}

void BillingReportDialogTest::thePaymentsDialogAsksThePeriodAndTheUnpaidBox()
{
    const reports::ReportEntry &payments = entry("pagamentos-turma");
    reports::ReportValues values(payments.params);
    values.set(QStringLiteral("from"), QStringLiteral("01/03/2009"), m_db);
    values.set(QStringLiteral("to"), QStringLiteral("31/03/2009"), m_db);
    whenOpen([](QDialog *dialog) {
        QVERIFY(dialog->findChild<QCheckBox *>(QStringLiteral("chkNaoPagas")));
        QVERIFY(!dialog->findChild<QCheckBox *>(QStringLiteral("chkValoresDevidos")));
        QVERIFY(!dialog->findChild<QComboBox *>(QStringLiteral("cbMes")));
        QCOMPARE(dialog->findChild<QDateEdit *>(QStringLiteral("dtInicio"))->date(), QDate(2009, 3, 1));
        dialog->findChild<QRadioButton *>(QStringLiteral("rbApenas"))->setChecked(true);
        dialog->findChild<QListWidget *>(QStringLiteral("lstTurmas"))->setCurrentRow(1);
        dialog->findChild<QCheckBox *>(QStringLiteral("chkNaoPagas"))->setChecked(true);
        dialog->findChild<QCheckBox *>(QStringLiteral("chkExcel"))->setChecked(true);
        dialog->findChild<QComboBox *>(QStringLiteral("cbTipoCobranca"))->setCurrentText(QStringLiteral("4-Viagem"));
        dialog->findChild<QDateEdit *>(QStringLiteral("dtFim"))->setDate(QDate(2009, 4, 30));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKBtn")), Qt::LeftButton);
    });
    QVERIFY(billing::askBillingChoice(payments, values, m_db, nullptr));
    const billing::BillingChoice choice = billing::billingChoice(values);
    QCOMPARE(choice.classCode, QStringLiteral("2G1A"));
    QCOMPARE(choice.kind, QStringLiteral("4-Viagem"));
    QCOMPARE(choice.from, QDate(2009, 3, 1));
    QCOMPARE(choice.to, QDate(2009, 4, 30));
    QVERIFY(choice.includeUnpaid);
    QVERIFY(choice.exportToExcel);
}

void BillingReportDialogTest::theRevenueDialogAsksTheMonthAndCancelKeepsTheAnswers()
{
    const reports::ReportEntry &revenue = entry("receita-aluno");
    reports::ReportValues values(revenue.params);
    values.set(QStringLiteral("month"), QStringLiteral("5"), m_db);
    whenOpen([](QDialog *dialog) {
        QCOMPARE(dialog->findChild<QComboBox *>(QStringLiteral("cbMes"))->currentIndex(), 4);
        QVERIFY(!dialog->findChild<QCheckBox *>(QStringLiteral("chkNaoPagas")));
        dialog->findChild<QRadioButton *>(QStringLiteral("rbAteMes"))->setChecked(true);
        dialog->reject();
    });
    QVERIFY(!billing::askBillingChoice(revenue, values, m_db, nullptr));
    QCOMPARE(values.month(QStringLiteral("month")), 5);
    QVERIFY(!values.flag(QStringLiteral("until-month")));

    whenOpen([](QDialog *dialog) {
        dialog->findChild<QRadioButton *>(QStringLiteral("rbAteMes"))->setChecked(true);
        dialog->findChild<QComboBox *>(QStringLiteral("cbMes"))->setCurrentIndex(2);
        dialog->accept();
    });
    QVERIFY(billing::askBillingChoice(revenue, values, m_db, nullptr));
    QCOMPARE(values.month(QStringLiteral("month")), 3);
    QVERIFY(values.flag(QStringLiteral("until-month")));
    QCOMPARE(billing::billingChoice(values).classCode, QString());
}

QTEST_MAIN(BillingReportDialogTest)
#include "BillingReportDialogTest.moc"
