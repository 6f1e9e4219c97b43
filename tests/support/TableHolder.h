#pragma once

#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

// The other desk of a sharing test (see ChildProcess.h): opens `table` of the year at `location`,
// says so with a file "ready" in `signalDir` and keeps the table open until a file "done" appears
// there (20 s at most). Its answer, for the exit code: 10 when it held the table, 30 when the
// store refused it.
inline int holdTableUntilDone(const QString &location, const QString &table, const QString &signalDir)
{
    try {
        data::Table held(data::Database::open(location), table);
        held.open();
        QFile(QDir(signalDir).filePath(QStringLiteral("ready"))).open(QIODevice::WriteOnly);
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(QDir(signalDir).filePath(QStringLiteral("done"))) && waited.elapsed() < 20000)
            QThread::msleep(20);
        held.close();
    } catch (const data::StoreError &) {
        return 30;
    }
    return 10;
}
