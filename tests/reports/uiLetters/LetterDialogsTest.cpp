#include "reports/forms/TfrmDefinirSituacao.h"
#include "reports/letters/DefaultNotice.h"
#include "reports/letters/forms/TfrmAvisoInadimplencia.h"
#include "reports/letters/forms/TfrmConfigEtiquetas.h"
#include "reports/letters/forms/TfrmEtiquetasAniversario.h"

#include "core/TextFile.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace reports;

class LetterDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path()); // aviso.txt is read from the program folder
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("2026"))),
                                      QStringLiteral("2026"));
        for (const char *code : {"1G4A", "1G5A"})
            m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, 'TURMA')"), {{"t", code}});
    }

    void cleanupTestCase()
    {
        QDir::setCurrent(m_previous);
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void noticeDialogReadsTheSchoolsTextAndGivesItsAnswers()
    {
        QVERIFY(core::writeTextLines(kNoticeFile, {QStringLiteral("PRIMEIRA"), QStringLiteral("SEGUNDA")}));
        ReportValues values(noticeEntry().params);
        TfrmAvisoInadimplencia dialog(m_db, values);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Texto padrão para Aviso de Inadimplência"));
        auto *text = dialog.findChild<QPlainTextEdit *>(QStringLiteral("memTexto"));
        auto *ok = dialog.findChild<QPushButton *>(QStringLiteral("OKBtn"));
        auto *student = dialog.findChild<QLineEdit *>(QStringLiteral("txtMatricula"));
        QVERIFY(text && ok && student);
        QCOMPARE(text->toPlainText(), QStringLiteral("PRIMEIRA\nSEGUNDA"));

        // One student needs an enrolment number.
        dialog.findChild<QRadioButton *>(QStringLiteral("rbAluno"))->setChecked(true);
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(student, QStringLiteral("20260003"));
        QVERIFY(ok->isEnabled());
        dialog.findChild<QDateEdit *>(QStringLiteral("dtpData"))->setDate(QDate(2026, 5, 10));
        dialog.findChild<QCheckBox *>(QStringLiteral("chkSemValores"))->setChecked(true);
        text->setPlainText(QStringLiteral("OUTRO TEXTO"));
        dialog.store(values, m_db);
        QCOMPARE(values.text(QStringLiteral("student")), QStringLiteral("20260003"));
        QCOMPARE(values.text(QStringLiteral("class")), QString());
        QCOMPARE(values.date(QStringLiteral("date")), QDate(2026, 5, 10));
        QVERIFY(values.flag(QStringLiteral("no-values")));
        QVERIFY(!values.flag(QStringLiteral("no-letterhead")));
        QCOMPARE(values.text(QStringLiteral("text")), QStringLiteral("OUTRO TEXTO"));

        // "&Salvar Texto" keeps it for the next time; the dialog comes back with the same scope.
        dialog.findChild<QPushButton *>(QStringLiteral("cmdSalvarTexto"))->click();
        TfrmAvisoInadimplencia again(m_db, values);
        QCOMPARE(again.findChild<QPlainTextEdit *>(QStringLiteral("memTexto"))->toPlainText(), QStringLiteral("OUTRO TEXTO"));
        QVERIFY(again.findChild<QRadioButton *>(QStringLiteral("rbAluno"))->isChecked());
    }

    void aSignatureThatCannotBeLoadedIsRefused()
    {
        ScriptedDialogs::Guard dialogs;
        QFile broken(m_dir.file(QStringLiteral("assinatura.bmp")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        dialogs->answerFile(broken.fileName());
        ReportValues values(noticeEntry().params);
        TfrmAvisoInadimplencia dialog(m_db, values);
        dialog.findChild<QPushButton *>(QStringLiteral("cmdAssinatura"))->click();
        QCOMPARE(dialogs->last().text, QStringLiteral("Arquivo não pode ser carregado!"));
        dialog.store(values, m_db);
        QCOMPARE(values.text(QStringLiteral("signature")), QString());
    }

    void aLoadedSignatureIsKeptForTheNextNotices()
    {
        ScriptedDialogs::Guard dialogs;
        QImage picture(400, 100, QImage::Format_RGB32);
        picture.fill(Qt::white);
        const QString source = m_dir.file(QStringLiteral("minha assinatura.png"));
        QVERIFY(picture.save(source));
        dialogs->answerFile(source);
        ReportValues values(noticeEntry().params);
        {
            TfrmAvisoInadimplencia dialog(m_db, values);
            dialog.findChild<QPushButton *>(QStringLiteral("cmdAssinatura"))->click();
            QVERIFY(dialogs->shown().size() == 1); // only the file chooser
            dialog.store(values, m_db);
        }
        QCOMPARE(values.text(QStringLiteral("signature")), keptSignature());
        QVERIFY(QFile::exists(kSignatureFile));
        // A new round starts with it.
        ReportValues fresh(noticeEntry().params);
        TfrmAvisoInadimplencia again(m_db, fresh);
        again.store(fresh, m_db);
        QCOMPARE(fresh.text(QStringLiteral("signature")), keptSignature());
    }

    void labelSettingsAreEditedAndKept()
    {
        LabelSettings settings{3, 0, 0, false};
        TfrmEtiquetasAniversario dialog(m_db, 4, QStringLiteral("1G5A"), settings);
        QCOMPARE(dialog.month(), 4);
        QCOMPARE(dialog.classCode(), QStringLiteral("1G5A"));
        auto *configure = dialog.findChild<QPushButton *>(QStringLiteral("cmdConfigurar"));
        QVERIFY(configure);
        QTimer::singleShot(0, [] {
            auto *config = qobject_cast<TfrmConfigEtiquetas *>(QApplication::activeModalWidget());
            QVERIFY(config);
            config->findChild<QSpinBox *>(QStringLiteral("spnColunas"))->setValue(2);
            config->findChild<QSpinBox *>(QStringLiteral("spnMargem"))->setValue(4);
            config->findChild<QCheckBox *>(QStringLiteral("chkBorda"))->setChecked(true);
            config->accept();
        });
        configure->click();
        QCOMPARE(dialog.settings().columns, 2);
        QCOMPARE(dialog.settings().extraMarginMm, 4);
        QVERIFY(dialog.settings().border);
    }

    void situationDialogComesBackWithThePreviousChoice()
    {
        TfrmDefinirSituacao dialog(m_db);
        dialog.setChoice(QStringLiteral("1G5A"), SituationChoice::Equal, QStringLiteral("X"));
        QCOMPARE(dialog.classCode(), QStringLiteral("1G5A"));
        QCOMPARE(dialog.situation(), SituationChoice::Equal);
        QCOMPARE(dialog.typedCode(), QStringLiteral("X"));
        dialog.setChoice(QString(), SituationChoice::Active, QString());
        QCOMPARE(dialog.classCode(), QString());
        auto *extra = new QPushButton(QStringLiteral("Configurar Etiquetas"));
        extra->setObjectName(QStringLiteral("cmdConfigurar"));
        dialog.addCommand(extra);
        QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("cmdConfigurar")), extra);
    }

private:
    TempDir m_dir;
    QString m_previous;
    data::Database m_db;
};

QTEST_MAIN(LetterDialogsTest)
#include "LetterDialogsTest.moc"
