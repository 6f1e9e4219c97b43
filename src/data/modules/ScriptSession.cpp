#include "data/modules/ScriptSession.h"

#include "core/Clock.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Dataset.h"
#include "data/users/UsersTable.h"

#include <QDir>
#include <QFileInfo>

namespace data {

namespace {

QString schoolYearOf(const QString &dataDir)
{
    if (QFileInfo::exists(QDir(dataDir).filePath(QString::fromLatin1(kStoreFileName)))) {
        try {
            Settings record = Settings::defaults(QString());
            loadSettings(Database::open(dataDir), record);
            if (!record.Ano_Ref.trimmed().isEmpty())
                return record.Ano_Ref.trimmed();
        } catch (const std::exception &) {
            // An older directory without settings: the year of today will do.
        }
    }
    return QString::number(core::today().year());
}

const FieldText *findGiven(const QList<FieldText> &given, const QString &field)
{
    for (const FieldText &f : given)
        if (f.field.compare(field, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

QString describe(const QList<FieldText> &keys)
{
    QStringList parts;
    for (const FieldText &k : keys)
        parts += k.field + u'=' + k.text;
    return parts.join(QStringLiteral(", "));
}

// The row whose key fields hold the typed values; the cursor stays on it.
void moveToUniqueRow(Dataset &dataset, const QList<FieldText> &keys)
{
    QStringList names;
    QVariantList values;
    for (const FieldText &k : keys) {
        names += k.field;
        values += k.text;
    }
    if (!dataset.locate(names.join(u';'), values))
        throw ScriptRefusal(QStringLiteral("Nenhum registro de %1 com %2.").arg(dataset.displayName(), describe(keys)));
    const qint64 found = dataset.bookmark();
    QVariantList stored;
    for (const QString &name : std::as_const(names))
        stored += dataset.value(name);
    int matches = 0;
    for (dataset.first(); !dataset.eof(); dataset.next()) {
        bool same = true;
        for (int i = 0; i < names.size() && same; ++i)
            same = dataset.value(names.at(i)) == stored.at(i);
        matches += same ? 1 : 0;
    }
    dataset.gotoBookmark(found);
    if (matches > 1)
        throw ScriptRefusal(QStringLiteral("Há %1 registros de %2 com %3; informe mais campos em --key.")
                                .arg(matches)
                                .arg(dataset.displayName(), describe(keys)));
}

} // namespace

core::Button ScriptDialogs::show(const core::Message &message)
{
    core::ConsoleDialogs::show(message);
    if (message.icon == core::Icon::Error)
        ++m_errors;
    if (message.buttons.testFlag(core::Button::Yes))
        return m_yes ? core::Button::Yes : core::Button::No;
    if (message.buttons.testFlag(core::Button::Cancel))
        return m_yes ? core::Button::Ok : core::Button::Cancel;
    return core::defaultAnswer(message);
}

ScriptSession::ScriptSession(const QString &usersDir, const QString &dataDir, const QString &userId,
                             const QString &password)
{
    LogOnOutcome outcome = LogOnOutcome::UnknownUser;
    std::optional<UserRecord> user;
    {
        const UsersTable users(usersDir);
        user = logOnWithoutDialog(users, userId, password, &outcome);
    }
    if (!user)
        throw ScriptRefusal(logOnMessage(outcome).text);
    m_academic = std::make_unique<TDataModule1>();
    m_cashBook = std::make_unique<TdmTarnel>();
    try {
        openSession(*m_academic, *m_cashBook, *user, schoolYearOf(dataDir), dataDir);
    } catch (...) {
        closeSession(*m_academic, *m_cashBook);
        throw;
    }
}

ScriptSession::~ScriptSession()
{
    closeSession(*m_academic, *m_cashBook);
}

Database ScriptSession::database() const
{
    return Database::named(QString::fromLatin1(kMainDatabaseName));
}

Dataset &ScriptSession::openTable(const QString &table, const QList<FieldText> &given)
{
    Dataset *dataset = m_academic->datasetForTable(table);
    if (!dataset)
        dataset = m_cashBook->datasetForTable(table);
    if (!dataset)
        throw ScriptRefusal(QStringLiteral("Tabela desconhecida: %1").arg(table));
    if (dataset == m_cashBook->datasetForTable(QStringLiteral("GrupoConta"))) {
        // A new group takes the kind chosen on the screen: here, the one given.
        if (const FieldText *kind = findGiven(given, QStringLiteral("Tipo_Grupo")))
            m_cashBook->setGroupKind(kind->text.trimmed().toInt());
    }
    openWithMasters(*dataset, given);
    return *dataset;
}

void ScriptSession::openWithMasters(Dataset &dataset, const QList<FieldText> &given)
{
    QList<DatasetLink> links = m_academic->links();
    links += m_cashBook->links();
    for (const DatasetLink &link : std::as_const(links)) {
        if (link.detail != &dataset)
            continue;
        openWithMasters(*link.master, {});
        QStringList names;
        QVariantList values;
        for (int i = 0; i < link.detailFields.size(); ++i) {
            if (const FieldText *f = findGiven(given, link.detailFields.at(i))) {
                names += link.masterFields.at(i);
                values += f->text;
            }
        }
        if (names.isEmpty())
            continue;
        LocateOptions options;
        options.partialKey = link.byPrefix;
        if (!link.master->locate(names.join(u';'), values, options))
            throw ScriptRefusal(QStringLiteral("Nenhum registro de %1 com %2 = %3.")
                                    .arg(link.master->displayName(), names.join(u';'),
                                         QVariant(values).toStringList().join(u';')));
    }
    dataset.open();
}

void postRow(Dataset &dataset, const QList<FieldText> &keys, const QList<FieldText> &values)
{
    if (keys.isEmpty()) {
        if (!dataset.append())
            throw ScriptRefusal(QStringLiteral("A inclusão em %1 foi recusada.").arg(dataset.displayName()));
    } else {
        moveToUniqueRow(dataset, keys);
        if (!dataset.edit())
            throw ScriptRefusal(QStringLiteral("O registro de %1 com %2 não pode ser alterado por este usuário.")
                                    .arg(dataset.displayName(), describe(keys)));
    }
    try {
        for (const FieldText &v : values)
            dataset.setText(v.field, v.text);
        if (!dataset.post())
            throw ScriptRefusal(QStringLiteral("A gravação em %1 foi recusada.").arg(dataset.displayName()));
    } catch (...) {
        dataset.cancel();
        throw;
    }
}

void deleteRow(Dataset &dataset, const QList<FieldText> &keys)
{
    if (keys.isEmpty())
        throw ScriptRefusal(QStringLiteral("Informe o registro a excluir com --key CAMPO=VALOR."));
    moveToUniqueRow(dataset, keys);
    if (!dataset.remove())
        throw ScriptRefusal(QStringLiteral("A exclusão em %1 foi cancelada.").arg(dataset.displayName()));
}

QStringList fieldNames(const Dataset &dataset)
{
    QStringList names;
    for (const DatasetField &f : dataset.fields())
        names += f.name;
    return names;
}

QStringList rowTexts(const Dataset &dataset)
{
    QStringList texts;
    for (int i = 0; i < dataset.fieldCount(); ++i)
        texts += dataset.displayText(i);
    return texts;
}

} // namespace data
