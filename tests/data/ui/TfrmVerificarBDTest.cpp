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
    std::unique_ptr<TempDir> m_dir;
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
        m_dir = std::make_unique<TempDir>();
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir->file("2009")), "2009");
        m_db.exec("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1A')");
        m_db.exec("insert into NOTAS (MATRICULA, DISC, Turma, Nome) values (1, 'PO', '1G1A', "
                  "'ANA'), (7, 'PO', '1G1A', 'SUMIDO')");
    }
    void cleanup()
    {
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
        m_dir.reset();
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
        QDir::setCurrent(m_dir->path());
        click(form, "cmdExportar");
        QDir::setCurrent(previous);
        QVERIFY(QFile::exists(
            m_dir->file(QStringLiteral("Registro de Notas sem vínculo com Alunos.csv"))));

        click(form, "cmdCorrigir");
        QCOMPARE(label(form, "lblRegistros"), QStringLiteral("Registros: 0"));
        QCOMPARE(m_db.scalar("select count(*) from NOTAS").toInt(), 1);
    }

    // Homonyms of one class, typed in the reverse order of their numbers, come in the order of
    // their numbers on every engine, and so do a student's charges of one due date.
    void tiedRowsComeInTheOrderOfTheirNumbers()
    {
        m_db.exec("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT) values (9, 'BIA', '1G1A', 'B'), "
                  "(8, 'BIA', '1G1A', 'B')");
        m_db.exec("insert into CCORRENT (Matricula, NOME, TURMA, Tipo, ParcelaNum, ParcelaData, ParcelaValor) values "
                  "(9, 'BIA', '1G1A', 'N', 3, '2009-03-10', 300), (8, 'BIA', '1G1A', 'N', 3, '2009-03-10', 200), "
                  "(8, 'BIA', '1G1A', 'O', 9, '2009-03-10', 20), (8, 'BIA', '1G1A', 'N', 2, '2009-03-10', 100)");
        TfrmVerificarBD form(nullptr, m_db);
        form.show();
        auto *choice = form.findChild<QComboBox *>("cbVerificar");
        auto *grid = form.findChild<QTableView *>("DBGrid1");
        auto column = [grid](int c) {
            QStringList values;
            for (int row = 0; row < grid->model()->rowCount(); ++row)
                values += grid->model()->index(row, c).data().toString();
            return values;
        };

        click(form, "cmdVerificar"); // active students without grade rows
        QCOMPARE(column(1), (QStringList{"8", "9"}));
        choice->setCurrentIndex(2); // scholarship holders with charges to collect
        click(form, "cmdVerificar");
        QCOMPARE(column(0), (QStringList{"8", "8", "8", "9"}));
        QCOMPARE(column(6), (QStringList{"100,00", "200,00", "20,00", "300,00"}));
    }
};

QTEST_MAIN(TfrmVerificarBDTest)
#include "TfrmVerificarBDTest.moc"
