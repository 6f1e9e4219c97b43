#pragma once

#include "reports/letters/AddressLabels.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace reports {

// "Configurar Etiquetas": columns, left margin, spacing between labels and the border.
class TfrmConfigEtiquetas : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmConfigEtiquetas(const LabelSettings &settings, QWidget *parent = nullptr);

    LabelSettings settings() const;

private:
    void describeSheet();

    QSpinBox *m_columns = nullptr;
    QSpinBox *m_margin = nullptr;
    QSpinBox *m_spacing = nullptr;
    QCheckBox *m_border = nullptr;
    QLabel *m_sheet = nullptr;
};

// The "Configurar Etiquetas" button of a labels dialog: opens the dialog on `settings` and keeps
// what the person confirms.
QPushButton *labelSettingsButton(LabelSettings &settings, QWidget *parent);

} // namespace reports
