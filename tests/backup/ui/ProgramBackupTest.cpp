#include "backup/forms/TMainform.h"
#include "backup/forms/TfrmDestino.h"
#include "data/demo/DemoSchool.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"

#include "app/ui/ModalHelper.h"
#include "app/uiprogram/ProgramUnderTest.h"
#include "support/RecordingReporter.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QToolButton>

// The whole program around the backup: the main window, the log-on and the data modules, with
// a demo school; a person backs up from the "Back-Ups" button and restores it.
class ProgramBackupTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aBackupRestoredEndsTheSessionAndTheNextLogOnOpensTheRestoredYear();

private:
    void logOn() { m_program->logOn(); }
    QWidget *widget(const char *name) { return m_program->widget(name); }
    static void click(QWidget *parent, const char *name)
    {
        QWidget *w = parent->findChild<QWidget *>(QString::fromLatin1(name));
        QVERIFY2(w, name);
        QTest::mouseClick(w, Qt::LeftButton, {},
                          qobject_cast<QCheckBox *>(w) ? QPoint(6, w->height() / 2) : w->rect().center());
    }
    // The school year: a folder, or a year on the server in the server run.
    QString dataDir() const { return m_program->year(); }
    int students() const
    {
        return data::Database::open(dataDir()).scalar("select count(*) from ALUNOS").toInt();
    }

    std::unique_ptr<ProgramUnderTest> m_program;
};

void ProgramBackupTest::init()
{
    m_program = std::make_unique<ProgramUnderTest>(QDateTime(QDate(2026, 1, 9), QTime(20, 25)));
    {
        RecordingReporter quiet;
        QVERIFY(data::demo::fillDemoSchool(data::createSchoolYear(dataDir(), "2026"), "2026", quiet,
                                           {40, 3}));
    }
    m_program->start();
}

void ProgramBackupTest::cleanup()
{
    m_program.reset();
}

void ProgramBackupTest::aBackupRestoredEndsTheSessionAndTheNextLogOnOpensTheRestoredYear()
{
    QVERIFY(!widget("cmdBackup")->isEnabled());
    logOn();
    QVERIFY(widget("cmdBackup")->isEnabled());

    // The newcomer's backup: the automatic box, then "&Salvar".
    whenModal<backup::TMainform>([](backup::TMainform *form) {
        click(form, "chkAutomatico");
        click(form, "cmdSalvar");
        click(form, "cmdFechar");
    });
    QTest::mouseClick(widget("cmdBackup"), Qt::LeftButton);
    const QString archive = m_program->file("BACKUP/20260109_2026_SUPERVISOR.Zip");
    QVERIFY(QFileInfo::exists(archive));
    QVERIFY(QFileInfo::exists(m_program->file("BACKUP/20260109_2026_SUPERVISOR.log")));
    QCOMPARE(m_program->dialogs().texts().last(), QStringLiteral("1 arquivos foram copiados no Back-Up"));
    QVERIFY2(core::session().isOpen(), "a backup keeps the session");
    QVERIFY(widget("Panel1")->isEnabled());
    QCOMPARE(QDir::currentPath(), QDir(m_program->path()).absolutePath());

    // Work after the backup, lost by the restore.
    QTest::mouseClick(widget("cmdLogon"), Qt::LeftButton);
    data::Database::open(dataDir()).exec("delete from ALUNOS");
    QCOMPARE(students(), 0);
    data::Database::closeAll();
    logOn();

    m_program->dialogs().answerFile(archive);
    m_program->dialogs().answer(core::Button::Ok);  // "Certifique-se que não há acessos..."
    m_program->dialogs().answer(core::Button::Yes); // a server year's question (a folder's next message ignores it)
    QString place;
    whenModal<backup::TMainform>([&place](backup::TMainform *form) {
        place = form->findChild<QLabel *>("lblDados")->text();
        click(form, "cmdAbrir");
        // A folder's restore asks where to; a server year's is asked about in a message box.
        if (!testengine::onServer())
            whenModal<backup::TfrmDestino>([](backup::TfrmDestino *destination) {
                click(destination, "cmdOk");
            });
        click(form, "cmdRecuperar");
    });
    QTest::mouseClick(widget("cmdBackup"), Qt::LeftButton);
    const QStringList texts = m_program->dialogs().texts();
    const QString restored = testengine::onServer()
        ? place.mid(QStringLiteral("Dados: ").size()) + QStringLiteral(" recuperado.")
        : QStringLiteral("1 arquivos foram recuperados");
    QCOMPARE(texts.mid(texts.size() - 2),
             QStringList({restored, "Esta sessão será fechada para garantir a integridade da cópia recuperada."}));
    if (testengine::onServer()) {
        QVERIFY2(place.startsWith(QStringLiteral("Dados: Ano letivo ")), qPrintable(place));
        QVERIFY(texts.at(texts.size() - 3).startsWith(QStringLiteral("Todos os dados do ano letivo ")));
    } else {
        QCOMPARE(place, QStringLiteral("Dados: Pasta ") + QDir::toNativeSeparators(dataDir()));
    }
    QVERIFY(!core::session().isOpen());
    QCOMPARE(static_cast<QToolButton *>(widget("cmdLogon"))->text(), QStringLiteral("Log ON"));
    QVERIFY(!widget("cmdBackup")->isEnabled());

    logOn();
    QCOMPARE(core::session().dataDir, dataDir());
    QCOMPARE(students(), 40);
}

QTEST_MAIN(ProgramBackupTest)
#include "ProgramBackupTest.moc"
