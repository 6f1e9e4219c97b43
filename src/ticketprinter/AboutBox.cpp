#include "ticketprinter/AboutBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdio>

namespace zupri {

QString aboutText()
{
    return QStringLiteral(" ZupriDLL Rev. B \nBiblioteca da impressora de tickets do Lumesco");
}

void showAboutBox()
{
    const auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (app && QThread::currentThread() == app->thread()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About"), aboutText(), QMessageBox::Ok);
        box.exec();
        return;
    }
    std::fprintf(stderr, "%s\n", aboutText().toLocal8Bit().constData());
}

} // namespace zupri
