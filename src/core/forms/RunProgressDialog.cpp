#include "core/forms/RunProgressDialog.h"

#include "core/Dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace core {

RunProgressDialog::RunProgressDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("RunProgressDialog"));
    setWindowTitle(QStringLiteral("Aguarde"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblEtapa"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lblAndamento"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancelar"));
    m_cancel->setAutoDefault(false);
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, &RunProgressDialog::requestCancel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

RunProgressDialog::~RunProgressDialog()
{
    holdCursor(false);
}

void RunProgressDialog::begin(const QString &title, int total, bool offersCancel)
{
    if (!m_running) {
        m_running = true;
        m_sinceBegin.start();
        holdCursor(true);
    }
    m_offersCancel = offersCancel;
    m_cancelled = false;
    m_done = 0;
    m_stepText.clear();
    m_title->setText(title);
    m_text->clear();
    m_bar->setRange(0, qMax(0, total)); // 0..0: a busy bar for an unknown length
    m_bar->setValue(0);
    m_cancel->setVisible(offersCancel);
    m_cancel->setEnabled(true);
    refresh();
}

void RunProgressDialog::step(int done, const QString &text)
{
    m_done = done;
    m_stepText = text;
    if (m_refresh.due())
        refresh();
}

void RunProgressDialog::refresh()
{
    m_refresh.restart();
    m_text->setText(m_stepText);
    if (m_bar->maximum() > 0)
        m_bar->setValue(qBound(0, m_done, m_bar->maximum()));
    if (m_running && !isVisible() && m_sinceBegin.elapsed() >= m_showDelayMs)
        show();
    // Hidden, the window does not block the others yet: keep the person's clicks for later.
    QCoreApplication::processEvents(isVisible() ? QEventLoop::AllEvents
                                                : QEventLoop::ExcludeUserInputEvents);
}

void RunProgressDialog::note(Severity severity, const QString &text, const QString &caption)
{
    // The box takes the pointer; the run's busy cursor comes back after it.
    const bool held = m_cursorHeld;
    holdCursor(false);
    switch (severity) {
    case Severity::Info:
        inform(text, caption);
        break;
    case Severity::Warning:
        caption.isEmpty() ? warn(text) : warn(text, caption);
        break;
    case Severity::Error:
        caption.isEmpty() ? showError(text) : showError(text, caption);
        break;
    }
    holdCursor(held);
}

void RunProgressDialog::finish(RunOutcome)
{
    m_running = false;
    m_offersCancel = false;
    m_refresh.reset();
    holdCursor(false);
    hide();
}

void RunProgressDialog::reject()
{
    requestCancel();
}

void RunProgressDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
    requestCancel();
}

void RunProgressDialog::requestCancel()
{
    if (!m_offersCancel || m_cancelled)
        return;
    m_cancelled = true;
    m_cancel->setEnabled(false);
}

void RunProgressDialog::holdCursor(bool on)
{
    if (on == m_cursorHeld)
        return;
    m_cursorHeld = on;
    if (on)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace core
