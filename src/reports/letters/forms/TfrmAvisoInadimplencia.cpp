#include "reports/letters/forms/TfrmAvisoInadimplencia.h"

#include "reports/letters/DefaultNotice.h"
#include "reports/letters/LetterParams.h"

#include "core/Dialogs.h"
#include "core/Formats.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reports {

namespace {

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmAvisoInadimplencia::TfrmAvisoInadimplencia(const data::Database &db, const ReportValues &values, QWidget *parent)
    : QDialog(parent), m_signatureFile(values.text(QStringLiteral("signature")))
{
    if (m_signatureFile.isEmpty())
        m_signatureFile = keptSignature();
    setObjectName(QStringLiteral("frmAvisoInadimplencia"));
    setWindowTitle(QStringLiteral("Texto padrão para Aviso de Inadimplência"));
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(QStringLiteral("Texto do aviso (imprimem-se as %1 primeiras linhas):").arg(kPrintedNoticeLines), this));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("memTexto"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(noticeText().join(u'\n'));
    layout->addWidget(m_text, 1);
    auto *textButtons = new QHBoxLayout;
    auto *save = button(QStringLiteral("&Salvar Texto"), "cmdSalvarTexto", this);
    auto *read = button(QStringLiteral("&Ler Texto"), "cmdLerTexto", this);
    textButtons->addWidget(save);
    textButtons->addWidget(read);
    textButtons->addStretch();
    layout->addLayout(textButtons);

    auto *scope = new QGroupBox(QStringLiteral("Defina:"), this);
    auto *grid = new QGridLayout(scope);
    m_all = new QRadioButton(QStringLiteral("Todas as Turmas"), scope);
    m_all->setObjectName(QStringLiteral("rbTodas"));
    m_oneClass = new QRadioButton(QStringLiteral("Apenas a Turma"), scope);
    m_oneClass->setObjectName(QStringLiteral("rbTurma"));
    m_oneStudent = new QRadioButton(QStringLiteral("Apenas o Aluno (Matrícula)"), scope);
    m_oneStudent->setObjectName(QStringLiteral("rbAluno"));
    m_class = new QComboBox(scope);
    m_class->setObjectName(QStringLiteral("cbTurma"));
    for (const ParamChoice &choice : classParam().choicesIn(db))
        if (!choice.value.isEmpty())
            m_class->addItem(choice.caption, choice.value);
    m_student = new QLineEdit(scope);
    m_student->setObjectName(QStringLiteral("txtMatricula"));
    grid->addWidget(m_all, 0, 0);
    grid->addWidget(m_oneClass, 1, 0);
    grid->addWidget(m_class, 1, 1);
    grid->addWidget(m_oneStudent, 2, 0);
    grid->addWidget(m_student, 2, 1);
    layout->addWidget(scope);
    const QString classCode = values.text(QStringLiteral("class"));
    const QString student = values.text(QStringLiteral("student"));
    m_class->setCurrentIndex(std::max(0, m_class->findData(classCode)));
    m_student->setText(student);
    (student.isEmpty() ? (classCode.isEmpty() ? m_all : m_oneClass) : m_oneStudent)->setChecked(true);

    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(QStringLiteral("Somente considerar os carnês anteriores a "), this));
    m_date = new QDateEdit(values.date(QStringLiteral("date")), this);
    m_date->setObjectName(QStringLiteral("dtpData"));
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dateRow->addWidget(m_date);
    auto *calendar = button(QStringLiteral("..."), "cmdCalendario", this);
    calendar->setFixedWidth(32);
    dateRow->addWidget(calendar);
    dateRow->addStretch();
    layout->addLayout(dateRow);

    m_noLetterhead = new QCheckBox(
        QStringLiteral("Não imprima cabeçalho com logotipo (se estiver usando papel timbrado, por exemplo)"), this);
    m_noLetterhead->setObjectName(QStringLiteral("chkSemCabecalho"));
    m_noLetterhead->setChecked(values.flag(QStringLiteral("no-letterhead")));
    m_noValues = new QCheckBox(QStringLiteral("Não Imprimir Valores Devidos"), this);
    m_noValues->setObjectName(QStringLiteral("chkSemValores"));
    m_noValues->setChecked(values.flag(QStringLiteral("no-values")));
    layout->addWidget(m_noLetterhead);
    layout->addWidget(m_noValues);

    auto *signatureRow = new QHBoxLayout;
    auto *load = button(QStringLiteral("&Carregar Imagem da Assinatura"), "cmdAssinatura", this);
    load->setToolTip(QStringLiteral("Informe o arquivo com sua assinatura (proporção 1:4)"));
    m_signature = new QLabel(this);
    m_signature->setObjectName(QStringLiteral("imgAssinatura"));
    m_signature->setFixedSize(240, 60);
    m_signature->setFrameShape(QFrame::Box);
    m_signature->setScaledContents(true);
    signatureRow->addWidget(load);
    signatureRow->addWidget(m_signature);
    signatureRow->addStretch();
    layout->addLayout(signatureRow);
    showSignature();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    layout->addWidget(buttons);

    connect(save, &QPushButton::clicked, this, &TfrmAvisoInadimplencia::cmdSalvarTextoClick);
    connect(read, &QPushButton::clicked, this, &TfrmAvisoInadimplencia::cmdLerTextoClick);
    connect(load, &QPushButton::clicked, this, &TfrmAvisoInadimplencia::cmdAssinaturaClick);
    connect(calendar, &QPushButton::clicked, this, &TfrmAvisoInadimplencia::cmdCalendarioClick);
    for (QRadioButton *radio : {m_all, m_oneClass, m_oneStudent})
        connect(radio, &QRadioButton::toggled, this, &TfrmAvisoInadimplencia::updateState);
    connect(m_student, &QLineEdit::textChanged, this, &TfrmAvisoInadimplencia::updateState);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateState();
    resize(760, 620);
}

void TfrmAvisoInadimplencia::store(ReportValues &values, const data::Database &db) const
{
    values.set(QStringLiteral("date"), core::formatDate(m_date->date()), db);
    values.set(QStringLiteral("class"), m_oneClass->isChecked() ? m_class->currentData().toString() : QString(), db);
    values.set(QStringLiteral("student"), m_oneStudent->isChecked() ? m_student->text().trimmed() : QString(), db);
    values.set(QStringLiteral("no-values"), m_noValues->isChecked() ? QStringLiteral("S") : QStringLiteral("N"), db);
    values.set(QStringLiteral("no-letterhead"), m_noLetterhead->isChecked() ? QStringLiteral("S") : QStringLiteral("N"), db);
    values.set(QStringLiteral("text"), m_text->toPlainText(), db);
    values.set(QStringLiteral("signature"), m_signatureFile, db);
}

void TfrmAvisoInadimplencia::cmdSalvarTextoClick()
{
    QString error;
    if (!saveNoticeText(m_text->toPlainText().split(u'\n'), &error))
        core::showError(QStringLiteral("Não foi possível gravar o texto em aviso.txt:\r") + error);
}

void TfrmAvisoInadimplencia::cmdLerTextoClick()
{
    m_text->setPlainText(noticeText().join(u'\n'));
}

void TfrmAvisoInadimplencia::cmdAssinaturaClick()
{
    core::FileRequest request;
    request.caption = QStringLiteral("Informe o arquivo com sua assinatura (proporção 1:4)");
    request.filter = QStringLiteral("Imagens (*.bmp *.png *.jpg *.jpeg);;Todos os arquivos (*.*)");
    const QString file = core::dialogs().openFile(request);
    if (file.isEmpty())
        return;
    const QImage picture = QImageReader(file).read();
    if (picture.isNull()) {
        core::showError(QStringLiteral("Arquivo não pode ser carregado!"));
        return;
    }
    // Kept for the next notices; a folder that cannot be written still prints this one.
    m_signatureFile = keepSignature(picture) ? keptSignature() : file;
    showSignature();
}

void TfrmAvisoInadimplencia::cmdCalendarioClick()
{
    QDialog picker(this);
    picker.setWindowTitle(QStringLiteral("Calendário"));
    auto *layout = new QVBoxLayout(&picker);
    auto *calendar = new QCalendarWidget(&picker);
    calendar->setSelectedDate(m_date->date());
    layout->addWidget(calendar);
    connect(calendar, &QCalendarWidget::activated, &picker, &QDialog::accept);
    connect(calendar, &QCalendarWidget::clicked, &picker, &QDialog::accept);
    if (picker.exec() == QDialog::Accepted)
        m_date->setDate(calendar->selectedDate());
}

void TfrmAvisoInadimplencia::showSignature()
{
    m_signature->setPixmap(m_signatureFile.isEmpty() ? QPixmap() : QPixmap(m_signatureFile));
}

void TfrmAvisoInadimplencia::updateState()
{
    m_class->setEnabled(m_oneClass->isChecked());
    m_student->setEnabled(m_oneStudent->isChecked());
    m_ok->setEnabled(!m_oneStudent->isChecked() || core::parseInteger(m_student->text()).value_or(0) > 0);
}

} // namespace reports
