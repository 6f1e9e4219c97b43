#pragma once

#include <QString>
#include <QTemporaryDir>

// A scratch folder removed at the end of the test.
class TempDir
{
public:
    TempDir();
    QString path() const { return m_dir.path(); }
    // Absolute path of a name inside the folder.
    QString file(const QString &name) const;
    // Writes raw bytes to a file inside the folder (its folders made as needed); returns its path.
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
