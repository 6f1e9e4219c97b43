#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Declarative description of the tables of a school year. One description serves creating a new
// school year, bringing an older one up to date and checking a layout.
namespace data {

enum class FieldType {
    Text,          // fixed width, cut to `size` characters on write
    Float,         // 8-byte floating number
    Short,         // 16-bit integer
    Long,          // 32-bit integer
    Money,         // 8-byte floating amount shown with two decimals
    Date,          // stored as ISO YYYY-MM-DD text
    Logical,       // stored as 0/1
    AutoIncrement, // 32-bit number assigned by the store
    Memo,          // text of any length
};

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters, for Text
    bool required = false;
};

struct IndexDef
{
    QString name;       // "kTurma"; the primary index has an empty name
    QStringList fields; // in order of precedence
    bool descending = false;
    bool caseInsensitive = false;
};

struct TableDef
{
    QString name;       // table name as the program knows it ("ALUNOS")
    QString fileName;   // file name the forms open ("Alunos.DB")
    QList<FieldDef> fields;
    QStringList primaryKey; // may be empty (no unique key)
    QList<IndexDef> indexes;

    const FieldDef *field(const QString &fieldName) const; // case-insensitive; null if absent
    const IndexDef *index(const QString &indexName) const; // case-insensitive; null if absent
};

} // namespace data
