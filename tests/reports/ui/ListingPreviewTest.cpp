#include "reports/engine/forms/PreviewWindow.h"
#include "reports/forms/ListingPreview.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace reports;

class ListingPreviewTest : public QObject
{
    Q_OBJECT

private:
    // Closes the preview as soon as it shows, noting its caption and page count.
    void closePreviewWhenShown()
    {
        QTimer::singleShot(0, this, [this] {
            auto *window = qobject_cast<PreviewWindow *>(QApplication::activeModalWidget());
            if (!window)
                return;
            m_caption = window->windowTitle();
            m_pages = window->findChild<QLabel *>(QStringLiteral("pageCountLabel"))->text();
            window->accept();
        });
    }

    TempDir m_dir;
    QString m_caption;
    QString m_pages;

private slots:
    void initTestCase()
    {
        const data::Database db =
            data::createSchoolYear(m_dir.file(QStringLiteral("Data2010")), QStringLiteral("2010"));
        db.exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO, TIPO) values ('PO', 'PORTUGUÊS', 'N')"));
        data::Database::defineName(QStringLiteral("Quorvel"), db.directory());
    }

    void cleanupTestCase() { data::Database::closeAll(); }

    void opensTheListingInThePreview()
    {
        ScriptedDialogs::Guard dialogs;
        closePreviewWhenShown();
        showListing(Listing::Disciplinas, nullptr);
        QCOMPARE(m_caption, QStringLiteral("TABELA DE DISCIPLINAS"));
        QCOMPARE(m_pages, QStringLiteral("de 1"));
        QVERIFY(dialogs->shown().isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void aStoreFailureIsShownAndNoPreviewOpens()
    {
        ScriptedDialogs::Guard dialogs;
        data::Database::named(QStringLiteral("Quorvel")).dropTable(QStringLiteral("Tabturma"));
        m_caption.clear();
        closePreviewWhenShown();
        showListing(Listing::Turmas, nullptr);
        QVERIFY(m_caption.isEmpty());
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(dialogs->last().caption, QStringLiteral("Erro"));
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(ListingPreviewTest)
#include "ListingPreviewTest.moc"
