#include "grades/forms/TfrmCalcPosicao.h"

#include "core/forms/RunProgressDialog.h"
#include "grades/Ranking.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalcPosicao::TfrmCalcPosicao(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmCalcPosicao"));
    setWindowTitle(QStringLiteral("Calcular Colocação do Aluno"));
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *iniciar = buttons->addButton(QStringLiteral("&Iniciar"), QDialogButtonBox::AcceptRole);
    iniciar->setObjectName(QStringLiteral("cmdIniciar"));
    QPushButton *fechar = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(iniciar, &QPushButton::clicked, this, &TfrmCalcPosicao::cmdIniciarClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buttons);
    resize(360, sizeHint().height());
}

void TfrmCalcPosicao::cmdIniciarClick()
{
    core::RunProgressDialog progress(this);
    grades::rankStudents(m_db, progress);
    accept();
}
