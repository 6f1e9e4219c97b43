#include "reports/engine/Layout.h"
#include "reports/engine/TextMetrics.h"
#include "reports/engine/forms/PageView.h"
#include "reports/engine/forms/PreviewWindow.h"
#include "reports/engine/forms/Printing.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

using namespace reports;

class PreviewWindowTest : public QObject
{
    Q_OBJECT

private:
    static Document threePages()
    {
        Report report;
        report.title = QStringLiteral("TABELA DE TURMAS / MENSALIDADES");
        report.page.paper = Paper::A4;
        report.detail.height = 1000;
        report.detail.field(QStringLiteral("N"), {0, 0, 500, 50});
        RecordList rows({QStringLiteral("N")});
        for (int i = 1; i <= 7; ++i)
            rows.append({i});
        return layout(report, rows); // two rows of 1000 a page
    }

    static QToolButton *button(QWidget &window, const char *name)
    {
        return window.findChild<QToolButton *>(QString::fromLatin1(name));
    }

private slots:
    void navigatesPageByPage()
    {
        const Document document = threePages();
        QCOMPARE(document.pageCount(), 4);
        PreviewWindow window(document);
        window.show();
        QVERIFY(window.isModal());
        QCOMPARE(window.windowTitle(), QStringLiteral("TABELA DE TURMAS / MENSALIDADES"));
        auto *spin = window.findChild<QSpinBox *>(QStringLiteral("pageSpin"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("pageCountLabel"))->text(),
                 QStringLiteral("de 4"));
        QCOMPARE(spin->value(), 1);
        QVERIFY(!button(window, "firstPageButton")->isEnabled());
        QVERIFY(!button(window, "previousPageButton")->isEnabled());

        QTest::mouseClick(button(window, "nextPageButton"), Qt::LeftButton);
        QCOMPARE(window.currentPage(), 1);
        QCOMPARE(spin->value(), 2);
        QTest::mouseClick(button(window, "lastPageButton"), Qt::LeftButton);
        QCOMPARE(window.currentPage(), 3);
        QVERIFY(!button(window, "nextPageButton")->isEnabled());
        QVERIFY(!button(window, "lastPageButton")->isEnabled());
        QTest::mouseClick(button(window, "previousPageButton"), Qt::LeftButton);
        QCOMPARE(window.currentPage(), 2);
        spin->setValue(2);
        QCOMPARE(window.currentPage(), 1);
        QTest::mouseClick(button(window, "firstPageButton"), Qt::LeftButton);
        QCOMPARE(window.currentPage(), 0);
        QTest::keyClick(&window, Qt::Key_PageDown);
        QCOMPARE(window.currentPage(), 1);
    }

    void zoomsToWholePageWidthAndPercent()
    {
        const Document document = threePages();
        PreviewWindow window(document);
        window.resize(900, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *view = window.findChild<PageView *>(QStringLiteral("pageView"));
        auto *combo = window.findChild<QComboBox *>(QStringLiteral("zoomCombo"));

        combo->setCurrentIndex(0); // whole page: all of it shows
        const QSize room = view->parentWidget()->size();
        QVERIFY(view->height() <= room.height());
        QVERIFY(view->width() <= room.width());

        combo->setCurrentIndex(1); // page width: as wide as the room, taller than it
        QVERIFY(qAbs(view->width() - room.width()) <= 2);
        QVERIFY(view->height() > room.height());

        combo->setCurrentText(QStringLiteral("100%"));
        QCOMPARE(window.scale(), view->logicalDpiX() / kLayoutDotsPerInch);
        window.setZoom(PreviewWindow::Zoom::Percent, 200);
        QCOMPARE(combo->currentText(), QStringLiteral("200%"));
        QCOMPARE(view->width(), qRound(2100 * 2 * view->logicalDpiX() / kLayoutDotsPerInch) +
                                    2 * PageView::kBorder);
    }

    void savesAsPdfWithTheChosenName()
    {
        TempDir dir;
        ScriptedDialogs::Guard dialogs;
        dialogs->answerFile(dir.file(QStringLiteral("turmas")));
        const Document document = threePages();
        PreviewWindow window(document);
        QTest::mouseClick(button(window, "pdfButton"), Qt::LeftButton);
        QFile pdf(dir.file(QStringLiteral("turmas.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF-"));
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(dialogs->last().kind, QStringLiteral("save"));
        QCOMPARE(dialogs->last().caption, QStringLiteral("Salvar como PDF"));
    }

    void pdfThatCannotBeWrittenIsReported()
    {
        TempDir dir;
        ScriptedDialogs::Guard dialogs;
        dialogs->answerFile(dir.file(QStringLiteral("sem/pasta.pdf")));
        const Document document = threePages();
        PreviewWindow window(document);
        window.saveAsPdf();
        QCOMPARE(dialogs->last().kind, QStringLiteral("message"));
        QCOMPARE(dialogs->last().caption, QStringLiteral("Erro"));
        QVERIFY(dialogs->last().text.startsWith(QStringLiteral("Não foi possível gravar")));
    }

    void directPrintWithoutPrinterSaysSo()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a printer; nothing would be refused");
        ScriptedDialogs::Guard dialogs;
        QVERIFY(!printDirect(threePages()));
        QCOMPARE(dialogs->last().text,
                 QStringLiteral("Não há impressora instalada.\rO relatório não foi impresso."));
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "PreviewWindowTest.moc"
