#include "grades/forms/TfrmCalcNotasConsolidadas.h"

#include "core/forms/RunProgressDialog.h"
#include "grades/ConsolidatedSubjects.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalcNotasConsolidadas::TfrmCalcNotasConsolidadas(const data::Database &db, QWidget *parent)
    : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmCalcNotasConsolidadas"));
    setWindowTitle(QStringLiteral("Recalcular tabela de Notas Consolidadas"));
    m_explanation = new QLabel(
        QStringLiteral("Este módulo calcula as Notas das Disciplinas marcadas como Consolidadas.\n"
                       "Marque abaixo as Unidades que já possuem as Notas Digitadas, para\n"
                       "que os Boletins sejam impressos corretamente.\n"
                       "Se marcar uma Unidade sem Notas, o valor zero será colocado no campo\n"
                       "correspondente, que somente será substituído quando informar Novos valores \n"
                       "de Notas para aquela Unidade."),
        this);
    m_explanation->setObjectName(QStringLiteral("lblExplicacao"));
    m_explanation->installEventFilter(this);

    auto *group = new QGroupBox(QStringLiteral("Informe as Unidades que possuem Notas já DIGITADAS:"), this);
    auto *groupLayout = new QVBoxLayout(group);
    for (int unit = 1; unit <= 4; ++unit) {
        auto *box = new QCheckBox(QStringLiteral("%1ª Unidade").arg(unit), group);
        box->setObjectName(QStringLiteral("chkUnidade%1").arg(unit));
        groupLayout->addWidget(box);
        m_units[std::size_t(unit - 1)] = box;
    }

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *executar = buttons->addButton(QStringLiteral("&Executar"), QDialogButtonBox::AcceptRole);
    executar->setObjectName(QStringLiteral("cmdExecutar"));
    QPushButton *fechar = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(executar, &QPushButton::clicked, this, &TfrmCalcNotasConsolidadas::cmdExecutarClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_explanation);
    layout->addWidget(group);
    layout->addWidget(buttons);
    // Folded, the window shows the explanation's first lines only.
    setMinimumSize(sizeHint().width(), kShortHeight);
    resize(sizeHint().width(), kTallHeight);
}

bool TfrmCalcNotasConsolidadas::eventFilter(QObject *watched, QEvent *event)
{
    // The explanation folds away on a double click, and comes back on the next.
    if (watched == m_explanation && event->type() == QEvent::MouseButtonDblClick) {
        resize(width(), height() == kTallHeight ? kShortHeight : kTallHeight);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCalcNotasConsolidadas::cmdExecutarClick()
{
    grades::TypedUnits typed{};
    for (std::size_t i = 0; i < typed.size(); ++i)
        typed[i] = m_units[i]->isChecked();
    core::RunProgressDialog progress(this);
    grades::recalculateConsolidated(m_db, typed, progress);
    accept();
}
