#pragma once

#include "core/RunReporter.h"

#include <QDialog>
#include <QElapsedTimer>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace backup {

// The status windows of a backup and of a restore: the file at work, its progress, the memo of
// every message, and "&Cancelar Operação", which stops the run and reads "&Fechar" after it.
// An error message of the engine is also shown in a box.
class TfrmStatusBackup : public QDialog, public core::RunReporter
{
    Q_OBJECT

public:
    TfrmStatusBackup(const QString &caption, QWidget *parent = nullptr);

    // Shows the window modally, runs `job` at once with the window as its reporter, and
    // closes when the job returns.
    void run(const std::function<void(core::RunReporter &)> &job);

    void begin(const QString &title, int total, bool offersCancel) override;
    void step(int done, const QString &text) override;
    void note(core::Severity severity, const QString &text, const QString &caption) override;
    bool cancelled() const override { return m_cancelled; }
    void finish(core::RunOutcome outcome) override;

public slots:
    // Escape and the close box cancel a running job instead of leaving it behind.
    void reject() override;

private:
    void cmdCancelarClick();
    // Lets the window repaint and "&Cancelar Operação" be pressed while the engine works.
    void processEvents(bool now);

    QLabel *m_status = nullptr;
    QProgressBar *m_bar = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    QPushButton *m_cancel = nullptr;
    QElapsedTimer m_sinceEvents;
    bool m_running = false;
    bool m_cancelled = false;
};

} // namespace backup
