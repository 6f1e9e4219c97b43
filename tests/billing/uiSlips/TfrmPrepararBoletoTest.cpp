// "Imprimir o Boleto com Modelo Próprio" driven by its buttons: the slips go to the output with
// their numbers stored, an empty choice only tells, and a failed print keeps nothing.
#include "billing/slips/forms/TfrmPrepararBoleto.h"
#include "core/Clock.h"
#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TfrmPrepararBoletoTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void looksAsTheSchoolKnowsIt();
    void printingSendsTheSlipsAndStoresTheirNumbers();
    void anEmptyChoiceOnlyTells();
    void aFailedPrintKeepsNoNumber();

private:
    template <class T = QPushButton> static T *find(QWidget *w, const char *name)
    {
        T *child = w->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("missing %s", name);
        return child;
    }
    int stored() const
    {
        return m_db.scalar(QStringLiteral("select count(*) from CCORRENT where NossoNum > 0")).toInt();
    }
    billing::BoletoChoices march() const
    {
        billing::BoletoChoices c;
        c.fromMonth = 3;
        c.toMonth = 3;
        return c;
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    data::Database m_db;
    QString m_previousDir;
};

void TfrmPrepararBoletoTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    core::pinClock(QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir->path()), QStringLiteral("2026"));
    m_db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO) values ('1G1A', '1ª SÉRIE A')"));
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (20260001, 'ANA', '1G1A'), "
                             "(20260002, 'BIA', '1G1A')"));
    m_db.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor) "
                             "values ('1G1A', 20260001, 'ANA', 'N', 3, '2026-03-10', 500), "
                             "('1G1A', 20260002, 'BIA', 'N', 3, '2026-03-10', 500)"));
}

void TfrmPrepararBoletoTest::cleanup()
{
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
    core::pinClock({});
    QDir::setCurrent(m_previousDir);
    m_dialogs.reset();
    m_dir.reset();
}

void TfrmPrepararBoletoTest::looksAsTheSchoolKnowsIt()
{
    TfrmPrepararBoleto form(m_db, march());
    QCOMPARE(form.windowTitle(), QStringLiteral("Imprimir o Boleto com Modelo Próprio"));
    QCOMPARE(form.height(), 154);
    QCOMPARE(find(&form, "cmdImprimir")->text(), QStringLiteral("&Imprimir"));
    QCOMPARE(find(&form, "cmdCancelar")->text(), QStringLiteral("&Cancelar"));
    QVERIFY(find<QLabel>(&form, "Image1"));
}

void TfrmPrepararBoletoTest::printingSendsTheSlipsAndStoresTheirNumbers()
{
    reports::Document printed;
    TfrmPrepararBoleto form(m_db, march(), nullptr, [&printed](const reports::Document &d) {
        printed = d;
        return true;
    });
    QTest::mouseClick(find(&form, "cmdImprimir"), Qt::LeftButton);
    QCOMPARE(form.result(), billing::SlipRunResult::Printed);
    QCOMPARE(printed.texts(0).count(QStringLiteral("VIA DA TESOURARIA")), 2);
    QCOMPARE(stored(), 2);
    QCOMPARE(m_db.scalar(QStringLiteral("select NossoNum from CCORRENT where Matricula = 20260002")).toLongLong(),
             2026000220260310LL);
    // The picture shows the last barcode drawn.
    QVERIFY(!find<QLabel>(&form, "Image1")->pixmap().isNull());
    QVERIFY((*m_dialogs)->shown().isEmpty());
}

void TfrmPrepararBoletoTest::anEmptyChoiceOnlyTells()
{
    billing::BoletoChoices c = march();
    c.kind = QStringLiteral("4-Viagem");
    bool called = false;
    TfrmPrepararBoleto form(m_db, c, nullptr, [&called](const reports::Document &) { return called = true; });
    QTest::mouseClick(find(&form, "cmdImprimir"), Qt::LeftButton);
    QVERIFY(!called);
    QCOMPARE((*m_dialogs)->shown().size(), 1);
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Não há registros para o mês informado."));
    QCOMPARE((*m_dialogs)->last().caption, QStringLiteral("Atenção"));
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Information);
}

void TfrmPrepararBoletoTest::aFailedPrintKeepsNoNumber()
{
    TfrmPrepararBoleto form(m_db, march(), nullptr, [](const reports::Document &) { return false; });
    QTest::mouseClick(find(&form, "cmdImprimir"), Qt::LeftButton);
    QCOMPARE(form.result(), billing::SlipRunResult::NotPrinted);
    QCOMPARE(stored(), 0);
}

QTEST_MAIN(TfrmPrepararBoletoTest)
#include "TfrmPrepararBoletoTest.moc"
