#pragma once

#include "data/store/Schema.h"

// Short constructors for field descriptions, so each table reads like its layout on paper.
namespace data::schema {

FieldDef text(const QString &name, int size, bool required = false);
FieldDef floating(const QString &name, bool required = false);
FieldDef shortInt(const QString &name, bool required = false);
FieldDef longInt(const QString &name);
FieldDef money(const QString &name);
FieldDef date(const QString &name, bool required = false);
FieldDef logical(const QString &name);
FieldDef autoIncrement(const QString &name);
FieldDef memo(const QString &name);

IndexDef index(const QString &name, const QStringList &fields);
// An index over names or descriptions, where upper and lower case sort together.
IndexDef nameIndex(const QString &name, const QStringList &fields);

} // namespace data::schema
