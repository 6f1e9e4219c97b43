#include "reports/records/forms/TfrmFichaIndividual.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace reports;

class RecordDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("2026"))),
                                      QStringLiteral("2026"));
        for (const char *code : {"1G4A", "1G5A", "1G9A"})
            m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, 'TURMA')"), {{"t", code}});
        m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (7, 'ANA', '1G5A')"));
        m_db.exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma) values (7, 'PO', '1G5A')"));
    }
    void cleanupTestCase()
    {
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void startsWithTheDefaultsAndTheClassesThatHaveMarks()
    {
        TfrmFichaIndividual dialog(m_db, RecordChoice{});
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Defina "));
        auto *classes = dialog.findChild<QComboBox *>(QStringLiteral("cbTurma"));
        auto *consolidated = dialog.findChild<QCheckBox *>(QStringLiteral("chkConsolidada"));
        auto *skip = dialog.findChild<QCheckBox *>(QStringLiteral("chkSemNotas"));
        QVERIFY(classes && consolidated && skip);
        QCOMPARE(classes->count(), 1); // only 1G5A has marks
        QCOMPARE(classes->currentData().toString(), QStringLiteral("1G5A"));
        QVERIFY(consolidated->isChecked());
        QVERIFY(!skip->isChecked());
        QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("rbTodas"))->isChecked());
        const RecordChoice choice = dialog.choice();
        QVERIFY(choice.classCode.isEmpty());
        QVERIFY(!choice.student);
        QVERIFY(choice.consolidated);
    }

    void givesTheChosenClassOrStudent()
    {
        TfrmFichaIndividual dialog(m_db, RecordChoice{});
        dialog.findChild<QRadioButton *>(QStringLiteral("rbTurma"))->setChecked(true);
        dialog.findChild<QCheckBox *>(QStringLiteral("chkConsolidada"))->setChecked(false);
        dialog.findChild<QCheckBox *>(QStringLiteral("chkSemNotas"))->setChecked(true);
        RecordChoice choice = dialog.choice();
        QCOMPARE(choice.classCode, QStringLiteral("1G5A"));
        QVERIFY(!choice.consolidated);
        QVERIFY(choice.skipEmptySubjects);

        // Typing an enrolment number chooses the student.
        QTest::keyClicks(dialog.findChild<QLineEdit *>(QStringLiteral("txtMatricula")), QStringLiteral("7"));
        QVERIFY(dialog.findChild<QRadioButton *>(QStringLiteral("rbAluno"))->isChecked());
        choice = dialog.choice();
        QVERIFY(choice.classCode.isEmpty());
        QCOMPARE(choice.student.value_or(0), qint64(7));
    }

    void refusesAnUnknownEnrolmentNumber()
    {
        ScriptedDialogs::Guard dialogs;
        RecordChoice previous;
        previous.student = 99;
        TfrmFichaIndividual dialog(m_db, previous);
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialogs->last().text, QStringLiteral("Matrícula inválida!"));
        auto *number = dialog.findChild<QLineEdit *>(QStringLiteral("txtMatricula"));
        number->setText(QStringLiteral("7"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void studentFormDialogAsksTheLeaversPhotoAndBlankPage()
    {
        ScriptedDialogs::Guard dialogs;
        TfrmFichaAluno dialog(m_db, StudentFormChoice{});
        auto *leavers = dialog.findChild<QCheckBox *>(QStringLiteral("chkDesistentes"));
        auto *blank = dialog.findChild<QCheckBox *>(QStringLiteral("chkEmBranco"));
        QVERIFY(leavers && blank && dialog.findChild<QCheckBox *>(QStringLiteral("chkFoto")));
        QVERIFY(leavers->isChecked());
        QCOMPARE(leavers->text(), QStringLiteral("Não imprimir alunos Desistente ou Transferido"));
        // Every class is listed, not only those with marks.
        QCOMPARE(dialog.findChild<QComboBox *>(QStringLiteral("cbTurma"))->count(), 3);

        dialog.findChild<QRadioButton *>(QStringLiteral("rbTurma"))->setChecked(true);
        leavers->setChecked(false);
        StudentFormChoice choice = dialog.choice();
        QCOMPARE(choice.classCode, QStringLiteral("1G4A"));
        QVERIFY(!choice.skipLeavers);

        // An unknown number is refused, unless the blank form is asked for.
        dialog.show();
        QTest::keyClicks(dialog.findChild<QLineEdit *>(QStringLiteral("txtMatricula")), QStringLiteral("99"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialogs->shown().size(), 1);
        blank->setChecked(true);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.choice().blankPage);
    }

    void answersGoBackIntoTheReportsValues()
    {
        ReportValues values(individualRecordEntry().params);
        RecordChoice choice;
        choice.classCode = QStringLiteral("1G5A");
        choice.consolidated = false;
        setRecordValues(values, choice, m_db);
        QCOMPARE(values.text(QStringLiteral("class")), QStringLiteral("1G5A"));
        QVERIFY(values.flag(QStringLiteral("no-consolidated")));
        const RecordChoice back = recordChoice(values);
        QCOMPARE(back.classCode, QStringLiteral("1G5A"));
        QVERIFY(!back.consolidated);
        QVERIFY(!back.student);
    }

private:
    TempDir m_dir;
    data::Database m_db;
};

QTEST_MAIN(RecordDialogsTest)
#include "RecordDialogsTest.moc"
