#include "reports/TableListings.h"
#include "reports/engine/forms/PreviewWindow.h"
#include "reports/forms/ReportOptionsDialog.h"
#include "reports/forms/ReportRunner.h"

#include "core/Clock.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace reports;

class ReportRunnerTest : public QObject
{
    Q_OBJECT

private:
    // Runs each act on the next modal window as it comes up, in order.
    void onModals(QList<std::function<void(QWidget *)>> acts)
    {
        m_acts = std::move(acts);
        pollModal();
    }
    void pollModal()
    {
        QTimer::singleShot(10, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal != m_lastModal && !m_acts.isEmpty()) {
                m_lastModal = modal;
                m_acts.takeFirst()(modal);
            }
            if (!m_acts.isEmpty())
                pollModal();
        });
    }
    static void closePreview(QWidget *w, QString *caption = nullptr, QString *pages = nullptr)
    {
        auto *preview = qobject_cast<PreviewWindow *>(w);
        QVERIFY(preview);
        if (caption)
            *caption = preview->windowTitle();
        if (pages)
            *pages = preview->findChild<QLabel *>(QStringLiteral("pageCountLabel"))->text();
        preview->accept();
    }
    static ReportEntry listing(const char *name)
    {
        for (const ReportEntry &entry : tableListingReports())
            if (entry.name == QLatin1String(name))
                return entry;
        return {};
    }
    // A report that asks for a month, a date, a class, a flag and a count, and records what
    // it was laid out with.
    ReportEntry askingReport()
    {
        ReportParam turma{QStringLiteral("turma"), QStringLiteral("Defina a Turma "), ParamKind::Choice};
        turma.choicesFrom = [](const data::Database &) {
            return QList<ParamChoice>{{QStringLiteral("1G1A"), QStringLiteral("1G1A PRIMEIRA")},
                                      {QStringLiteral("MATA"), QStringLiteral("MATA MATERNAL")}};
        };
        ReportEntry entry;
        entry.name = QStringLiteral("teste");
        entry.dialogCaption = QStringLiteral("Defina ");
        entry.askAgain = true;
        entry.params = {{QStringLiteral("mes"), QStringLiteral("Com Aniversário no Mês de "), ParamKind::Month},
                        {QStringLiteral("ate"), QStringLiteral("Vencidos até"), ParamKind::Date},
                        turma,
                        {QStringLiteral("valores"), QStringLiteral("Imprima Valores Devidos"), ParamKind::Flag},
                        {QStringLiteral("copias"), QStringLiteral("Cópias"), ParamKind::Integer, QStringLiteral("1")}};
        entry.build = [this](const ReportInput &input) {
            m_built.append(input.values);
            Document document;
            document.title = QStringLiteral("TESTE");
            document.pages.append(Page());
            return document;
        };
        return entry;
    }

    TempDir m_dir;
    data::Database m_db;
    QList<std::function<void(QWidget *)>> m_acts;
    QWidget *m_lastModal = nullptr;
    QList<ReportValues> m_built;

private slots:
    void initTestCase()
    {
        core::pinClock(QDateTime(QDate(2026, 3, 5), QTime(10, 0)));
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("Data2010"))),
                                      QStringLiteral("2010"));
        m_db.exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO, TIPO) values ('PO', 'PORTUGUÊS', 'N')"));
    }
    void init()
    {
        m_built.clear();
        m_lastModal = nullptr;
    }
    void cleanupTestCase()
    {
        core::pinClock(QDateTime());
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void aReportWithoutParametersGoesStraightToThePreview()
    {
        ScriptedDialogs::Guard dialogs;
        QString caption, pages;
        onModals({[&](QWidget *w) { closePreview(w, &caption, &pages); }});
        runReport(listing("disciplinas"), m_db, nullptr);
        QCOMPARE(caption, QStringLiteral("TABELA DE DISCIPLINAS"));
        QCOMPARE(pages, QStringLiteral("de 1"));
        QVERIFY(dialogs->shown().isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void aStoreFailureIsShownAndNoPreviewOpens()
    {
        ScriptedDialogs::Guard dialogs;
        const data::Database broken =
            data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("Quebrada"))),
                                   QStringLiteral("2010"));
        broken.dropTable(QStringLiteral("Tabturma"));
        runReport(listing("turmas"), broken, nullptr);
        QCOMPARE(dialogs->shown().size(), 1);
        QCOMPARE(dialogs->last().caption, QStringLiteral("Erro"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void theAnswersReachTheReportAndTheDialogComesBackAfterThePreview()
    {
        ScriptedDialogs::Guard dialogs;
        QStringList shownDefaults;
        onModals({[&](QWidget *w) {
                      auto *dialog = qobject_cast<ReportOptionsDialog *>(w);
                      QVERIFY(dialog);
                      QCOMPARE(dialog->windowTitle(), QStringLiteral("Defina "));
                      auto *month = dialog->findChild<QComboBox *>(QStringLiteral("mes"));
                      auto *until = dialog->findChild<QDateEdit *>(QStringLiteral("ate"));
                      auto *schoolClass = dialog->findChild<QComboBox *>(QStringLiteral("turma"));
                      shownDefaults = {month->currentText(), until->date().toString(QStringLiteral("dd/MM/yyyy")),
                                       schoolClass->currentText()};
                      month->setCurrentIndex(11);
                      until->setDate(QDate(2026, 2, 28));
                      schoolClass->setCurrentIndex(1);
                      dialog->findChild<QCheckBox *>(QStringLiteral("valores"))->setChecked(true);
                      dialog->findChild<QLineEdit *>(QStringLiteral("copias"))->setText(QStringLiteral("3"));
                      QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKBtn")), Qt::LeftButton);
                  },
                  [&](QWidget *w) { closePreview(w); },
                  [&](QWidget *w) {
                      auto *dialog = qobject_cast<ReportOptionsDialog *>(w);
                      QVERIFY(dialog);
                      // The last answers are offered again.
                      QCOMPARE(dialog->findChild<QComboBox *>(QStringLiteral("turma"))->currentText(),
                               QStringLiteral("MATA MATERNAL"));
                      dialog->reject();
                  }});
        runReport(askingReport(), m_db, nullptr);
        QCOMPARE(shownDefaults, (QStringList{QStringLiteral("Março"), QStringLiteral("05/03/2026"),
                                             QStringLiteral("1G1A PRIMEIRA")}));
        QCOMPARE(m_built.size(), 1);
        const ReportValues &values = m_built.first();
        QCOMPARE(values.month(QStringLiteral("mes")), 12);
        QCOMPARE(values.date(QStringLiteral("ate")), QDate(2026, 2, 28));
        QCOMPARE(values.text(QStringLiteral("turma")), QStringLiteral("MATA"));
        QVERIFY(values.flag(QStringLiteral("valores")));
        QCOMPARE(values.integer(QStringLiteral("copias")), 3);
        QVERIFY(dialogs->shown().isEmpty());
    }

    void aValueThatDoesNotFitKeepsTheDialogOpen()
    {
        ScriptedDialogs::Guard dialogs;
        bool stayedOpen = false;
        onModals({[&](QWidget *w) {
            auto *dialog = qobject_cast<ReportOptionsDialog *>(w);
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>(QStringLiteral("copias"))->setText(QStringLiteral("três"));
            QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OKBtn")), Qt::LeftButton);
            stayedOpen = dialog->isVisible();
            dialog->reject();
        }});
        runReport(askingReport(), m_db, nullptr);
        QVERIFY(stayedOpen);
        QVERIFY(m_built.isEmpty());
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Valor inválido para copias: \"três\" (número inteiro).")});
    }

    void aReportsOwnDialogTakesThePlaceOfTheOptionsDialog()
    {
        ScriptedDialogs::Guard dialogs;
        int asked = 0;
        setReportDialog(QStringLiteral("teste"), [&](const ReportEntry &, ReportValues &values,
                                                    const data::Database &db, QWidget *) {
            ++asked;
            if (asked > 1)
                return false;
            values.set(QStringLiteral("turma"), QStringLiteral("1G1A"), db);
            return true;
        });
        onModals({[&](QWidget *w) { closePreview(w); }});
        runReport(askingReport(), m_db, nullptr);
        setReportDialog(QStringLiteral("teste"), {});
        QCOMPARE(asked, 2);
        QCOMPARE(m_built.size(), 1);
        QCOMPARE(m_built.first().text(QStringLiteral("turma")), QStringLiteral("1G1A"));
    }

    void aRefusalOfTheAnswersIsShownAndTheDialogComesBack()
    {
        ScriptedDialogs::Guard dialogs;
        int asked = 0;
        setReportDialog(QStringLiteral("teste"), [&](const ReportEntry &, ReportValues &, const data::Database &,
                                                    QWidget *) { return ++asked == 1; });
        ReportEntry entry = askingReport();
        entry.build = [](const ReportInput &) -> Document {
            throw ReportParamError(QStringLiteral("Tente outra opção."));
        };
        runReport(entry, m_db, nullptr);
        setReportDialog(QStringLiteral("teste"), {});
        QCOMPARE(asked, 2);
        QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Tente outra opção.")});
        QCOMPARE(dialogs->last().icon, core::Icon::Information);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(ReportRunnerTest)
#include "ReportRunnerTest.moc"
