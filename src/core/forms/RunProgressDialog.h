#pragma once

#include "core/RunReporter.h"
#include "core/Throttle.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

// The program's face of a long run: a small modal window with the stage's title, the run's
// progress label ("Lendo: 3 de 200"), a bar, and "&Cancelar" when the stage offers cancel. The
// run's messages are shown as boxes through the dialog service, in order. Quick runs never show
// the window: it appears only once a run has lasted a moment. Between rows it lets the window
// repaint and the cancel button be pressed, a few times a second, so a long run costs no more.
namespace core {

class RunProgressDialog : public QDialog, public RunReporter
{
    Q_OBJECT

public:
    static constexpr int kShowDelayMs = 400;
    static constexpr int kRefreshMs = 40;

    explicit RunProgressDialog(QWidget *parent = nullptr);
    ~RunProgressDialog() override;

    // How long a run goes before the window shows (0: at once).
    void setShowDelay(int ms) { m_showDelayMs = ms; }
    // How often the window redraws at most (0: at every step).
    void setRedrawInterval(int ms) { m_refresh.setInterval(ms); }

    void begin(const QString &title, int total, bool offersCancel) override;
    void step(int done, const QString &text) override;
    void note(Severity severity, const QString &text, const QString &caption) override;
    bool cancelled() const override { return m_offersCancel && m_cancelled; }
    void finish(RunOutcome outcome) override;

public slots:
    // Escape and the window's close button cancel a stage that offers it, and do nothing else.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void requestCancel();
    void refresh();
    void holdCursor(bool on);

    QLabel *m_title = nullptr;
    QLabel *m_text = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    QElapsedTimer m_sinceBegin;
    Throttle m_refresh{kRefreshMs};
    int m_showDelayMs = kShowDelayMs;
    int m_done = 0;
    QString m_stepText;
    bool m_running = false;
    bool m_offersCancel = false;
    bool m_cancelled = false;
    bool m_cursorHeld = false;
};

} // namespace core
