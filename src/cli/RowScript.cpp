#include "cli/RowScript.h"

#include "cli/DataPlace.h"
#include "cli/KeyValue.h"
#include "core/Dialogs.h"

#include <QDir>

namespace cli {

QList<data::FieldText> fieldTexts(const QStringList &arguments, const QString &what)
{
    QList<data::FieldText> list;
    for (const KeyValue &pair : keyValues(arguments, what))
        list += data::FieldText{pair.key, pair.value};
    return list;
}

RowScript::RowScript(const Args &args, const Context &context, const QString &dataDir, bool yes)
    : m_dataDir(dataDir), m_credentials(credentials(args))
{
    if (!dataPlaceExists(dataDir))
        throw Failure(QStringLiteral("A pasta de dados não existe: %1").arg(QDir::toNativeSeparators(dataDir)));
    core::programDirs() = programDirectories(context);
    m_dialogs = new data::ScriptDialogs(yes);
    core::setDialogs(std::unique_ptr<core::Dialogs>(m_dialogs));
}

data::ScriptSession &RowScript::open()
{
    m_session = std::make_unique<data::ScriptSession>(core::programDirs().users, m_dataDir,
                                                      m_credentials.user, m_credentials.password);
    return *m_session;
}

} // namespace cli
