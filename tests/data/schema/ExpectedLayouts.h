#pragma once

#include "data/store/Schema.h"

#include <QMap>
#include <QString>

// The layout every school year must have, written out field by field from the paper forms of
// the tables, independent of the schema code: "NAME:T42!" is text(42) required; F float,
// S short, L long, M money, D date, B logical, A autoincrement, O memo.
const QMap<QString, QString> &expectedLayouts();

// The same notation for a table description, to compare with the above.
QString layoutText(const data::TableDef &table);
