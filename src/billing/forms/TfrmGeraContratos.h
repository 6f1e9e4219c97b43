#pragma once

#include "billing/contracts/ContractStudents.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace data {
struct Settings;
}

namespace billing {

// "Geração de Contratos": the model shown formatted, the output file, the number of contracts,
// and the run that writes them with its two progress bars (students, lines of the current one).
class TfrmGeraContratos : public QDialog
{
    Q_OBJECT

public:
    TfrmGeraContratos(QList<ContractStudent> students, const QString &modelPath,
                      const data::Settings &settings, QWidget *parent = nullptr);

    QString modelPath() const { return m_modelPath; }
    QString outputPath() const { return m_outputPath; }

    void generate();       // "Gerar Contrato(s)"
    void chooseModel();    // "&Outro Modelo"
    void openOutputFolder();

private:
    void loadModel(const QString &path);

    QList<ContractStudent> m_students;
    const data::Settings &m_settings;
    QString m_modelPath;
    QString m_outputPath;
    QTextEdit *m_model = nullptr;
    QLineEdit *m_output = nullptr;
    QLabel *m_count = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_studentBar = nullptr;
    QProgressBar *m_lineBar = nullptr;
    QPushButton *m_generate = nullptr;
};

} // namespace billing
