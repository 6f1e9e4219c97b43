#include "reports/forms/ListingPreview.h"

#include "reports/engine/forms/Printing.h"

#include "core/Dialogs.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"

#include <QApplication>

namespace reports {

namespace {

// The hourglass while the tables are read.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

void showListing(Listing listing, QWidget *parent)
{
    Document document;
    try {
        const WaitCursor wait;
        document = tableListing(listing, data::Database::named(data::kMainDatabaseName),
                                SchoolInfo::fromSettings(data::settings()));
    } catch (const data::StoreError &error) {
        core::showError(error.message());
        return;
    }
    showPreview(document, parent);
}

} // namespace reports
