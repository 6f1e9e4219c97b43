#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace data {
struct SettingsFormValues;
}

// "Configuração": the supervisor edits the school's settings. Works on the process-wide settings
// record; every save goes through `save` (by default the settings table of the open school year).
// The identity fields are read-only once the school has a name; on a new school year they are
// open so the school can be named.
class TfrmConfig : public QDialog
{
    Q_OBJECT

public:
    using SaveFunction = std::function<void()>;
    explicit TfrmConfig(QWidget *parent = nullptr, SaveFunction save = {});

public slots:
    void reject() override;

private slots:
    void cmdSalvarClick();

private:
    enum class Outcome
    {
        Saved,
        KeepOpen,
        CloseWithoutSaving
    };

    QWidget *buildIdentityTab();
    QWidget *buildAssessmentTab();
    QWidget *buildOtherTab();
    QLineEdit *addEdit(const QString &objectName, int maxLength);
    QLineEdit *addUpperCaseEdit(const QString &objectName, int maxLength);
    void showRecord();
    data::SettingsFormValues formValues() const;
    // Reads the fields into the record and saves; asks what to do when a field does not convert.
    Outcome readAndSave();

    SaveFunction m_save;
    bool m_closing = false;

    QTabWidget *m_pages = nullptr;
    QLineEdit *m_estabel = nullptr;
    QLineEdit *m_endereco = nullptr;
    QLineEdit *m_municipio = nullptr;
    QLineEdit *m_uf = nullptr;
    QLineEdit *m_cgc = nullptr;
    QLineEdit *m_fone = nullptr;
    QLineEdit *m_numCadastro = nullptr;
    QLineEdit *m_juros = nullptr;
    QLineEdit *m_anoRef = nullptr;
    QLineEdit *m_uniMedia = nullptr;
    QLineEdit *m_gerMedia = nullptr;
    QLineEdit *m_peso1 = nullptr;
    QLineEdit *m_peso2 = nullptr;
    QLineEdit *m_unidAval = nullptr;
    QLineEdit *m_limiteDep = nullptr;
    QCheckBox *m_recupMedia = nullptr;
    QLineEdit *m_pesoUnd[4] = {};
    QRadioButton *m_arredondamento[3] = {};
    QLineEdit *m_dataVenc = nullptr;
    QCheckBox *m_usaRede = nullptr;
    QLineEdit *m_termoFunc = nullptr;
    QLineEdit *m_termoUnidade = nullptr;
    QLineEdit *m_termoRecup = nullptr;
};
