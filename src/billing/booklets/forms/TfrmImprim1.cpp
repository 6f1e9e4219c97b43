#include "billing/booklets/forms/TfrmImprim1.h"

#include "billing/booklets/BookletRun.h"
#include "billing/forms/StudentChoiceBox.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/Formats.h"
#include "core/TextFile.h"
#include "core/forms/RunProgressDialog.h"
#include "data/settings/Settings.h"
#include "students/structure/ChargeTypeFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const QString kMessageFile = QStringLiteral("carnet.txt");

QComboBox *monthBox(const char *name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItem(QStringLiteral("Todos os Meses - Carnê"));
    for (int month = 1; month <= 12; ++month)
        box->addItem(core::monthName(month, core::LetterCase::Capitalised));
    return box;
}

QString reformatted(const QString &text, const QString &mask, const QString &fallback)
{
    const std::optional<double> value = core::parseNumber(text);
    return value ? core::formatNumber(*value, mask) : fallback;
}

// The run's face in this window: the progress window, and the window's own "Cance&lar".
class BookletReporter : public core::RunReporter
{
public:
    BookletReporter(core::RunProgressDialog &progress, const bool &stopAsked) : m_progress(progress), m_stop(stopAsked) {}
    void begin(const QString &title, int total, bool offersCancel) override { m_progress.begin(title, total, offersCancel); }
    void step(int done, const QString &text) override { m_progress.step(done, text); }
    void note(core::Severity severity, const QString &text, const QString &caption) override
    {
        m_progress.note(severity, text, caption);
    }
    bool cancelled() const override { return m_stop || m_progress.cancelled(); }
    void finish(core::RunOutcome outcome) override { m_progress.finish(outcome); }

private:
    core::RunProgressDialog &m_progress;
    const bool &m_stop;
};

} // namespace

TfrmImprim1::TfrmImprim1(const data::Database &db, const QString &messageDir, QWidget *parent)
    : QDialog(parent), m_db(db), m_messageDir(messageDir), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("TfrmImprim1"));
    setWindowTitle(QStringLiteral("Imprimir Boletos"));
    // The bank's form: the program writes from the sheet's corner, on its own paper size.
    m_printer->setFullPage(true);
    m_printer->setPageSize(QPageSize(QSizeF(billing::kBookletPaperWidthMm, billing::kBookletPaperHeightMm),
                                     QPageSize::Millimeter, QStringLiteral("Carnê 180 x 203 mm"), QPageSize::ExactMatch));
    m_printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    auto *monthsBox = new QGroupBox(QStringLiteral("Imprimir com Vencimento nos meses abaixo:"), this);
    m_fromMonth = monthBox("cbMes1", monthsBox);
    m_toMonth = monthBox("cbMes2", monthsBox);
    m_fromMonth->setCurrentIndex(1);
    m_toMonth->setCurrentIndex(12);
    auto *months = new QHBoxLayout(monthsBox);
    months->addWidget(m_fromMonth);
    months->addWidget(new QLabel(QStringLiteral("A"), monthsBox));
    months->addWidget(m_toMonth);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cbTipo"));
    m_kind->addItems(students::chargeTypeEntries());
    m_kind->setCurrentText(QStringLiteral("Mensalidade"));

    m_students = new StudentChoiceBox(db, QStringLiteral("Todos da Turma"), this);
    m_students->setTitle(QStringLiteral("Defina:"));
    if (auto *list = m_students->findChild<QRadioButton *>(QStringLiteral("rbMatricula")))
        list->setText(QStringLiteral("Apenas a Matrícula nº"));
    if (auto *all = m_students->findChild<QRadioButton *>(QStringLiteral("rbTodos")))
        all->setChecked(true);

    const data::Settings &settings = data::settings();
    m_fine = new QLineEdit(QStringLiteral("2,0"), this);
    m_fine->setObjectName(QStringLiteral("txtMulta"));
    m_interest = new QLineEdit(core::formatNumber(settings.Juros, QStringLiteral("0.00")), this);
    m_interest->setObjectName(QStringLiteral("txtJuros"));
    for (QLineEdit *e : {m_fine, m_interest})
        e->setMaximumWidth(60);

    auto *messages = new QGroupBox(QStringLiteral("Use o campo abaixo para até duas linhas de mensagem:"), this);
    m_message1 = new QLineEdit(messages);
    m_message1->setObjectName(QStringLiteral("txtMensagem1"));
    m_message2 = new QLineEdit(messages);
    m_message2->setObjectName(QStringLiteral("txtMensagem2"));
    auto *saveMessage = new QPushButton(QStringLiteral("&Salvar Mensagem"), messages);
    saveMessage->setObjectName(QStringLiteral("cmdSalvarMensagem"));
    auto *readMessage = new QPushButton(QStringLiteral("&Lerr Mensagem"), messages);
    readMessage->setObjectName(QStringLiteral("cmdLerMensagem"));
    auto *messageGrid = new QGridLayout(messages);
    for (QLineEdit *e : {m_message1, m_message2})
        e->setMaxLength(65);
    messageGrid->addWidget(m_message1, 0, 0);
    messageGrid->addWidget(m_message2, 1, 0);
    messageGrid->addWidget(saveMessage, 0, 1);
    messageGrid->addWidget(readMessage, 1, 1);

    m_hideDiscounts = new QCheckBox(QStringLiteral("NÃO imprima Descontos no Boleto"), this);
    m_hideDiscounts->setObjectName(QStringLiteral("chkDesconto"));
    m_hideFineText = new QCheckBox(QStringLiteral("NÃO imprima Texto de Multa e Juros"), this);
    m_hideFineText->setObjectName(QStringLiteral("chkTextoMulta"));
    m_bank = new QCheckBox(QStringLiteral("Imprimir em Boleto Entregue por Banco conveniado"), this);
    m_bank->setObjectName(QStringLiteral("chkBanco"));
    m_paperNotice = new QLabel(billing::kPaperSizeNotice, this);
    m_paperNotice->setObjectName(QStringLiteral("lblAviso"));
    m_paperNotice->setWordWrap(true);
    m_numberLabel = new QLabel(QStringLiteral("Informe o nº de controle inicial"), this);
    m_firstNumber = new QLineEdit(QStringLiteral("000000000000"), this);
    m_firstNumber->setObjectName(QStringLiteral("txtNumInicial"));
    m_firstNumber->setMaxLength(12);
    m_firstNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,12}")), m_firstNumber));
    m_firstNumber->setMaximumWidth(130);
    m_recordOnly = new QCheckBox(QStringLiteral("Criar Registro Sem Usar a Impressora"), this);
    m_recordOnly->setObjectName(QStringLiteral("chkSemImpressora"));
    m_recordOnly->setToolTip(QStringLiteral("Clique aqui se estiver gerando dados de boletos já impressos"));

    auto *buttons = new QDialogButtonBox(this);
    m_print = buttons->addButton(QStringLiteral("&Imprimir"), QDialogButtonBox::ActionRole);
    m_print->setObjectName(QStringLiteral("cmdImprimir"));
    m_cancel = buttons->addButton(QStringLiteral("Cance&lar"), QDialogButtonBox::ActionRole);
    m_cancel->setObjectName(QStringLiteral("cmdCancelar"));
    m_cancel->setEnabled(false);
    auto *setup = buttons->addButton(QStringLiteral("&Configurar"), QDialogButtonBox::ActionRole);
    setup->setObjectName(QStringLiteral("cmdConfigurar"));
    auto *close = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdFechar"));

    auto *form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Imprimir Boleto do Tipo"), this), 0, 0);
    form->addWidget(m_kind, 0, 1, 1, 3);
    form->addWidget(new QLabel(QStringLiteral("Após o vencimento, aplicar Multa de "), this), 1, 0);
    form->addWidget(m_fine, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("%."), this), 1, 2);
    form->addWidget(new QLabel(QStringLiteral("Por cada dia de atraso, aplicar juros de mora de "), this), 2, 0);
    form->addWidget(m_interest, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("%."), this), 2, 2);
    form->setColumnStretch(3, 1);

    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(m_numberLabel);
    numberRow->addWidget(m_firstNumber);
    numberRow->addWidget(m_recordOnly);
    numberRow->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(monthsBox);
    layout->addLayout(form);
    layout->addWidget(m_students);
    layout->addWidget(messages);
    layout->addWidget(m_hideDiscounts);
    layout->addWidget(m_hideFineText);
    layout->addWidget(m_bank);
    layout->addWidget(m_paperNotice);
    layout->addLayout(numberRow);
    layout->addWidget(buttons);

    connect(m_fromMonth, &QComboBox::activated, this, &TfrmImprim1::cbMes1Change);
    connect(m_toMonth, &QComboBox::activated, this, &TfrmImprim1::cbMes2Change);
    connect(m_fine, &QLineEdit::editingFinished, this, &TfrmImprim1::txtMultaExit);
    connect(m_interest, &QLineEdit::editingFinished, this, &TfrmImprim1::txtJurosExit);
    connect(m_firstNumber, &QLineEdit::editingFinished, this, &TfrmImprim1::txtNumInicialExit);
    connect(m_bank, &QCheckBox::clicked, this, &TfrmImprim1::chkBancoClick);
    connect(m_hideFineText, &QCheckBox::clicked, this, &TfrmImprim1::chkTextoMultaClick);
    connect(m_print, &QPushButton::clicked, this, &TfrmImprim1::cmdImprimirClick);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmImprim1::cmdCancelarClick);
    connect(setup, &QPushButton::clicked, this, &TfrmImprim1::cmdConfigurarClick);
    connect(saveMessage, &QPushButton::clicked, this, &TfrmImprim1::cmdSalvarMensagemClick);
    connect(readMessage, &QPushButton::clicked, this, &TfrmImprim1::cmdLerMensagemClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    chkBancoClick();
}

TfrmImprim1::~TfrmImprim1() = default;

void TfrmImprim1::setOwnModelPrinter(std::function<void(const billing::BoletoChoices &)> printer)
{
    m_ownModel = std::move(printer);
}

void TfrmImprim1::setBookletOutput(OutputFactory factory)
{
    m_output = std::move(factory);
}

billing::BoletoChoices TfrmImprim1::choices() const
{
    billing::BoletoChoices c;
    c.fromMonth = qBound(1, m_fromMonth->currentIndex(), 12);
    c.toMonth = qBound(c.fromMonth, m_toMonth->currentIndex(), 12);
    c.kind = m_kind->currentText();
    c.students = m_students->selection();
    c.fineText = m_fine->text();
    c.interestText = m_interest->text();
    c.message1 = m_message1->text();
    c.message2 = m_message2->text();
    c.hideDiscounts = m_hideDiscounts->isChecked();
    c.hideFineText = m_hideFineText->isChecked();
    c.bankBooklet = m_bank->isChecked();
    c.firstNumber = m_firstNumber->text();
    c.recordOnly = m_recordOnly->isChecked();
    return c;
}

void TfrmImprim1::cbMes1Change()
{
    if (m_fromMonth->currentIndex() == 0)
        m_fromMonth->setCurrentIndex(1);
    m_toMonth->setCurrentIndex(12);
}

void TfrmImprim1::cbMes2Change()
{
    if (m_toMonth->currentIndex() < m_fromMonth->currentIndex())
        m_toMonth->setCurrentIndex(m_fromMonth->currentIndex());
}

void TfrmImprim1::txtMultaExit()
{
    m_fine->setText(reformatted(m_fine->text(), QStringLiteral("0.0"), QStringLiteral("2,0")));
}

void TfrmImprim1::txtJurosExit()
{
    m_interest->setText(reformatted(m_interest->text(), QStringLiteral("0.00"), QStringLiteral("0,33")));
}

void TfrmImprim1::txtNumInicialExit()
{
    if (!m_bank->isChecked())
        return;
    const bool valid = billing::bookletFirstNumber(m_firstNumber->text()).has_value();
    m_print->setEnabled(valid);
    if (valid)
        m_print->setFocus();
}

void TfrmImprim1::chkBancoClick()
{
    const bool bank = m_bank->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{m_paperNotice, m_numberLabel, m_firstNumber, m_recordOnly})
        w->setVisible(bank);
    m_print->setEnabled(!bank || billing::bookletFirstNumber(m_firstNumber->text()).has_value());
}

void TfrmImprim1::chkTextoMultaClick()
{
    if (m_hideFineText->isChecked())
        core::inform(QStringLiteral("Esta opção será ignorada para boletos bancários"));
}

void TfrmImprim1::cmdImprimirClick()
{
    if (!m_bank->isChecked()) {
        if (m_ownModel)
            m_ownModel(choices());
        return;
    }
    printBooklets();
}

void TfrmImprim1::cmdCancelarClick()
{
    m_stopAsked = true;
}

void TfrmImprim1::cmdConfigurarClick()
{
    QPrintDialog setup(m_printer.get(), this);
    setup.setWindowTitle(QStringLiteral("Configurar Impressora"));
    setup.exec();
    if (!m_printer->isValid())
        core::showError(QStringLiteral("Erro ao Configurar"));
}

void TfrmImprim1::cmdSalvarMensagemClick()
{
    if (!core::writeTextLines(QDir(m_messageDir).filePath(kMessageFile), {m_message1->text(), m_message2->text()}))
        core::showError(QStringLiteral("Erro ao tentar salvar arquivo!"));
}

void TfrmImprim1::cmdLerMensagemClick()
{
    const std::optional<QStringList> lines = core::readTextLines(QDir(m_messageDir).filePath(kMessageFile));
    if (!lines) {
        core::showError(QStringLiteral("Erro ao tentar Ler arquivo!"));
        return;
    }
    m_message1->setText(lines->value(0).left(65));
    m_message2->setText(lines->value(1).left(65));
}

bool TfrmImprim1::previewBooklets(const billing::BoletoChoices &chosen)
{
    const QList<billing::BookletSlip> slips =
        billing::bookletPreview(m_db, chosen, {core::today(), data::settings().UF});
    if (slips.isEmpty())
        return true; // the run itself says there is nothing to print
    QDialog preview(this);
    preview.setObjectName(QStringLiteral("frmVisualizarCarnes"));
    preview.setWindowTitle(QStringLiteral("Visualizar Carnês"));
    auto *widget = new QPrintPreviewWidget(m_printer.get(), &preview);
    connect(widget, &QPrintPreviewWidget::paintRequested, &preview, [&](QPrinter *printer) {
        billing::PaintedBooklet painted(*printer, [printer] { return printer->newPage(); });
        billing::drawBookletSheets(slips, chosen, painted);
    });
    auto *buttons = new QDialogButtonBox(&preview);
    buttons->addButton(QStringLiteral("&Imprimir"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("cmdImprimir"));
    buttons->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cmdCancelar"));
    connect(buttons, &QDialogButtonBox::accepted, &preview, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &preview, &QDialog::reject);
    auto *layout = new QVBoxLayout(&preview);
    layout->addWidget(new QLabel(QStringLiteral("%1 boleto(s) em %2 folha(s)").arg(slips.size()).arg((slips.size() + 1) / 2), &preview));
    layout->addWidget(widget, 1);
    layout->addWidget(buttons);
    preview.resize(760, 820);
    return preview.exec() == QDialog::Accepted;
}

void TfrmImprim1::printBooklets()
{
    const billing::BoletoChoices chosen = choices();
    if (!chosen.recordOnly && !m_output && m_preview && !previewBooklets(chosen))
        return;
    std::unique_ptr<billing::BookletOutput> output;
    if (!chosen.recordOnly) {
        if (m_output) {
            output = m_output();
        } else {
            QPrinter *printer = m_printer.get();
            output = std::make_unique<billing::PaintedBooklet>(*printer, [printer] { return printer->newPage(); },
                                                               [printer] { printer->abort(); });
        }
    }
    m_printing = true;
    m_stopAsked = false;
    m_print->setEnabled(false);
    m_cancel->setEnabled(true);
    core::RunProgressDialog progress(this);
    BookletReporter reporter(progress, m_stopAsked);
    billing::runBooklets(m_db, chosen, {core::today(), data::settings().UF}, output.get(), reporter);
    m_printing = false;
    m_cancel->setEnabled(false);
    m_print->setEnabled(true);
}
