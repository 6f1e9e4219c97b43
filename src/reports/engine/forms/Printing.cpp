#include "reports/engine/forms/Printing.h"

#include "reports/engine/PagePainter.h"
#include "reports/engine/Report.h"
#include "reports/engine/forms/PreviewWindow.h"

#include "core/Dialogs.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace reports {

namespace {

const QString kPrintFailed = QStringLiteral("Não foi possível imprimir o relatório.");

void prepare(QPrinter &printer, const Document &document)
{
    printer.setFullPage(true);
    printer.setDocName(document.title);
    printer.setPageLayout(QPageLayout(document.pageSize, document.orientation, QMarginsF()));
}

} // namespace

void showPreview(const Document &document, QWidget *parent)
{
    PreviewWindow window(document, parent);
    window.exec();
}

bool printWithDialog(const Document &document, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    prepare(printer, document);
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, document.pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printDocument(document, printer))
        return true;
    core::showError(kPrintFailed);
    return false;
}

bool printDirect(const Document &document)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        core::showError(QStringLiteral("Não há impressora instalada.\rO relatório não foi impresso."));
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    prepare(printer, document);
    if (printDocument(document, printer))
        return true;
    core::showError(kPrintFailed);
    return false;
}

bool printDocument(const Document &document, QPrinter &printer)
{
    int first = 1;
    int last = document.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage())
            return false;
        paintPageFullSize(painter, document, page - 1);
    }
    return painter.end();
}

void adoptDefaultPrinterPaper()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        setDefaultPaper(info.defaultPageSize());
}

} // namespace reports
