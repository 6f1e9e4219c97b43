// "Importar Valores para tabela de Controle de Pagamento" driven by its controls: a file that
// cannot be read, a file shown with its notice, and the bank import run to the end.
#include "billing/import/ChargeImport.h"
#include "billing/import/forms/TfrmImportarCCorrent.h"
#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <shapefil.h>

class TfrmImportarCCorrentTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aFileThatCannotBeReadIsRefused();
    void theBankImportRunsFromTheChosenFile();
    void anotherServerYearIsReadThroughItsButton();

private:
    template <class T> static T *find(QWidget *w, const char *name)
    {
        T *child = w->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("missing %s", name);
        return child;
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    data::Database m_db;
};

void TfrmImportarCCorrentTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir->path()), QStringLiteral("2009"));
    m_db.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor, "
                             "STATUS2) values ('1G1A', 1, 'ANA', 'N', 3, '2009-03-10', 300, '0')"));
    core::Session &s = core::session();
    s.userName = QStringLiteral("TESOURARIA");
    s.rights.carnes = true;
    s.schoolYear = QStringLiteral("2009");
}

void TfrmImportarCCorrentTest::cleanup()
{
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
    m_dialogs.reset();
    m_dir.reset();
    core::session() = {};
}

void TfrmImportarCCorrentTest::aFileThatCannotBeReadIsRefused()
{
    TfrmImportarCCorrent form(m_db);
    QCOMPARE(form.windowTitle(), QStringLiteral("Importar Valores para tabela de Controle de Pagamento"));
    QVERIFY(!find<QPushButton>(&form, "cmdIniciar")->isEnabled());
    if (testengine::onServer())
        QVERIFY2(form.findChild<QPushButton *>(QStringLiteral("cmdServidor")), "a server year reads other server years");
    else
        QVERIFY2(!form.findChild<QPushButton *>(QStringLiteral("cmdServidor")), "a folder's year reads files");
    (*m_dialogs)->answerFile(m_dir->write(QStringLiteral("lixo.dbf"), "isto não é uma tabela"));
    find<QPushButton>(&form, "cmdProcurar")->click();
    QCOMPARE((*m_dialogs)->last().text, billing::kImportOpenError);
    QVERIFY(!find<QPushButton>(&form, "cmdIniciar")->isEnabled());
}

void TfrmImportarCCorrentTest::theBankImportRunsFromTheChosenFile()
{
    const QString path = m_dir->file(QStringLiteral("banco.dbf"));
    DBFHandle h = DBFCreate(QFile::encodeName(path).constData());
    DBFAddField(h, "matricula", FTDouble, 10, 0);
    DBFAddField(h, "vencimento", FTString, 6, 0);
    DBFAddField(h, "noss_nr_dv", FTString, 12, 0);
    DBFWriteDoubleAttribute(h, 0, 0, 1);
    DBFWriteStringAttribute(h, 0, 1, "100309");
    DBFWriteStringAttribute(h, 0, 2, "000000004242");
    DBFClose(h);

    TfrmImportarCCorrent form(m_db);
    (*m_dialogs)->answerFile(path);
    find<QPushButton>(&form, "cmdProcurar")->click();
    QCOMPARE(find<QLabel>(&form, "lblAviso")->text(), billing::kImportCheckNotice);
    QCOMPARE(find<QTableView>(&form, "DBGrid1")->model()->rowCount(), 1);
    QVERIFY(find<QPushButton>(&form, "cmdIniciar")->isEnabled());
    find<QCheckBox>(&form, "chkBanco")->setChecked(true);
    find<QPushButton>(&form, "cmdIniciar")->click();
    QCOMPARE((*m_dialogs)->last().text, billing::kImportBankQuestion);
    QCOMPARE(find<QLabel>(&form, "lblLendo")->text(), QStringLiteral("Lendo: 1 de 1"));
    QCOMPARE(find<QLabel>(&form, "lblGravados")->text(), QStringLiteral("Gravados: 1"));
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(m_db.scalar(QStringLiteral("select cast(NossoNum as integer) from CCORRENT")).toInt(), 424);
}

void TfrmImportarCCorrentTest::anotherServerYearIsReadThroughItsButton()
{
    if (!testengine::onServer())
        QSKIP("a folder's year reads other years as files, through the file chooser above");
    const QString lastYear = testengine::yearLocation(m_dir->file(QStringLiteral("2008")));
    {
        const data::Database other = data::createSchoolYear(lastYear, QStringLiteral("2008"));
        other.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, "
                                  "ParcelaValor, STATUS2) values ('1G1A', 1, 'ANA', 'N', 3, '2009-03-10', 300, '0'), "
                                  "('1G1A', 2, 'BIA', 'N', 4, '2009-04-10', 280, '0')"));
    }
    TfrmImportarCCorrent form(m_db);
    // An address without its year is refused and nothing can start.
    QUrl noYear(lastYear);
    QUrlQuery query(noYear);
    query.removeAllQueryItems(QStringLiteral("ano"));
    noYear.setQuery(query);
    (*m_dialogs)->answerText(noYear.toString());
    find<QPushButton>(&form, "cmdServidor")->click();
    QCOMPARE((*m_dialogs)->last().text, billing::kImportOpenError);
    QVERIFY(!find<QPushButton>(&form, "cmdIniciar")->isEnabled());

    (*m_dialogs)->answerText(lastYear);
    find<QPushButton>(&form, "cmdServidor")->click();
    QCOMPARE(find<QLabel>(&form, "lblAviso")->text(), billing::kImportCheckNotice);
    QCOMPARE(find<QTableView>(&form, "DBGrid1")->model()->rowCount(), 2);
    QVERIFY(find<QPushButton>(&form, "cmdIniciar")->isEnabled());
    (*m_dialogs)->answer(core::Button::Yes);
    find<QPushButton>(&form, "cmdIniciar")->click();
    QCOMPARE((*m_dialogs)->last().text, billing::kImportFullQuestion);
    QCOMPARE(find<QLabel>(&form, "lblGravados")->text(), QStringLiteral("Gravados: 1"));
    QCOMPARE(form.result(), int(QDialog::Accepted));
    // The instalment the year had already is kept; the other one is brought in.
    QCOMPARE(m_db.scalar(QStringLiteral("select count(*) from CCORRENT")).toInt(), 2);
    QCOMPARE(m_db.scalar(QStringLiteral("select ParcelaValor from CCORRENT where Matricula = 2")).toDouble(), 280.0);
}

QTEST_MAIN(TfrmImportarCCorrentTest)
#include "TfrmImportarCCorrentTest.moc"
