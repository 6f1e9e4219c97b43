#include "data/schema/Fields.h"

namespace data::schema {

namespace {

FieldDef make(const QString &name, FieldType type, int size, bool required)
{
    FieldDef f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.required = required;
    return f;
}

} // namespace

FieldDef text(const QString &name, int size, bool required)
{
    return make(name, FieldType::Text, size, required);
}

FieldDef floating(const QString &name, bool required)
{
    return make(name, FieldType::Float, 0, required);
}

FieldDef shortInt(const QString &name, bool required)
{
    return make(name, FieldType::Short, 0, required);
}

FieldDef longInt(const QString &name)
{
    return make(name, FieldType::Long, 0, false);
}

FieldDef money(const QString &name)
{
    return make(name, FieldType::Money, 0, false);
}

FieldDef date(const QString &name, bool required)
{
    return make(name, FieldType::Date, 0, required);
}

FieldDef logical(const QString &name)
{
    return make(name, FieldType::Logical, 0, false);
}

FieldDef autoIncrement(const QString &name)
{
    return make(name, FieldType::AutoIncrement, 0, false);
}

FieldDef memo(const QString &name)
{
    return make(name, FieldType::Memo, 0, false);
}

IndexDef index(const QString &name, const QStringList &fields)
{
    IndexDef i;
    i.name = name;
    i.fields = fields;
    return i;
}

IndexDef nameIndex(const QString &name, const QStringList &fields)
{
    IndexDef i = index(name, fields);
    i.caseInsensitive = true;
    return i;
}

} // namespace data::schema
