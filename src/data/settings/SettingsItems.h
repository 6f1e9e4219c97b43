#pragma once

#include "data/settings/Settings.h"

#include <QList>
#include <QPair>

// The settings record as named items with texts, for tools that list or change single items.
namespace data {

// Every item in the order of the settings table: name and value as text (numbers with the
// decimal comma, logicals "True"/"False").
QList<QPair<QString, QString>> settingsItems(const Settings &record);

// Sets the item called `name` (case-insensitive) from `text`; false with a Portuguese `error`
// when the item is unknown or the text does not fit it. Texts are cut to the item's limit.
bool setSettingsItem(Settings &record, const QString &name, const QString &text, QString *error);

} // namespace data
