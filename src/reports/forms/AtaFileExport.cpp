#include "reports/forms/AtaFileExport.h"

#include "core/Dialogs.h"

namespace reports {

void askAndExport(const AtaFileExport &exportFile, const AtaOptions &options, const QString &classListText,
                  QWidget *parent)
{
    const core::Button answer = core::dialogs().show(
        {QStringLiteral("Esta opção permite gerar um arquivo texto\rcom os dados que seriam impressos. Desta\r"
                        "forma, poderá ser usado outro aplicativo para\rtratamento e impressão. Continua?"),
         QStringLiteral("Confirmação"), core::Icon::Question, core::Button::Yes | core::Button::No});
    if (answer == core::Button::Yes && exportFile)
        exportFile(options, classListText, parent);
}

} // namespace reports
