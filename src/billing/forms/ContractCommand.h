#pragma once

#include <QString>

class QWidget;

namespace data {
class Database;
struct Settings;
} // namespace data

namespace billing {

// "&s. Emissão de Contratos": the selection dialog, again after every run until it is cancelled,
// and for each choice the window that writes the contracts from the program folder's model.
void runContractCommand(const data::Database &db, const data::Settings &settings,
                        const QString &programDir, QWidget *parent);

} // namespace billing
