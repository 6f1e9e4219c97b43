#pragma once

#include "billing/booklets/BookletOutput.h"
#include "billing/slips/BoletoChoices.h"
#include "data/store/Database.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class StudentChoiceBox;

// "Imprimir Boletos": the months, kind and students of the slips, the fine and interest texts,
// two message lines (kept in carnet.txt) and what to leave off; then either the school's own
// slips or the bank's booklet forms, numbered as they are printed.
class TfrmImprim1 : public QDialog
{
    Q_OBJECT

public:
    // `messageDir`: where carnet.txt is kept (the program's folder).
    TfrmImprim1(const data::Database &db, const QString &messageDir, QWidget *parent = nullptr);
    ~TfrmImprim1() override;

    billing::BoletoChoices choices() const;

    // Prints the school's own slips from the choices (the booklet box unticked).
    void setOwnModelPrinter(std::function<void(const billing::BoletoChoices &)> printer);
    // Where the booklets go instead of the printer (a PDF file, a recorder).
    using OutputFactory = std::function<std::unique_ptr<billing::BookletOutput>()>;
    void setBookletOutput(OutputFactory factory);
    // Off: the booklets go to the printer without the preview first.
    void setPreviewBeforePrinting(bool on) { m_preview = on; }

public slots:
    void cbMes1Change();
    void cbMes2Change();
    void txtMultaExit();
    void txtJurosExit();
    void txtNumInicialExit();
    void chkBancoClick();
    void chkTextoMultaClick();
    void cmdImprimirClick();
    void cmdCancelarClick();
    void cmdConfigurarClick();
    void cmdSalvarMensagemClick();
    void cmdLerMensagemClick();

private:
    void printBooklets();
    // Shows the booklet on the form's paper before printing; true to print.
    bool previewBooklets(const billing::BoletoChoices &chosen);

    data::Database m_db;
    QString m_messageDir;
    std::unique_ptr<QPrinter> m_printer;
    std::function<void(const billing::BoletoChoices &)> m_ownModel;
    OutputFactory m_output;
    bool m_preview = true;
    bool m_printing = false;
    bool m_stopAsked = false;

    QComboBox *m_fromMonth = nullptr;
    QComboBox *m_toMonth = nullptr;
    QComboBox *m_kind = nullptr;
    StudentChoiceBox *m_students = nullptr;
    QLineEdit *m_fine = nullptr;
    QLineEdit *m_interest = nullptr;
    QLineEdit *m_message1 = nullptr;
    QLineEdit *m_message2 = nullptr;
    QCheckBox *m_hideDiscounts = nullptr;
    QCheckBox *m_hideFineText = nullptr;
    QCheckBox *m_bank = nullptr;
    QLabel *m_paperNotice = nullptr;
    QLabel *m_numberLabel = nullptr;
    QLineEdit *m_firstNumber = nullptr;
    QCheckBox *m_recordOnly = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_cancel = nullptr;
};
