#pragma once

#include "reports/letters/AddressLabels.h"

#include <QDialog>

class QComboBox;

namespace data {
class Database;
}

namespace reports {

// The birthday labels' dialog: the month, all classes or one, and "Configurar Etiquetas".
class TfrmEtiquetasAniversario : public QDialog
{
    Q_OBJECT

public:
    TfrmEtiquetasAniversario(const data::Database &db, int month, const QString &classCode,
                             const LabelSettings &settings, QWidget *parent = nullptr);

    int month() const;
    QString classCode() const; // empty for every class
    LabelSettings settings() const { return m_settings; }

private:
    QComboBox *m_month = nullptr;
    QComboBox *m_class = nullptr;
    LabelSettings m_settings;
};

} // namespace reports
