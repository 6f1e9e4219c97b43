#include "reports/engine/PdfExport.h"

#include "core/ApplicationTitle.h"
#include "reports/engine/PagePainter.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>

namespace reports {

bool writePdf(const Document &document, const QString &path, QString *error)
{
    // QPdfWriter reports nothing when it cannot open its file; open it here to say so.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = QStringLiteral("Não foi possível gravar o arquivo \"%1\".\r%2")
                         .arg(path, file.errorString());
        return false;
    }
    QPdfWriter writer(&file);
    writer.setTitle(document.title);
    writer.setCreator(QString::fromUtf8(core::kApplicationTitle));
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(document.pageSize, document.orientation, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("Não foi possível gravar o arquivo \"%1\".").arg(path);
        return false;
    }
    for (int i = 0; i < document.pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        paintPageFullSize(painter, document, i);
    }
    painter.end();
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Não foi possível gravar o arquivo \"%1\".\r%2")
                         .arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace reports
