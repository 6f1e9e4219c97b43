#include "grades/forms/TfrmCorrigeTabNotas.h"

#include "core/Dialogs.h"
#include "data/store/StoreError.h"
#include "grades/GradeRepair.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmCorrigeTabNotas::TfrmCorrigeTabNotas(const data::Database &db, double matricula, QWidget *parent)
    : QDialog(parent), m_db(db), m_matricula(matricula)
{
    setObjectName(QStringLiteral("TfrmCorrigeTabNotas"));
    setWindowTitle(QStringLiteral("Corrigir Tabelas de Notas"));
    auto *explanation = new QLabel(QString::fromUtf8(grades::kRepairExplanation), this);
    explanation->setWordWrap(true);

    auto *mode = new QGroupBox(QStringLiteral("Defina a forma:"), this);
    mode->setObjectName(QStringLiteral("rgForma"));
    m_addMissing = new QRadioButton(QStringLiteral("Adcionar as Disciplinas Ausentes"), mode);
    m_addMissing->setObjectName(QStringLiteral("rbAdicionar"));
    m_addMissing->setChecked(true);
    m_redo = new QRadioButton(QStringLiteral("Apague Tudo e Refaça"), mode);
    m_redo->setObjectName(QStringLiteral("rbRefazer"));
    auto *modeLayout = new QVBoxLayout(mode);
    modeLayout->addWidget(m_addMissing);
    modeLayout->addWidget(m_redo);

    auto *statusBox = new QGroupBox(QStringLiteral("Status da Verificação"), this);
    m_status = new QPlainTextEdit(statusBox);
    m_status->setObjectName(QStringLiteral("memStatus"));
    m_status->setReadOnly(true);
    (new QVBoxLayout(statusBox))->addWidget(m_status);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *iniciar = buttons->addButton(QStringLiteral("&Iniciar"), QDialogButtonBox::ActionRole);
    iniciar->setObjectName(QStringLiteral("cmdIniciar"));
    QPushButton *fechar = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(iniciar, &QPushButton::clicked, this, &TfrmCorrigeTabNotas::cmdIniciarClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(mode);
    layout->addWidget(statusBox, 1);
    layout->addWidget(buttons);
    resize(480, 460);
}

void TfrmCorrigeTabNotas::cmdIniciarClick()
{
    const bool redo = m_redo->isChecked();
    if (redo && core::dialogs().show({QString::fromUtf8(grades::kRedoQuestion), QStringLiteral("Confirmação"),
                                      core::Icon::Question, core::Button::Yes | core::Button::No, core::Button::No}) !=
                    core::Button::Yes)
        return;
    m_status->clear();
    try {
        const grades::RepairResult result =
            grades::repairGradeRows(m_db, m_matricula, redo ? grades::RepairMode::Redo : grades::RepairMode::AddMissing);
        for (const QString &line : result.log)
            m_status->appendPlainText(line);
        for (const QString &error : result.errors)
            core::showError(error);
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
}
