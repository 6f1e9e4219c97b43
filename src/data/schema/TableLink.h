#pragma once

#include <QString>
#include <QStringList>

// A master-detail link: the detail shows the rows whose `detailFields` equal the master's current
// `masterFields`, pairwise.
namespace data::schema {

struct TableLink
{
    QString master;
    QString detail;
    QStringList masterFields;
    QStringList detailFields;
    bool keptByDataModule = false; // false: opened by report forms on their own datasets
};

} // namespace data::schema
