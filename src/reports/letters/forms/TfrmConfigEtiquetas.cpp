#include "reports/letters/forms/TfrmConfigEtiquetas.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace reports {

TfrmConfigEtiquetas::TfrmConfigEtiquetas(const LabelSettings &settings, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfigEtiquetas"));
    setWindowTitle(QStringLiteral("Configurar Etiquetas"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    const auto spin = [this](const char *name, int from, int to, int value) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(from, to);
        box->setValue(value);
        return box;
    };
    m_columns = spin("spnColunas", 2, 3, settings.columns);
    m_margin = spin("spnMargem", 0, 30, settings.extraMarginMm);
    m_spacing = spin("spnEspaco", 0, 30, settings.spacingMm);
    form->addRow(QStringLiteral("Colunas"), m_columns);
    form->addRow(QStringLiteral("Aumentar a margem esquerda em (mm)"), m_margin);
    form->addRow(QStringLiteral("Alterar o espaço entre etiquetas (mm)"), m_spacing);
    layout->addLayout(form);
    m_border = new QCheckBox(QStringLiteral("Imprima Borda em cada etiqueta"), this);
    m_border->setObjectName(QStringLiteral("chkBorda"));
    m_border->setChecked(settings.border);
    layout->addWidget(m_border);
    m_sheet = new QLabel(this);
    m_sheet->setObjectName(QStringLiteral("lblFolha"));
    m_sheet->setWordWrap(true);
    layout->addWidget(m_sheet);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancelar"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_columns, &QSpinBox::valueChanged, this, &TfrmConfigEtiquetas::describeSheet);
    connect(m_spacing, &QSpinBox::valueChanged, this, &TfrmConfigEtiquetas::describeSheet);
    describeSheet();
}

LabelSettings TfrmConfigEtiquetas::settings() const
{
    return {m_columns->value(), m_margin->value(), m_spacing->value(), m_border->isChecked()};
}

void TfrmConfigEtiquetas::describeSheet()
{
    const std::optional<LabelSheet> sheet = labelSheet(settings());
    if (!sheet)
        return;
    m_sheet->setText(QStringLiteral("Folha A4 de etiquetas de %1 x 38,1 mm: %2 colunas, %3 etiquetas por folha.")
                         .arg(sheet->columns == 3 ? QStringLiteral("63,5") : QStringLiteral("99,1"))
                         .arg(sheet->columns)
                         .arg(sheet->columns * sheet->rows));
}

QPushButton *labelSettingsButton(LabelSettings &settings, QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("Configurar Etiquetas"), parent);
    button->setObjectName(QStringLiteral("cmdConfigurar"));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [&settings, button] {
        TfrmConfigEtiquetas dialog(settings, button->window());
        if (dialog.exec() == QDialog::Accepted)
            settings = dialog.settings();
    });
    return button;
}

} // namespace reports
