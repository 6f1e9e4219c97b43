#include "core/forms/RunProgressDialog.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>

using core::RunProgressDialog;

class RunProgressDialogTest : public QObject
{
    Q_OBJECT

private:
    static QString label(const RunProgressDialog &dialog, const char *name)
    {
        return dialog.findChild<QLabel *>(QString::fromLatin1(name))->text();
    }
    static QPushButton *cancelButton(const RunProgressDialog &dialog)
    {
        return dialog.findChild<QPushButton *>(QStringLiteral("cmdCancelar"));
    }

private slots:
    void showsTheStageItsProgressAndCancelOnlyWhereOffered()
    {
        RunProgressDialog dialog;
        dialog.setShowDelay(0);
        dialog.setRedrawInterval(0); // every step shows, however fast the machine
        dialog.begin(QStringLiteral("Importando alunos"), 200, false);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.isModal());
        QVERIFY(cancelButton(dialog)->isHidden());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
        dialog.step(3, QStringLiteral("Lendo: 3 de 200"));
        QCOMPARE(label(dialog, "lblEtapa"), QStringLiteral("Importando alunos"));
        QCOMPARE(label(dialog, "lblAndamento"), QStringLiteral("Lendo: 3 de 200"));
        QCOMPARE(dialog.findChild<QProgressBar *>("ProgressBar1")->value(), 3);

        // Escape and the close button do nothing to a run without cancel.
        dialog.reject();
        QVERIFY(!dialog.cancelled());
        QVERIFY(!dialog.close());
        QVERIFY(dialog.isVisible());

        dialog.begin(QStringLiteral("Gerando mensalidades"), 0, true);
        QVERIFY(!cancelButton(dialog)->isHidden());
        QCOMPARE(dialog.findChild<QProgressBar *>("ProgressBar1")->maximum(), 0);
        QTest::mouseClick(cancelButton(dialog), Qt::LeftButton);
        QVERIFY(dialog.cancelled());
        QVERIFY(!cancelButton(dialog)->isEnabled());

        dialog.finish(core::RunOutcome::Cancelled);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.cancelled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void aQuickRunNeverShowsTheWindow()
    {
        RunProgressDialog dialog;
        dialog.setShowDelay(60000);
        dialog.begin(QStringLiteral("Corrigindo"), 5, false);
        for (int i = 1; i <= 5; ++i)
            dialog.step(i, QString());
        QVERIFY(!dialog.isVisible());
        dialog.finish(core::RunOutcome::Completed);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void theRunsMessagesAreBoxesInOrder()
    {
        ScriptedDialogs::Guard boxes;
        RunProgressDialog dialog;
        dialog.begin(QStringLiteral("Importando"), 2, false);
        QCursor *duringRun = QApplication::overrideCursor();
        QVERIFY(duringRun);
        dialog.note(core::Severity::Error, QStringLiteral("Erro ao fazer post em tblAlunos no campo Nome"), QString());
        dialog.note(core::Severity::Warning, QStringLiteral("Atenção ao aluno 3"), QStringLiteral("Aviso"));
        dialog.note(core::Severity::Info, QStringLiteral("Processo concluído."), QString());
        QCOMPARE(boxes->texts(),
                 (QStringList{QStringLiteral("Erro ao fazer post em tblAlunos no campo Nome"),
                              QStringLiteral("Atenção ao aluno 3"), QStringLiteral("Processo concluído.")}));
        QCOMPARE(boxes->shown().at(0).caption, QStringLiteral("Erro"));
        QCOMPARE(boxes->shown().at(0).icon, core::Icon::Error);
        QCOMPARE(boxes->shown().at(1).caption, QStringLiteral("Aviso"));
        QCOMPARE(boxes->shown().at(1).icon, core::Icon::Warning);
        QCOMPARE(boxes->shown().at(2).icon, core::Icon::Information);
        QVERIFY2(QApplication::overrideCursor(), "the busy cursor comes back after a box");
        dialog.finish(core::RunOutcome::Completed);
    }

    void staysResponsiveSoCancelIsSeenDuringTheRun()
    {
        RunProgressDialog dialog;
        dialog.setShowDelay(0);
        dialog.begin(QStringLiteral("Gerando"), 1000, true);
        int timerFired = 0;
        QTimer::singleShot(0, &dialog, [&] {
            ++timerFired;
            QTest::mouseClick(cancelButton(dialog), Qt::LeftButton);
        });
        int done = 0;
        while (!dialog.cancelled() && done < 1000) {
            QThread::msleep(2); // a row's work
            ++done;
            dialog.step(done, QStringLiteral("Lendo: %1 de 1000").arg(done));
        }
        QCOMPARE(timerFired, 1);
        QVERIFY(dialog.cancelled());
        QVERIFY(done < 1000);
        dialog.finish(core::RunOutcome::Cancelled);
    }
};

QTEST_MAIN(RunProgressDialogTest)
#include "RunProgressDialogTest.moc"
