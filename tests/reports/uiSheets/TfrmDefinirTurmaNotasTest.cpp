#include "reports/engine/forms/PreviewWindow.h"
#include "reports/forms/AcademicReportDialogs.h"
#include "reports/forms/ReportRunner.h"
#include "reports/forms/TfrmDefinirTurmaNotas.h"
#include "reports/sheets/GeneralSheet.h"
#include "reports/sheets/ResultSheet.h"

#include "app/ui/ModalHelper.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace reports;

// Two grades: 1G4 teaches PO and MA, 1G5 teaches PO and AR.
class TfrmDefinirTurmaNotasTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("2026"))),
                                      QStringLiteral("2026"));
        for (const char *code : {"1G4A", "1G5A"})
            m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, 'TURMA')"), {{"t", code}});
        for (const auto &[code, name] : {std::pair{"AR", "ARTES"}, {"MA", "MATEMATICA"}, {"PO", "PORTUGUES"}}) {
            m_db.exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO, TIPO) values (:c, :d, 'N')"),
                      {{"c", code}, {"d", name}});
        }
        for (const auto &[grade, code] : {std::pair{"1G4", "PO"}, {"1G4", "MA"}, {"1G5", "PO"}, {"1G5", "AR"}})
            m_db.exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values (:s, :c)"), {{"s", grade}, {"c", code}});
    }
    void cleanupTestCase()
    {
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void resultsOpenOnTheFirstEntriesWithLeaversFixedOff()
    {
        TfrmDefinirTurmaNotas dialog(m_db, ReportValues(resultParams()));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Defina a Turma  e a Disciplina"));
        QVERIFY(child<QRadioButton>(dialog, "rbTodas")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "rbUnidade1")->isChecked());
        QCOMPARE(child<QRadioButton>(dialog, "rbUnidade6")->text(), QStringLiteral("Média Final"));
        QVERIFY(child<QRadioButton>(dialog, "rbTipo1")->isChecked());
        QCOMPARE(child<QRadioButton>(dialog, "rbTipo6")->text(),
                 QStringLiteral("Nota Mínima p/ atingimento da Média Final"));
        auto *leavers = child<QCheckBox>(dialog, "chkDesistentes");
        QVERIFY(leavers->isChecked());
        QVERIFY(!leavers->isEnabled());
        QVERIFY(!child<QCheckBox>(dialog, "chkConsolidada")->isHidden());
        QVERIFY(!child<QGroupBox>(dialog, "rgDisciplina")->isHidden());
        QVERIFY(!dialog.findChild<QPushButton *>(QStringLiteral("cmdGerarArquivo")));
        QCOMPARE(child<QPushButton>(dialog, "cmdCancelar")->text(), QStringLiteral("&Cancelar"));
        const ReportValues values = dialog.values();
        QCOMPARE(values.text(QStringLiteral("type")), QStringLiteral("1"));
        QCOMPARE(values.text(QStringLiteral("unit")), QStringLiteral("1"));
        QCOMPARE(values.text(QStringLiteral("class")), QString());
        QCOMPARE(values.text(QStringLiteral("subject")), QString());
    }

    void theSubjectsAreThoseOfTheChosenClasssGrade()
    {
        TfrmDefinirTurmaNotas dialog(m_db, ReportValues(resultParams()));
        auto *classes = child<QComboBox>(dialog, "cbTurma");
        auto *subjects = child<QComboBox>(dialog, "cbDisciplina");
        auto *oneSubject = child<QRadioButton>(dialog, "rbDisciplina");
        // Every class: no grade to list the subjects of.
        QCOMPARE(subjects->count(), 1);
        QVERIFY(!oneSubject->isEnabled());

        classes->setCurrentIndex(classes->findData(QStringLiteral("1G4A")));
        QVERIFY(child<QRadioButton>(dialog, "rbTurma")->isChecked());
        QCOMPARE(subjects->count(), 3);
        QCOMPARE(subjects->itemText(1), QStringLiteral("MA MATEMATICA"));
        QCOMPARE(subjects->itemText(2), QStringLiteral("PO PORTUGUES"));
        QVERIFY(oneSubject->isEnabled());

        // PO is taught in both grades and stays chosen; MA is not taught in 1G5.
        subjects->setCurrentIndex(subjects->findData(QStringLiteral("PO")));
        QVERIFY(oneSubject->isChecked());
        classes->setCurrentIndex(classes->findData(QStringLiteral("1G5A")));
        QCOMPARE(subjects->currentData().toString(), QStringLiteral("PO"));
        QCOMPARE(subjects->itemText(1), QStringLiteral("AR ARTES"));
        QCOMPARE(dialog.values().text(QStringLiteral("subject")), QStringLiteral("PO"));
        classes->setCurrentIndex(classes->findData(QStringLiteral("1G4A")));
        subjects->setCurrentIndex(subjects->findData(QStringLiteral("MA")));
        classes->setCurrentIndex(classes->findData(QStringLiteral("1G5A")));
        QCOMPARE(subjects->currentIndex(), 0);
        QVERIFY(child<QRadioButton>(dialog, "rbTodasDisciplinas")->isChecked());
        QCOMPARE(dialog.values().text(QStringLiteral("subject")), QString());

        // Back to every class: the subject choice goes with the grade.
        child<QRadioButton>(dialog, "rbTodas")->setChecked(true);
        QCOMPARE(subjects->count(), 1);
        QVERIFY(!oneSubject->isEnabled());
        QCOMPARE(dialog.values().text(QStringLiteral("class")), QString());
    }

    void printNeedsAClassAndASubjectWhereOneIsAskedFor()
    {
        TfrmDefinirTurmaNotas dialog(m_db, ReportValues(resultParams()));
        auto *print = child<QPushButton>(dialog, "cmdImprimir");
        QVERIFY(print->isEnabled());
        child<QRadioButton>(dialog, "rbTurma")->setChecked(true);
        QVERIFY(!print->isEnabled());
        auto *classes = child<QComboBox>(dialog, "cbTurma");
        classes->setCurrentIndex(classes->findData(QStringLiteral("1G4A")));
        QVERIFY(print->isEnabled());
        child<QRadioButton>(dialog, "rbDisciplina")->setChecked(true);
        QVERIFY(!print->isEnabled());
        auto *subjects = child<QComboBox>(dialog, "cbDisciplina");
        subjects->setCurrentIndex(subjects->findData(QStringLiteral("MA")));
        QVERIFY(print->isEnabled());
    }

    void theChoicesBecomeTheAnswersAndComeBackOnTheNextRound()
    {
        ReportValues values(resultParams());
        {
            TfrmDefinirTurmaNotas dialog(m_db, values);
            auto *classes = child<QComboBox>(dialog, "cbTurma");
            classes->setCurrentIndex(classes->findData(QStringLiteral("1G5A")));
            auto *subjects = child<QComboBox>(dialog, "cbDisciplina");
            subjects->setCurrentIndex(subjects->findData(QStringLiteral("AR")));
            child<QRadioButton>(dialog, "rbUnidade5")->setChecked(true);
            child<QRadioButton>(dialog, "rbTipo4")->setChecked(true);
            child<QCheckBox>(dialog, "chkConsolidada")->setChecked(true);
            values = dialog.values();
        }
        const ResultSelection selection = resultSelection(values);
        QCOMPARE(selection.classCode, QStringLiteral("1G5A"));
        QCOMPARE(selection.subject, QStringLiteral("AR"));
        QCOMPARE(selection.unit, AtaUnit::Year);
        QCOMPARE(selection.type, ResultType::BelowAfterRecovery);
        QVERIFY(selection.onlyConsolidated);

        TfrmDefinirTurmaNotas again(m_db, values);
        QCOMPARE(child<QComboBox>(again, "cbTurma")->currentData().toString(), QStringLiteral("1G5A"));
        QCOMPARE(child<QComboBox>(again, "cbDisciplina")->currentData().toString(), QStringLiteral("AR"));
        QVERIFY(child<QRadioButton>(again, "rbUnidade5")->isChecked());
        QVERIFY(child<QRadioButton>(again, "rbTipo4")->isChecked());
        QVERIFY(child<QCheckBox>(again, "chkConsolidada")->isChecked());
    }

    void theGradeSheetAsksNoSubjectNorTypeAndLetsLeaversIn()
    {
        ReportValues values(generalParams(true));
        TfrmDefinirTurmaNotas dialog(m_db, values, [](const AtaOptions &, const QString &, QWidget *) {});
        QVERIFY(child<QGroupBox>(dialog, "rgDisciplina")->isHidden());
        QVERIFY(!dialog.findChild<QGroupBox *>(QStringLiteral("rgTipo")));
        QVERIFY(child<QRadioButton>(dialog, "rbUnidade6")->isChecked()); // the sheet's default, "Média Final"
        auto *leavers = child<QCheckBox>(dialog, "chkDesistentes");
        QVERIFY(leavers->isEnabled());
        QVERIFY(leavers->isChecked());
        QCOMPARE(child<QLineEdit>(dialog, "edtMarcados")->text(), QStringLiteral("PROCURAR A SECRETARIA"));
        leavers->setChecked(false);
        child<QLineEdit>(dialog, "edtMarcados")->setText(QStringLiteral("VER A DIRETORIA"));
        child<QRadioButton>(dialog, "rbUnidade2")->setChecked(true);
        const GeneralSelection selection = generalSelection(dialog.values());
        QVERIFY(!selection.skipLeavers);
        QVERIFY(selection.faces);
        QCOMPARE(selection.flaggedText, QStringLiteral("VER A DIRETORIA"));
        QCOMPARE(selection.unit, AtaUnit::Unit2);
    }

    void generateAsksExportsTheChosenClassAndClosesEitherWay()
    {
        ScriptedDialogs::Guard dialogs;
        for (core::Button answer : {core::Button::Yes, core::Button::No}) {
            QString exported;
            TfrmDefinirTurmaNotas dialog(m_db, ReportValues(generalParams()),
                                         [&exported](const AtaOptions &chosen, const QString &text, QWidget *) {
                                             exported = chosen.classCode + QLatin1Char('|') + text +
                                                        (chosen.skipLeavers ? QStringLiteral("|sem") : QString());
                                         });
            auto *generate = child<QPushButton>(dialog, "cmdGerarArquivo");
            QCOMPARE(generate->toolTip(), QStringLiteral("Salva arquivo no formato TEXTO"));
            child<QRadioButton>(dialog, "rbTurma")->setChecked(true);
            QVERIFY(!generate->isEnabled()); // "Apenas a Turma" without a class would write them all
            auto *classes = child<QComboBox>(dialog, "cbTurma");
            classes->setCurrentIndex(classes->findData(QStringLiteral("1G4A")));
            QVERIFY(generate->isEnabled());
            dialogs->answer(answer);
            generate->click();
            QVERIFY(dialogs->last().text.startsWith(QStringLiteral("Esta opção permite gerar um arquivo texto\r")));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(exported, answer == core::Button::Yes ? QStringLiteral("1G4A|1G4A TURMA|sem") : QString());
        }
    }

    void theCommandAsksAgainAfterEveryPreviewUntilCancelled()
    {
        ScriptedDialogs::Guard dialogs;
        installAcademicReportDialogs();
        QStringList seen;
        whenModal<TfrmDefinirTurmaNotas>([&](TfrmDefinirTurmaNotas *dialog) {
            seen << dialog->objectName();
            child<QRadioButton>(*dialog, "rbTipo2")->setChecked(true);
            whenModal<PreviewWindow>([&](PreviewWindow *preview) {
                seen << preview->windowTitle();
                whenModal<TfrmDefinirTurmaNotas>([&](TfrmDefinirTurmaNotas *again) {
                    // The last choice is offered again.
                    seen << QString::number(child<QRadioButton>(*again, "rbTipo2")->isChecked());
                    child<QPushButton>(*again, "cmdCancelar")->click();
                });
                preview->accept();
            });
            child<QPushButton>(*dialog, "cmdImprimir")->click();
        });
        runReport(resultEntry(), m_db, nullptr);
        QCOMPARE(seen, (QStringList{QStringLiteral("TfrmDefinirTurmaNotas"),
                                    QStringLiteral("ALUNOS EM RECUPERAÇÃO: 1ª Unidade"), QStringLiteral("1")}));
    }

private:
    template <typename W>
    static W *child(const QDialog &dialog, const char *name)
    {
        W *widget = dialog.findChild<W *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }

    TempDir m_dir;
    data::Database m_db;
};

QTEST_MAIN(TfrmDefinirTurmaNotasTest)
#include "TfrmDefinirTurmaNotasTest.moc"
