#pragma once

#include "data/settings/Settings.h"
#include "data/store/Schema.h"

#include <QList>
#include <QVariant>
#include <utility>
#include <variant>

// The one table of the school's settings items. Each item knows its place in the record, its
// column in the settings table, its key in Quorvel.ini, its default, its limits and how typed
// text is read, so the record's defaults, the table's layout, loading and saving, the settings
// form, the initialisation file and `lumesco-cli settings` all follow it.
namespace data {

class Dataset;

class SettingsItem
{
public:
    enum class Kind
    {
        Text,    // cut to `limit` characters
        Year,    // a text of digits, kept in a numeric column
        Percent, // a number with two decimals, not negative (the daily fine)
        Whole,   // a whole number from `minimum` to `maximum`
        Logical, // "True" / "False"
    };
    using Member = std::variant<QString Settings::*, double Settings::*, int Settings::*,
                                bool Settings::*>;

    QString name;     // the record's name; the form's fields are "txt"/"chk" + name
    FieldDef column;  // its column in the settings table
    Kind kind = Kind::Text;
    Member member;
    QString defaultText; // as typed; Year items default to the school year instead
    int limit = 0;       // Text, Year: characters kept
    int width = 0;       // characters the form lets one type
    int minimum = 0;     // Whole: the accepted range of typed values
    int maximum = 0;
    QString iniSection;  // empty when Quorvel.ini does not hold the item
    QString iniKey;

    // The value as the form and the command line show it: numbers with the decimal comma (the
    // fine with two decimals), logicals "True"/"False".
    QString text(const Settings &record) const;
    // Reads typed text into the record with the program's number rules. When the text does not
    // fit, the record is left alone and `error` (optional) says why, in Portuguese.
    bool setText(Settings &record, const QString &text, QString *error = nullptr) const;
    void reset(Settings &record) const;

    // The value for the settings table's column.
    QVariant storeValue(const Settings &record) const;
    // Takes the value of the current row's column; a missing or empty column changes nothing.
    void load(const Dataset &row, Settings &record) const;
};

// Every item, in the order of the settings table's columns.
const QList<SettingsItem> &settingsItems();
// The item called `name` (case-insensitive); null when there is none.
const SettingsItem *findSettingsItem(const QString &name);
// The item called `name`; for names written in the code, so an unknown one is a fault.
const SettingsItem &settingsItem(const QString &name);

// The logical texts of items, as shown and stored in texts.
QString settingsLogicalText(bool value);

// The settings table's last column, not an item of the record: stamped on every save.
inline constexpr const char *kVersionInfoColumn = "Version_Info";
inline constexpr const char *kVersionInfo = "20090601";

// Sets the items one after another, in the given order, and stops at the first text that does
// not fit: false with its `error`; the items before it keep their new values.
bool setSettingsTexts(Settings &record,
                      const QList<std::pair<const SettingsItem *, QString>> &texts,
                      QString *error = nullptr);

} // namespace data
