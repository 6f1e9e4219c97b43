#include "grades/forms/TfrmCriarOrdem.h"

#include "core/forms/RunProgressDialog.h"
#include "grades/RollNumbers.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCriarOrdem::TfrmCriarOrdem(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmCriarOrdem"));
    setWindowTitle(QStringLiteral("Criar nº de Ordem"));
    auto *explanation = new QLabel(QString::fromUtf8(grades::kRollNumbersExplanation), this);
    explanation->setObjectName(QStringLiteral("lblExplicacao"));
    explanation->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *iniciar = buttons->addButton(QStringLiteral("&Iniciar"), QDialogButtonBox::AcceptRole);
    iniciar->setObjectName(QStringLiteral("cmdIniciar"));
    QPushButton *fechar = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(iniciar, &QPushButton::clicked, this, &TfrmCriarOrdem::cmdIniciarClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());
}

void TfrmCriarOrdem::cmdIniciarClick()
{
    core::RunProgressDialog progress(this);
    grades::createRollNumbers(m_db, progress);
    accept();
}
