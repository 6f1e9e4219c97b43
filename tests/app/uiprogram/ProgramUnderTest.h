#pragma once

#include "app/Startup.h"
#include "app/forms/TPasswordDlg.h"
#include "app/forms/TfrmMain.h"
#include "app/program/ProgramAssembly.h"
#include "core/Clock.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/TextFile.h"
#include "data/settings/Settings.h"
#include "data/store/Database.h"
#include "data/users/UsersTable.h"

#include "app/ui/ModalHelper.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

// The whole program in a program folder of its own, as an office starts it: ConfigRede.txt
// names the school year 2026 (a folder, or a year on the test server), the supervisor
// "SUPERVISOR" has the password "segredo", and the program is put together as main() does,
// without its start-up files, over scripted dialogs. The test fills the year, then start().
class ProgramUnderTest
{
public:
    explicit ProgramUnderTest(const QDateTime &now)
        : m_folder(std::make_unique<TempDir>()), m_year(testengine::yearLocation(m_folder->file("Dados2026")))
    {
        core::pinClock(now);
        core::programDirs() = {m_folder->path(), m_folder->file("BACKUP"), m_folder->file("AJUDA"),
                               m_folder->file("Usuarios")};
        core::writeTextLines(m_folder->file("ConfigRede.txt"), {"Ano Letivo;Caminho", "2026;" + m_year});
        QDir().mkpath(m_folder->file("Usuarios"));
        data::UsersTable(m_folder->file("Usuarios")).setPassword("SUPERVISOR", "segredo");
    }

    ~ProgramUnderTest()
    {
        m_assembly.reset();
        data::Database::closeAll();
        testengine::dropServerYears();
        m_dialogs.reset();
        QDir::setCurrent(QDir::tempPath());
        m_folder.reset();
        core::pinClock(QDateTime());
    }

    void start()
    {
        data::Database::closeAll();
        QDir::setCurrent(m_folder->path());
        app::setFirstShowPending(false);
        core::session() = core::Session();
        data::settings() = data::Settings::defaults(QString());
        m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
        m_assembly = app::assembleProgram();
    }

    // "Log ON" as the supervisor.
    void logOn() const
    {
        whenModal<app::TPasswordDlg>([](app::TPasswordDlg *dlg) {
            dlg->findChild<QLineEdit *>("txtUsuario")->setText("SUPERVISOR");
            dlg->findChild<QLineEdit *>("txtSenha")->setText("segredo");
            QTest::mouseClick(dlg->findChild<QPushButton *>("OKBtn"), Qt::LeftButton);
        });
        QTest::mouseClick(widget("cmdLogon"), Qt::LeftButton);
        QVERIFY(core::session().isOpen());
    }

    // The school year: a folder, or a year on the server in the server run.
    const QString &year() const { return m_year; }
    QString path() const { return m_folder->path(); }
    QString file(const QString &name) const { return m_folder->file(name); }
    app::TfrmMain &window() const { return m_assembly->window(); }
    QWidget *widget(const char *name) const { return window().findChild<QWidget *>(QString::fromLatin1(name)); }
    ScriptedDialogs &dialogs() const { return **m_dialogs; }
    // The texts of the error boxes shown so far.
    QStringList errorsShown() const
    {
        QStringList errors;
        for (const ScriptedDialogs::Shown &shown : dialogs().shown())
            if (shown.icon == core::Icon::Error)
                errors.append(shown.text);
        return errors;
    }

private:
    std::unique_ptr<TempDir> m_folder;
    QString m_year;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<app::ProgramAssembly> m_assembly;
};
