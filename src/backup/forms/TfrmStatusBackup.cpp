#include "backup/forms/TfrmStatusBackup.h"

#include "core/Dialogs.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace backup {

namespace {

// Often enough for a smooth bar and a quick cancel, rarely enough to cost nothing.
constexpr int kEventsEveryMs = 40;

} // namespace

TfrmStatusBackup::TfrmStatusBackup(const QString &caption, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmStatusBackup"));
    setWindowTitle(caption);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setTextFormat(Qt::PlainText);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_cancel = new QPushButton(QStringLiteral("&Cancelar Operação"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancelar"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmStatusBackup::cmdCancelarClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_bar);
    layout->addWidget(m_memo, 1);
    layout->addLayout(buttons);
    resize(640, 380);
}

void TfrmStatusBackup::run(const std::function<void(core::RunReporter &)> &job)
{
    QTimer::singleShot(0, this, [this, job] {
        m_running = true;
        m_cancelled = false;
        m_sinceEvents.start();
        struct Stopped
        {
            TfrmStatusBackup &window;
            ~Stopped()
            {
                window.m_running = false;
                window.m_cancel->setText(QStringLiteral("&Fechar"));
            }
        };
        {
            const Stopped stopped{*this};
            job(*this);
        }
        accept();
    });
    exec();
}

void TfrmStatusBackup::begin(const QString &title, int total, bool)
{
    m_status->setText(title);
    m_bar->setRange(0, qMax(total, 1));
    m_bar->setValue(0);
    processEvents(false);
}

void TfrmStatusBackup::step(int done, const QString &)
{
    m_bar->setValue(qMin(done, m_bar->maximum()));
    processEvents(false);
}

void TfrmStatusBackup::note(core::Severity severity, const QString &text, const QString &)
{
    m_memo->appendPlainText(text);
    processEvents(true);
    if (severity == core::Severity::Error)
        core::showError(QStringLiteral("Error Msg from DLL: ") + text, QString());
}

void TfrmStatusBackup::finish(core::RunOutcome)
{
    m_status->clear();
    m_cancel->setText(QStringLiteral("&Fechar"));
}

void TfrmStatusBackup::processEvents(bool now)
{
    if (!now && m_sinceEvents.isValid() && m_sinceEvents.elapsed() < kEventsEveryMs)
        return;
    m_sinceEvents.start();
    QCoreApplication::processEvents();
}

void TfrmStatusBackup::cmdCancelarClick()
{
    if (m_running)
        m_cancelled = true;
    else
        accept();
}

void TfrmStatusBackup::reject()
{
    if (m_running)
        m_cancelled = true;
    else
        QDialog::reject();
}

} // namespace backup
