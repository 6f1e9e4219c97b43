// The contracts' two screens driven by their controls: the scope dialog, and the window that
// shows the model, changes it, writes the file and opens it.
#include "billing/contracts/ContractGeneration.h"
#include "billing/forms/TfrmContratosDefina.h"
#include "billing/forms/TfrmGeraContratos.h"
#include "core/Shell.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/Settings.h"
#include "data/store/Database.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

using namespace billing;

class TfrmGeraContratosTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theScopeDialogWaitsForItsChoice();
    void theWindowShowsTheModelAndWritesTheContracts();
    void anotherModelRenamesTheOutput();
    void aFileThatCannotBeWrittenIsReported();

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
    data::Settings m_settings;
    core::RecordingShell *m_shell = nullptr;
    std::unique_ptr<core::Shell> m_previousShell;
};

void TfrmGeraContratosTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    auto shell = std::make_unique<core::RecordingShell>();
    m_shell = shell.get();
    m_previousShell = core::setShell(std::move(shell));
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir->path()), QStringLiteral("2009"));
    m_db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values ('1G1A', '1ª SÉRIE A', 300)"));
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT) values "
                             "(1, 'ANA', '1G1A', null), (2, 'BIA', '1G1A', 'B'), (3, 'CAIO', '1G1A', 'D')"));
    m_settings = data::Settings::defaults(QStringLiteral("2009"));
}

void TfrmGeraContratosTest::cleanup()
{
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
    core::setShell(std::move(m_previousShell));
    m_dialogs.reset();
    m_dir.reset();
}

void TfrmGeraContratosTest::theScopeDialogWaitsForItsChoice()
{
    TfrmContratosDefina dialog({QStringLiteral("1G1A 1ª SÉRIE A"), QStringLiteral("2G1A 2ª SÉRIE A")});
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Emissão de Contratos - Defina abaixo"));
    auto *ok = find<QPushButton>(&dialog, "OKBtn");
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.selection().kind, ContractSelection::Kind::All);

    find<QRadioButton>(&dialog, "rbTurma")->setChecked(true);
    QVERIFY(!ok->isEnabled());
    find<QListWidget>(&dialog, "lstTurmas")->setCurrentRow(1);
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.selection().classCode, QStringLiteral("2G1A"));

    find<QRadioButton>(&dialog, "rbAluno")->setChecked(true);
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(find<QLineEdit>(&dialog, "txtMatricula"), QStringLiteral("20090001"));
    QVERIFY(ok->isEnabled());
    QCOMPARE(dialog.selection().kind, ContractSelection::Kind::Students);
    QCOMPARE(dialog.selection().numbers, QList<qint64>({20090001}));
    find<QLineEdit>(&dialog, "txtMatricula")->setText(QStringLiteral("abc"));
    QVERIFY(dialog.selection().numbers.isEmpty()); // nobody, so the command says there is no one
}

void TfrmGeraContratosTest::theWindowShowsTheModelAndWritesTheContracts()
{
    const QString model = defaultContractModel(m_dir->path());
    TfrmGeraContratos window(selectContractStudents(m_db, {}), model, m_settings);
    QVERIFY(find<QTextEdit>(&window, "reModelo")->toPlainText().contains(QStringLiteral("CONTRATO DE PRESTAÇÃO")));
    QVERIFY(find<QTextEdit>(&window, "reModelo")->isReadOnly());
    QCOMPARE(find<QLabel>(&window, "lblQuantidade")->text(), QStringLiteral("Quantidade de Contratos: 2"));
    QCOMPARE(window.outputPath(), m_dir->file(QStringLiteral("Contrato_1ª_SÉRIE_A.rtf")));

    QTest::mouseClick(find<QPushButton>(&window, "cmdGerar"), Qt::LeftButton);
    QVERIFY(QFile::exists(window.outputPath()));
    QCOMPARE((*m_dialogs)->texts(), QStringList({kContractMarginsMessage}));
    QCOMPARE(m_shell->opened(), QStringList({window.outputPath()}));
    QCOMPARE(find<QLabel>(&window, "lblStatus")->text(), QStringLiteral("Gerando: 2 de 2"));
    QCOMPARE(find<QProgressBar>(&window, "pbAlunos")->value(), 2);
    QCOMPARE(find<QProgressBar>(&window, "pbAlunos")->maximum(), 2);

    QTest::mouseClick(find<QToolButton>(&window, "cmdPasta"), Qt::LeftButton);
    QCOMPARE(m_shell->opened().last(), m_dir->path());
}

void TfrmGeraContratosTest::anotherModelRenamesTheOutput()
{
    TfrmGeraContratos window(selectContractStudents(m_db, {}), defaultContractModel(m_dir->path()), m_settings);
    const QString other = m_dir->write(QStringLiteral("Matricula.2009.rtf"),
                                       "{\\rtf1\\ansi\r\n\\pard {\\b Outro} #aluno#\\par\r\n}\r\n");
    (*m_dialogs)->answerFile(other);
    QTest::mouseClick(find<QPushButton>(&window, "cmdOutroModelo"), Qt::LeftButton);
    QCOMPARE(window.modelPath(), other);
    QCOMPARE(window.outputPath(), m_dir->file(QStringLiteral("Matricula_1ª_SÉRIE_A.rtf")));
    QVERIFY(find<QTextEdit>(&window, "reModelo")->toPlainText().contains(QStringLiteral("Outro #aluno#")));

    // Cancelling the chooser keeps the model.
    QTest::mouseClick(find<QPushButton>(&window, "cmdOutroModelo"), Qt::LeftButton);
    QCOMPARE(window.modelPath(), other);
}

void TfrmGeraContratosTest::aFileThatCannotBeWrittenIsReported()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Contrato_1ª_SÉRIE_A.rtf"))); // a folder in the file's place
    TfrmGeraContratos window(selectContractStudents(m_db, {}), defaultContractModel(m_dir->path()), m_settings);
    QTest::mouseClick(find<QPushButton>(&window, "cmdGerar"), Qt::LeftButton);
    QCOMPARE((*m_dialogs)->texts(), QStringList({kContractFileErrorMessage}));
    QVERIFY(m_shell->opened().isEmpty());
}

QTEST_MAIN(TfrmGeraContratosTest)
#include "TfrmGeraContratosTest.moc"
