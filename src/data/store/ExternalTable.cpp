#include "data/store/ExternalTable.h"

#include "core/Dialogs.h"
#include "core/TextFile.h"
#include "data/store/Database.h"
#include "data/store/ServerAddress.h"
#include "data/store/Table.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <shapefil.h>

namespace data {

namespace {

// Code pages named by the language driver byte of a dBase header.
QString codePageOfLdid(int ldid)
{
    switch (ldid) {
    case 0x01:
        return QStringLiteral("IBM437");
    case 0x02:
    case 0x10:
    case 0x37:
        return QStringLiteral("IBM850");
    case 0x64:
        return QStringLiteral("IBM852");
    case 0x65:
        return QStringLiteral("IBM866");
    case 0x66:
        return QStringLiteral("IBM865");
    case 0x67:
        return QStringLiteral("IBM861");
    case 0xC8:
        return QStringLiteral("windows-1250");
    case 0xC9:
        return QStringLiteral("windows-1251");
    case 0xCB:
        return QStringLiteral("windows-1253");
    default: // 0x03, 0x57, 0x58, 0x59 and none at all: the Windows ANSI page
        return QStringLiteral("windows-1252");
    }
}

// "LDID/87" from the header, or the text of a .cpg file beside the table.
QString codePageOf(const char *declared)
{
    const QString text = QString::fromLatin1(declared ? declared : "").trimmed();
    if (text.isEmpty())
        return QStringLiteral("windows-1252");
    if (text.startsWith(QLatin1String("LDID/"), Qt::CaseInsensitive))
        return codePageOfLdid(text.mid(5).toInt());
    const QString upper = text.toUpper();
    if (upper == u"UTF-8" || upper == u"UTF8")
        return QStringLiteral("UTF-8");
    bool numeric = false;
    const int number = upper.section(u' ', -1).toInt(&numeric);
    if (numeric) {
        if (number >= 1250 && number <= 1258)
            return QStringLiteral("windows-%1").arg(number);
        if (number == 437 || number == 850 || number == 852 || number == 866)
            return QStringLiteral("IBM%1").arg(number);
    }
    if (upper.startsWith(u"CP") && upper.mid(2).toInt() > 0)
        return codePageOf(upper.mid(2).toLatin1().constData());
    return QStringLiteral("windows-1252");
}

class Decoder
{
public:
    explicit Decoder(const QString &codePage) : m_codePage(codePage)
    {
        if (codePage != u"windows-1252")
            m_decoder = QStringDecoder(codePage.toLatin1().constData());
    }
    QString decode(const char *bytes)
    {
        const QByteArray raw(bytes ? bytes : "");
        if (m_decoder.isValid())
            return m_decoder.decode(raw);
        return core::fromWindows1252(raw);
    }

private:
    QString m_codePage;
    QStringDecoder m_decoder;
};

struct DbfCloser
{
    void operator()(DBFInfo *h) const
    {
        if (h)
            DBFClose(h);
    }
};

} // namespace

DbfTable::DbfTable(const QString &path, QObject *parent) : Dataset(parent), m_path(path)
{
    setReadOnlyFlag(true);
}

DbfTable::~DbfTable() = default;

QString DbfTable::displayName() const
{
    return QFileInfo(m_path).fileName();
}

void DbfTable::openSource(QList<DatasetField> &storedFields)
{
    const QByteArray path = QFile::encodeName(m_path);
    std::unique_ptr<DBFInfo, DbfCloser> dbf(QFileInfo(m_path).isFile() ? DBFOpen(path.constData(), "rb") : nullptr);
    if (!dbf)
        throw StoreError(QStringLiteral("Não foi possível abrir %1 como tabela dBase.").arg(QDir::toNativeSeparators(m_path)));
    m_codePage = codePageOf(DBFGetCodePage(dbf.get()));
    Decoder decoder(m_codePage);

    const int fieldCount = DBFGetFieldCount(dbf.get());
    for (int i = 0; i < fieldCount; ++i) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0, decimals = 0;
        const DBFFieldType type = DBFGetFieldInfo(dbf.get(), i, name, &width, &decimals);
        const char native = DBFGetNativeFieldType(dbf.get(), i);
        DatasetField field;
        field.name = decoder.decode(name).trimmed();
        if (native == 'D' || type == FTDate) {
            field.type = FieldType::Date;
        } else if (type == FTLogical) {
            field.type = FieldType::Logical;
        } else if (type == FTInteger && width <= 9) {
            field.type = FieldType::Long;
        } else if (type == FTInteger || type == FTDouble) {
            field.type = FieldType::Float;
        } else if (native == 'M') {
            field.type = FieldType::Memo;
        } else {
            field.type = FieldType::Text;
            field.size = width;
        }
        storedFields.append(field);
    }

    m_rows.clear();
    // A damaged header may claim millions of records in a file of a few bytes: only the records
    // the file really holds are read.
    int records = DBFGetRecordCount(dbf.get());
    const qint64 body = QFileInfo(m_path).size() - dbf->nHeaderLength;
    if (dbf->nRecordLength <= 0 || body <= 0)
        records = 0;
    else
        records = int(std::min<qint64>(records, body / dbf->nRecordLength));
    for (int r = 0; r < records; ++r) {
        if (DBFIsRecordDeleted(dbf.get(), r))
            continue;
        auto row = std::make_shared<Row>();
        row->id = r + 1;
        row->values.reserve(fieldCount);
        for (int i = 0; i < fieldCount; ++i) {
            const DatasetField &f = storedFields[i];
            if (DBFIsAttributeNULL(dbf.get(), r, i)) {
                row->values.append(QVariant());
                continue;
            }
            switch (f.type) {
            case FieldType::Date: {
                const QDate d = QDate::fromString(QString::fromLatin1(DBFReadStringAttribute(dbf.get(), r, i)).trimmed(),
                                                  QStringLiteral("yyyyMMdd"));
                row->values.append(d.isValid() ? QVariant(d) : QVariant());
                break;
            }
            case FieldType::Logical: {
                const char *text = DBFReadLogicalAttribute(dbf.get(), r, i);
                const char c = text ? text[0] : '?';
                row->values.append(c == 'T' || c == 't' || c == 'Y' || c == 'y' ? QVariant(true)
                                   : c == 'F' || c == 'f' || c == 'N' || c == 'n' ? QVariant(false)
                                                                                  : QVariant());
                break;
            }
            case FieldType::Long:
                row->values.append(DBFReadIntegerAttribute(dbf.get(), r, i));
                break;
            case FieldType::Float:
                row->values.append(DBFReadDoubleAttribute(dbf.get(), r, i));
                break;
            default: {
                QString text = decoder.decode(DBFReadStringAttribute(dbf.get(), r, i));
                qsizetype end = text.size();
                while (end > 0 && text.at(end - 1) == u' ')
                    --end;
                text.truncate(end);
                row->values.append(text.isEmpty() ? QVariant() : QVariant(text));
            }
            }
        }
        m_rows.push_back(std::move(row));
    }
}

void DbfTable::loadRows(std::vector<RowPtr> &rows)
{
    if (m_rows.empty())
        rows = allRows(); // a refresh: the file was read once when it opened
    else
        rows.swap(m_rows);
    m_rows.clear();
}

QString askExternalTableFile()
{
    return core::dialogs().openFile(
        {QStringLiteral("Abrir"), QString(), QString(),
         QStringLiteral("Arquivos dBase Compatível (*.DBF *.dbf);;Arquivos Paradox (*.DB *.db)")});
}

QString previousServerYear(const Database &current)
{
    if (!current.isServerYear())
        return {};
    const ServerAddress own = ServerAddress::parse(current.directory());
    return own.year > 1 ? own.withYear(own.year - 1) : QString();
}

QString askServerYearAddress(const Database &current)
{
    const std::optional<QString> address = core::dialogs().askText(
        QStringLiteral("Ano letivo no servidor"),
        QStringLiteral("Endereço do ano letivo no servidor (como no ConfigRede.txt):"), previousServerYear(current));
    return address ? address->trimmed() : QString();
}

std::unique_ptr<Dataset> openExternalTable(const QString &path, const QString &defaultTable)
{
    // Another school year on a server: its table of the default name.
    if (ServerAddress::isServerAddress(path)) {
        const ServerAddress address = ServerAddress::parse(path);
        if (address.year == 0)
            throw StoreError(QStringLiteral("O endereço %1 não indica um ano letivo (ano=...).").arg(address.text));
        const Database db = Database::open(address.text, Database::Access::ReadOnly);
        if (defaultTable.isEmpty() || !db.hasTable(defaultTable))
            throw StoreError(QStringLiteral("Não foi possível abrir %1: a tabela não existe.").arg(address.text));
        auto table = std::make_unique<Table>(db, defaultTable);
        table->setReadOnly(true);
        table->open();
        return table;
    }
    const QFileInfo info(path);
    if (info.suffix().compare(u"dbf", Qt::CaseInsensitive) == 0) {
        auto table = std::make_unique<DbfTable>(path);
        table->open();
        return table;
    }
    // A table of this program: the directory's store file holds it.
    const QString directory = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    if (!QFileInfo::exists(QDir(directory).filePath(QString::fromLatin1(kStoreFileName))))
        throw StoreError(QStringLiteral("Não foi possível abrir %1: não é uma tabela válida.").arg(QDir::toNativeSeparators(path)));
    const Database db = Database::open(directory, Database::Access::ReadOnly);
    QString tableName = info.fileName();
    if (info.isDir() || tableName.compare(QString::fromLatin1(kStoreFileName), Qt::CaseInsensitive) == 0)
        tableName = defaultTable;
    if (tableName.isEmpty() || !db.hasTable(tableName))
        throw StoreError(QStringLiteral("Não foi possível abrir %1: a tabela não existe.").arg(QDir::toNativeSeparators(path)));
    auto table = std::make_unique<Table>(db, tableName);
    table->setReadOnly(true);
    table->open();
    return table;
}

} // namespace data
