#include "billing/receipt/ReceiptCommand.h"

#include "core/Dialogs.h"
#include "data/settings/Settings.h"

namespace billing {

ReceiptSource receiptSource(const ChargeRecord &record, const StudentOnReceipt &student,
                            const data::Settings &settings, const QString &userName,
                            const QDate &today)
{
    ReceiptSource source;
    source.charge = record.charge;
    source.student = student;
    source.school = {settings.Estabel, settings.Endereco, settings.Municipio, settings.UF,
                     settings.Fone};
    source.userName = userName;
    source.programTitle = QString::fromUtf8(core::kApplicationTitle);
    source.today = today;
    return source;
}

std::optional<Receipt> prepareReceipt(const ReceiptSource &source)
{
    if (!source.charge.isPaid()) {
        core::dialogs().show({QStringLiteral("É necessário fazer a baixa do pagamento primeiro!"),
                              QStringLiteral("Atenção"), core::Icon::Warning, core::Button::Ok});
        return std::nullopt;
    }
    return Receipt{receiptLines(source), authenticationLine(source.charge, source.today)};
}

} // namespace billing
