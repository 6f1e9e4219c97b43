// The averages' menu entries: refused while a grade table is open, the windows run their
// calculations, the consolidated window folds its explanation.

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/ui/ModalHelper.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/users/UserRecord.h"
#include "grades/forms/AveragesCommands.h"
#include "grades/forms/TfrmCalcNotas.h"
#include "grades/forms/TfrmCalcNotasConsolidadas.h"
#include "grades/forms/TfrmCalcPosicao.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class RecordingHost : public app::CommandHost
{
public:
    void setCommand(const QString &, std::function<void()>) override {}
    void setMenuForm(const QString &objectName, app::ModuleLauncher::OpenForm openForm) override
    {
        menuForms.insert(objectName, std::move(openForm));
    }
    void setModuleForm(app::Module, app::ModuleLauncher::OpenForm) override {}
    QHash<QString, app::ModuleLauncher::OpenForm> menuForms;
};

} // namespace

class AveragesCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusedWhileAGradeTableIsOpen();
    void unitRecalculationOfTheChosenUnit();
    void consolidatedWindowFoldsAndRunsTheCheckedUnits();
    void rankingWindowRebuildsThePositions();

private:
    data::Database db() const { return data::Database::named(QStringLiteral("Quorvel")); }
    void run(const char *menu)
    {
        m_launcher->runCommand(m_host.menuForms.value(QString::fromLatin1(menu)));
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    std::unique_ptr<app::ModuleLauncher> m_launcher;
    RecordingHost m_host;
};

void AveragesCommandsTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_academic = std::make_unique<data::TDataModule1>();
    m_cashBook = std::make_unique<data::TdmTarnel>();
    m_host.menuForms.clear();
    grades::installAverageCommands(m_host, {nullptr, m_academic.get(), m_cashBook.get(), {}});
    data::UserRecord user;
    user.userId = QStringLiteral("SUPER");
    for (const char *right : {"Supervisor", "Notas", "Tabelas", "Alunos"})
        data::grantRight(user, QString::fromLatin1(right));
    data::openSession(*m_academic, *m_cashBook, user, QStringLiteral("2009"), testengine::yearLocation(m_dir->path()));
    m_launcher = std::make_unique<app::ModuleLauncher>(m_dir->path(), app::ModuleLauncher::Host{[](bool) {}, [](bool) {}});
    for (const char *sql :
         {"insert into Discturm (SERIE, CODIGO, Consolidada, PESO) values ('1G1', '30', 1, 1)",
          "insert into Discturm (SERIE, CODIGO, Consolidada, PESO) values ('1G1', '31', 0, 1)",
          "insert into NOTAS (MATRICULA, DISC, Turma, Nome, UND1) values (1, '31', '1G1A', 'ANA', 8.0)",
          "insert into NOTAS (MATRICULA, DISC, Turma, Nome) values (1, '30', '1G1A', 'ANA')",
          "insert into NotasUni2 (MATRICULA, DISC, TURMA, UNIDADE, NOME, NOTA1) values (1, '31', '1G1A', '2', 'ANA', 6.0)"})
        db().exec(QString::fromLatin1(sql));
}

void AveragesCommandsTest::cleanup()
{
    m_launcher.reset();
    data::closeSession(*m_academic, *m_cashBook);
    m_cashBook.reset();
    m_academic.reset();
    m_dialogs.reset();
    m_dir.reset();
    data::Database::closeAll();
    testengine::dropServerYears();
}

void AveragesCommandsTest::refusedWhileAGradeTableIsOpen()
{
    QCOMPARE(m_host.menuForms.size(), 3);
    m_academic->tblDiscTurma().open();
    // Refused before any window opens: a window would block here.
    run("mnuRecalcUnidades");
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Esta operação não pode ser realizada\nse algum módulo estiver "
                                                       "sendo usado.\nFeche-o, e tente novamente."));
    // The ranking also waits for the ranking table.
    m_academic->tblDiscTurma().close();
    m_academic->tblPosicao().open();
    (*m_dialogs)->clear();
    run("mnuCalcColocacao");
    QCOMPARE((*m_dialogs)->shown().size(), 1);
    QApplication::processEvents();
}

void AveragesCommandsTest::unitRecalculationOfTheChosenUnit()
{
    whenModal<TfrmCalcNotas>([](TfrmCalcNotas *form) {
        QCOMPARE(form->windowTitle(), QStringLiteral("Recalcular tabela de Notas"));
        form->findChild<QComboBox *>(QStringLiteral("cboUnidade"))->setCurrentIndex(1);
        form->findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
    });
    run("mnuRecalcUnidades");
    QCOMPARE(db().scalar(QStringLiteral("select UND2 from NOTAS where DISC = '31'")).toDouble(), 6.0);
    QCOMPARE(db().scalar(QStringLiteral("select MD_ANUAL from NOTAS where DISC = '31'")).toDouble(), 7.0);
}

void AveragesCommandsTest::consolidatedWindowFoldsAndRunsTheCheckedUnits()
{
    int folded = 0;
    whenModal<TfrmCalcNotasConsolidadas>([&folded](TfrmCalcNotasConsolidadas *form) {
        auto *text = form->findChild<QLabel *>(QStringLiteral("lblExplicacao"));
        QTest::mouseDClick(text, Qt::LeftButton);
        folded = form->height();
        QTest::mouseDClick(text, Qt::LeftButton);
        form->findChild<QCheckBox *>(QStringLiteral("chkUnidade1"))->setChecked(true);
        form->findChild<QPushButton *>(QStringLiteral("cmdExecutar"))->click();
    });
    run("mnuRecalcConsolidadas");
    QCOMPARE(folded, TfrmCalcNotasConsolidadas::kShortHeight);
    QCOMPARE(db().scalar(QStringLiteral("select UND1 from NOTAS where DISC = '30'")).toDouble(), 8.0);
}

void AveragesCommandsTest::rankingWindowRebuildsThePositions()
{
    whenModal<TfrmCalcPosicao>([](TfrmCalcPosicao *form) {
        form->findChild<QPushButton *>(QStringLiteral("cmdIniciar"))->click();
    });
    run("mnuCalcColocacao");
    QCOMPARE(db().scalar(QStringLiteral("select PONTOS1 from posicao where MATRICULA = 1")).toDouble(), -8.0);
    QCOMPARE(db().scalar(QStringLiteral("select Pos1 from posicao where MATRICULA = 1")).toInt(), 1);
}

QTEST_MAIN(AveragesCommandsTest)
#include "AveragesCommandsTest.moc"
