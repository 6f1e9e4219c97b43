#include "billing/forms/ContractCommand.h"

#include "billing/contracts/ContractGeneration.h"
#include "billing/forms/TfrmContratosDefina.h"
#include "billing/forms/TfrmGeraContratos.h"
#include "core/Dialogs.h"
#include "students/structure/StructureLists.h"

namespace billing {

void runContractCommand(const data::Database &db, const data::Settings &settings,
                        const QString &programDir, QWidget *parent)
{
    const QStringList classes = students::classLines(db);
    for (;;) {
        TfrmContratosDefina choice(classes, parent);
        if (choice.exec() != QDialog::Accepted)
            return;
        QList<ContractStudent> chosen = selectContractStudents(db, choice.selection());
        if (chosen.isEmpty()) {
            core::warn(kNoContractStudentsMessage);
            continue;
        }
        TfrmGeraContratos window(std::move(chosen), defaultContractModel(programDir), settings, parent);
        window.exec();
    }
}

} // namespace billing
