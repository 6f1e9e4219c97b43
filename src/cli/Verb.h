#pragma once

#include "core/SemicolonExport.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <stdexcept>

// The command line's verbs. Each verb lives in its own file under verbs/ and registers itself
// with a static Verb object:
//
//   static const cli::Verb verb{"years", "years", "lista os anos letivos de ConfigRede.txt",
//       [](cli::Args &args, cli::Context &ctx) { ...; return 0; }};
namespace cli {

// Thrown for bad usage or a failed step; main prints the text on stderr and exits non-zero.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString &message, int exitCode = 1)
        : std::runtime_error(message.toStdString()), m_exitCode(exitCode)
    {
    }
    QString message() const { return QString::fromStdString(what()); }
    int exitCode() const { return m_exitCode; }

private:
    int m_exitCode;
};

// Options ("--name value", "--name=value", "--flag") and positional arguments of one verb.
// Every option may be repeated.
class Args
{
public:
    Args(const QStringList &arguments, const QStringList &flagNames);

    // The positional argument at `index`; throws Failure naming `what` when it is absent.
    QString positional(int index, const QString &what) const;
    const QStringList &positionals() const { return m_positionals; }
    bool has(const QString &option) const;
    // The last value of an option, or `fallback`.
    QString value(const QString &option, const QString &fallback = QString()) const;
    QStringList values(const QString &option) const;
    // Throws Failure when an option outside `known` was given.
    void allowOnly(const QStringList &known) const;

private:
    QStringList m_positionals;
    QMap<QString, QStringList> m_options;
};

struct Context
{
    QString programDir; // --program-dir, or the working directory
    QTextStream &out;
    QTextStream &err;
};

struct Verb
{
    using Run = std::function<int(const QStringList &arguments, Context &context)>;
    Verb(const char *name, const char *usage, const char *summary, Run run);

    QString name;
    QString usage;
    QString summary;
    Run run;
};

// Every registered verb, sorted by name.
QList<const Verb *> verbs();
const Verb *findVerb(const QString &name);

// Prints rows as the semicolon export writes them: upper-case field names, then one line a row.
void printRows(QTextStream &out, const core::SemicolonTable &rows);

// A message on one line: its line breaks ("\r" in the program's messages) become blanks.
QString oneLine(const QString &text);

} // namespace cli
