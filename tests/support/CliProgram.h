#pragma once

#include "data/store/Database.h"
#include "data/users/PasswordHash.h"
#include "data/users/UsersTable.h"
#include "support/TempDir.h"

#include <QList>
#include <QPair>
#include <QProcess>
#include <QStringList>

// What one run of lumesco-cli left behind.
struct CliRun
{
    int exitCode = -1;
    bool crashed = false; // killed by a signal, no exit code
    QString out;
    QString err;
};

// A program folder of its own, with lumesco-cli run in it as a script runs it: a real process,
// "--program-dir" pointing here, this folder as the working directory. Users get cheap password
// hashes while it lives, here and in the processes it starts, so log-ons stay fast.
class CliProgram : public TempDir
{
public:
    using Environment = QList<QPair<QString, QString>>;

    explicit CliProgram(QString cliPath) : m_cliPath(std::move(cliPath))
    {
        data::setPasswordCost(data::PasswordCost::Minimal);
    }
    ~CliProgram()
    {
        data::setPasswordCost(data::PasswordCost::Standard);
        data::Database::closeAll();
    }

    // `arguments` after "--program-dir"; `environment` added to the process's (LUMESCO_USER…).
    CliRun run(const QStringList &arguments, const Environment &environment = {}) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LUMESCO_TEST_CHEAP_PASSWORDS"), QStringLiteral("1"));
        for (const auto &[name, value] : environment)
            env.insert(name, value);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(path());
        process.start(m_cliPath, QStringList{QStringLiteral("--program-dir"), path()} + arguments);
        process.waitForFinished(60000);
        const bool crashed = process.exitStatus() == QProcess::CrashExit;
        return {crashed ? -1 : process.exitCode(), crashed,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // Sets a user's password in the users table of the folder ("Data", where the first run of
    // the verbs puts it).
    void setPassword(const QString &user, const QString &password) const
    {
        {
            const data::UsersTable users(file(QStringLiteral("Data")));
            users.setPassword(user, password);
        }
        data::Database::closeAll();
    }

private:
    QString m_cliPath;
};
