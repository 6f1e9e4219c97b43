#include "export/forms/TfrmGerarArquivo.h"
#include "reports/forms/ReportRunner.h"
#include "reports/forms/TfrmAtaResultados.h"
#include "reports/forms/TfrmDefinirTurmaNotas.h"
#include "reports/sheets/GeneralSheet.h"

#include "app/ui/ModalHelper.h"
#include "core/Shell.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace reports;

class AtaDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("2026"))),
                                      QStringLiteral("2026"));
        m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values ('1G5A', '5º ANO A')"));
    }
    void cleanupTestCase()
    {
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void defaultsAndPrintEnabledOnlyWithAClassOrAll()
    {
        TfrmAtaResultados dialog(m_db, AtaOptions());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Defina a Turma  e a Disciplina"));
        QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("cbUnidade"))->currentText(), QStringLiteral("Média Final"));
        QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("edtProgressao"))->text(), QStringLiteral("PROG. PARCIAL"));
        auto *print = dialog.findChild<QPushButton *>(QStringLiteral("cmdImprimir"));
        QVERIFY(print->isEnabled());
        dialog.findChild<QRadioButton *>(QStringLiteral("rbTurma"))->setChecked(true);
        QVERIFY(!print->isEnabled());
        auto *classes = dialog.findChild<QComboBox *>(QStringLiteral("cbTurma"));
        classes->setCurrentIndex(classes->findData(QStringLiteral("1G5A")));
        QVERIFY(print->isEnabled());
        QCOMPARE(dialog.options().classCode, QStringLiteral("1G5A"));
        QVERIFY(dialog.options().skipLeavers);
        QVERIFY(!dialog.findChild<QPushButton *>(QStringLiteral("cmdGerarArquivo"))->isEnabled());
    }

    void generateAsksThenExportsAndClosesEitherWay()
    {
        ScriptedDialogs::Guard dialogs;
        for (core::Button answer : {core::Button::Yes, core::Button::No}) {
            QString exported;
            AtaOptions options;
            options.classCode = QStringLiteral("1G5A");
            TfrmAtaResultados dialog(m_db, options,
                                     [&exported](const AtaOptions &chosen, const QString &text, QWidget *) {
                                         exported = chosen.classCode + QLatin1Char('|') + text;
                                     });
            auto *generate = dialog.findChild<QPushButton *>(QStringLiteral("cmdGerarArquivo"));
            auto *classes = dialog.findChild<QComboBox *>(QStringLiteral("cbTurma"));
            classes->setCurrentIndex(0); // "Apenas a Turma" with no class would write every class
            QVERIFY(!generate->isEnabled());
            classes->setCurrentIndex(classes->findData(QStringLiteral("1G5A")));
            QVERIFY(generate->isEnabled());
            dialogs->answer(answer);
            generate->click();
            QVERIFY(dialogs->last().text.startsWith(QStringLiteral("Esta opção permite gerar um arquivo texto\r")));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(exported, answer == core::Button::Yes ? QStringLiteral("1G5A|1G5A 5º ANO A") : QString());
        }
    }

    void theWindowPreviewsThenSavesWithTheCsvExtensionAndOpensTheFile()
    {
        ScriptedDialogs::Guard dialogs;
        exporting::TfrmGerarArquivo window(m_db, {}, QStringLiteral("Todas as Turmas"), nullptr);
        QCOMPARE(window.windowTitle(), QStringLiteral("Gerando Arquivo Texto"));
        QVERIFY(window.build());
        QVERIFY(window.findChild<QPlainTextEdit *>()->toPlainText().startsWith(QStringLiteral(";Lumesco;")));
        auto *save = window.findChild<QPushButton *>(QStringLiteral("cmdSalvar"));
        save->click(); // no name chosen: nothing written
        QCOMPARE(dialogs->lastSaveRequest().fileName, QStringLiteral("ATA_FINAL-Todas as Turmas"));
        const QString path = m_dir.file(QStringLiteral("ata"));
        dialogs->answerFile(path);
        save->click();
        QFile file(path + QStringLiteral(".CSV"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().endsWith("\r\n"));
        auto *shell = dynamic_cast<core::RecordingShell *>(&core::shell());
        QVERIFY(shell);
        QCOMPARE(shell->opened().last(), path + QStringLiteral(".CSV"));
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void theGradeSheetsDialogOpensTheExportWindowForItsClasses()
    {
        ScriptedDialogs::Guard dialogs;
        exporting::installAtaDialogs();
        QStringList seen;
        whenModal<TfrmDefinirTurmaNotas>([&](TfrmDefinirTurmaNotas *dialog) {
            seen << dialog->objectName();
            auto *classes = dialog->findChild<QComboBox *>(QStringLiteral("cbTurma"));
            classes->setCurrentIndex(classes->findData(QStringLiteral("1G5A")));
            whenModal<exporting::TfrmGerarArquivo>([&](exporting::TfrmGerarArquivo *window) {
                seen << window->windowTitle() << window->findChild<QLineEdit *>(QStringLiteral("edtArquivo"))->text();
                window->findChild<QPushButton *>(QStringLiteral("cmdFechar"))->click();
            });
            dialogs->answer(core::Button::Yes);
            dialog->findChild<QPushButton *>(QStringLiteral("cmdGerarArquivo"))->click();
        });
        runReport(generalEntry(), m_db, nullptr);
        QCOMPARE(seen, (QStringList{QStringLiteral("TfrmDefinirTurmaNotas"), QStringLiteral("Gerando Arquivo Texto"),
                                    QStringLiteral("ATA_FINAL-1G5A 5º ANO A")}));
    }

private:
    TempDir m_dir;
    data::Database m_db;
};

QTEST_MAIN(AtaDialogsTest)
#include "AtaDialogsTest.moc"
