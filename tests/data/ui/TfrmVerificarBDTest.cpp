#include "data/forms/TfrmVerificarBD.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

class TfrmVerificarBDTest : public QObject
{
    Q_OBJECT

private:
    TempDir m_dir;
    data::Database m_db;

    static void click(const TfrmVerificarBD &form, const char *name)
    {
        QTest::mouseClick(form.findChild<QPushButton *>(QString::fromLatin1(name)), Qt::LeftButton);
    }
    static QString label(const TfrmVerificarBD &form, const char *name)
    {
        return form.findChild<QLabel *>(QString::fromLatin1(name))->text();
    }

private slots:
    void init()
    {
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file("2009")), "2009");
        m_db.exec("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1A')");
        m_db.exec("insert into NOTAS (MATRICULA, DISC, Turma, Nome) values (1, 'PO', '1G1A', "
                  "'ANA'), (7, 'PO', '1G1A', 'SUMIDO')");
    }
    void cleanup()
    {
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void listsCorrectsAndExports()
    {
        TfrmVerificarBD form(nullptr, m_db);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Verificar Integridade do Banco de Dados"));
        auto *choice = form.findChild<QComboBox *>("cbVerificar");
        QCOMPARE(choice->count(), 6);

        click(form, "cmdVerificar"); // the first check: every active student has grades
        QCOMPARE(label(form, "lblRegistros"), QStringLiteral("Registros: 0"));
        QCOMPARE(label(form, "lblObs"),
                 QStringLiteral("Obs: Execute \"Corrigir\" no módulo Alunos->Notas"));

        choice->setCurrentIndex(4);
        click(form, "cmdVerificar");
        QCOMPARE(label(form, "lblRegistros"), QStringLiteral("Registros: 1"));
        QCOMPARE(label(form, "lblObs"), QStringLiteral("Obs: Clique no botão Corrigir"));
        QCOMPARE(form.findChild<QTableView *>("DBGrid1")->model()->rowCount(), 1);

        const QString previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        click(form, "cmdExportar");
        QDir::setCurrent(previous);
        QVERIFY(QFile::exists(
            m_dir.file(QStringLiteral("Registro de Notas sem vínculo com Alunos.csv"))));

        click(form, "cmdCorrigir");
        QCOMPARE(label(form, "lblRegistros"), QStringLiteral("Registros: 0"));
        QCOMPARE(m_db.scalar("select count(*) from NOTAS").toInt(), 1);
    }
};

QTEST_MAIN(TfrmVerificarBDTest)
#include "TfrmVerificarBDTest.moc"
