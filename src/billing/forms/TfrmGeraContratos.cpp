#include "billing/forms/TfrmGeraContratos.h"

#include "billing/contracts/ContractGeneration.h"
#include "billing/contracts/RtfPreview.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/Shell.h"
#include "core/TextFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace billing {

namespace {

struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

QPushButton *button(const QString &caption, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    return b;
}

} // namespace

TfrmGeraContratos::TfrmGeraContratos(QList<ContractStudent> students, const QString &modelPath,
                                     const data::Settings &settings, QWidget *parent)
    : QDialog(parent), m_students(std::move(students)), m_settings(settings)
{
    setObjectName(QStringLiteral("frmGeraContratos"));
    setWindowTitle(QStringLiteral("Geração de Contratos"));
    resize(820, 640);

    m_model = new QTextEdit(this);
    m_model->setObjectName(QStringLiteral("reModelo"));
    m_model->setReadOnly(true);

    m_output = new QLineEdit(this);
    m_output->setObjectName(QStringLiteral("txtArquivoSaida"));
    m_output->setReadOnly(true);
    auto *folder = new QToolButton(this);
    folder->setObjectName(QStringLiteral("cmdPasta"));
    folder->setText(QStringLiteral("..."));
    folder->setToolTip(QStringLiteral("Abrir a pasta do arquivo"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblQuantidade"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_studentBar = new QProgressBar(this);
    m_studentBar->setObjectName(QStringLiteral("pbAlunos"));
    m_lineBar = new QProgressBar(this);
    m_lineBar->setObjectName(QStringLiteral("pbLinhas"));
    for (QProgressBar *bar : {m_studentBar, m_lineBar})
        bar->setValue(0);

    m_generate = button(QStringLiteral("Gerar Contrato(s)"), "cmdGerar", this);
    QPushButton *other = button(QStringLiteral("&Outro Modelo"), "cmdOutroModelo", this);
    QPushButton *close = button(QStringLiteral("&Fechar"), "cmdFechar", this);

    auto *outputRow = new QHBoxLayout;
    outputRow->addWidget(new QLabel(QStringLiteral("Arquivo de Saída:"), this));
    outputRow->addWidget(m_output, 1);
    outputRow->addWidget(folder);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_generate);
    buttons->addWidget(other);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_model, 1);
    layout->addLayout(outputRow);
    layout->addWidget(m_count);
    layout->addWidget(m_status);
    layout->addWidget(m_studentBar);
    layout->addWidget(m_lineBar);
    layout->addLayout(buttons);

    connect(m_generate, &QPushButton::clicked, this, &TfrmGeraContratos::generate);
    connect(other, &QPushButton::clicked, this, &TfrmGeraContratos::chooseModel);
    connect(folder, &QToolButton::clicked, this, &TfrmGeraContratos::openOutputFolder);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    loadModel(modelPath);
}

void TfrmGeraContratos::loadModel(const QString &path)
{
    m_modelPath = path;
    const std::optional<QStringList> lines = readContractModel(path);
    m_model->setHtml(lines ? rtfToHtml(lines->join(u'\n')) : QString());
    setWindowTitle(QStringLiteral("Geração de Contratos - ") + QDir::toNativeSeparators(path));
    m_outputPath = contractOutputPath(path, m_students.isEmpty() ? QString() : m_students.first().classDescription);
    m_output->setText(QDir::toNativeSeparators(m_outputPath));
    m_count->setText(QStringLiteral("Quantidade de Contratos: ") + QString::number(m_students.size()));
}

void TfrmGeraContratos::chooseModel()
{
    core::FileRequest request;
    request.caption = QStringLiteral("Outro Modelo");
    request.directory = QFileInfo(m_modelPath).absolutePath();
    request.filter = QStringLiteral("Arquivo Texto RTF (*.rtf)");
    const QString path = core::dialogs().openFile(request);
    if (!path.isEmpty())
        loadModel(path);
}

void TfrmGeraContratos::openOutputFolder()
{
    core::shell().open(QFileInfo(m_outputPath).absolutePath());
}

void TfrmGeraContratos::generate()
{
    ContractProgress progress;
    progress.status = [this](const QString &text) { m_status->setText(text); };
    progress.students = [this](int done, int total) {
        m_studentBar->setMaximum(total);
        m_studentBar->setValue(done);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    progress.lines = [this](int done, int total) {
        m_lineBar->setMaximum(total);
        m_lineBar->setValue(done);
    };
    ContractOutcome outcome;
    {
        const WaitCursor wait;
        m_generate->setEnabled(false);
        outcome = generateContracts({m_modelPath, m_outputPath, m_students, core::today()}, m_settings, progress);
        m_generate->setEnabled(true);
    }
    switch (outcome) {
    case ContractOutcome::UnreadableModel:
        core::showError(unreadableModelMessage(m_modelPath));
        return;
    case ContractOutcome::CannotCreate:
        core::showError(kContractFileErrorMessage);
        return;
    case ContractOutcome::Written:
        core::inform(kContractMarginsMessage);
        core::shell().open(m_outputPath);
        return;
    }
}

} // namespace billing
