#include "data/forms/TfrmConfig.h"

#include "core/Dialogs.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsItems.h"
#include "data/settings/SettingsStore.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QLabel *note(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

} // namespace

QString TfrmConfig::Field::text() const
{
    if (edit)
        return edit->text();
    if (check)
        return data::settingsLogicalText(check->isChecked());
    return QString::number(choice->checkedId());
}

void TfrmConfig::Field::show(const QString &text) const
{
    if (edit) {
        edit->setText(text);
    } else if (check) {
        check->setChecked(text == data::settingsLogicalText(true));
    } else {
        QAbstractButton *button = choice->button(text.toInt());
        (button ? button : choice->buttons().first())->setChecked(true);
    }
}

TfrmConfig::TfrmConfig(QWidget *parent, SaveFunction save)
    : QDialog(parent), m_save(std::move(save))
{
    if (!m_save)
        m_save = [] { return data::saveSettings(); };
    setObjectName("TfrmConfig");
    setWindowTitle(QStringLiteral("Configuração"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("PageControl1");
    m_pages->addTab(buildIdentityTab(), QStringLiteral("Estabelecimento"));
    m_pages->addTab(buildAssessmentTab(), QStringLiteral("Critérios das Avaliações"));
    m_pages->addTab(buildOtherTab(), QStringLiteral("Outros Dados"));

    auto *salvar = new QPushButton(QStringLiteral("&Salvar "), this);
    salvar->setObjectName("cmdSalvar");
    connect(salvar, &QPushButton::clicked, this, &TfrmConfig::cmdSalvarClick);
    auto *fechar = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar->setObjectName("cmdFechar");
    connect(fechar, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(salvar);
    buttons->addWidget(fechar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    showRecord();
}

QLineEdit *TfrmConfig::addEdit(const QString &itemName)
{
    const data::SettingsItem &item = data::settingsItem(itemName);
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("txt") + item.name);
    edit->setMaxLength(item.width);
    m_fields += Field{&item, edit};
    return edit;
}

QLineEdit *TfrmConfig::addUpperCaseEdit(const QString &itemName)
{
    QLineEdit *edit = addEdit(itemName);
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
    return edit;
}

QCheckBox *TfrmConfig::addCheck(const QString &itemName, const QString &caption)
{
    const data::SettingsItem &item = data::settingsItem(itemName);
    auto *check = new QCheckBox(caption, this);
    check->setObjectName(QStringLiteral("chk") + item.name);
    m_fields += Field{&item, nullptr, check};
    return check;
}

QWidget *TfrmConfig::buildIdentityTab()
{
    auto *page = new QWidget;
    page->setObjectName("TabSheet1");
    auto *form = new QFormLayout(page);
    const QList<std::pair<const char *, QString>> identity = {
        {"Estabel", QStringLiteral("Nome do Estabelecimento")},
        {"Endereco", QStringLiteral("Endereço (rua, bairro...)")},
        {"Municipio", QStringLiteral("Município")},
        {"UF", QStringLiteral("UF")},
        {"CGC", QStringLiteral("CGC")}};
    for (const auto &[item, label] : identity) {
        m_identity += addEdit(QString::fromLatin1(item));
        form->addRow(label, m_identity.last());
    }
    form->addRow(QStringLiteral("Telefone"), addEdit(QStringLiteral("Fone")));
    form->addRow(QStringLiteral("Nº Cadastro MEC"), addEdit(QStringLiteral("Num_Cadastro")));
    form->addRow(QStringLiteral("%Multa ao dia"), addEdit(QStringLiteral("Juros")));
    form->addRow(QStringLiteral("Ano Letivo"), addEdit(QStringLiteral("Ano_Ref")));

    // Printed as a QR code on the school's own slips; left empty, the slips carry no PIX.
    auto *pix = new QGroupBox(QStringLiteral("Chave PIX"), page);
    pix->setObjectName("gbPix");
    auto *pixForm = new QFormLayout(pix);
    pixForm->addRow(QStringLiteral("Chave PIX"), addEdit(QStringLiteral("Pix_Chave")));
    pixForm->addRow(QStringLiteral("Nome do Recebedor"), addUpperCaseEdit(QStringLiteral("Pix_Nome")));
    pixForm->addRow(QStringLiteral("Cidade do Recebedor"), addUpperCaseEdit(QStringLiteral("Pix_Cidade")));
    pixForm->addRow(note(QStringLiteral("Com a chave preenchida, o boleto de modelo próprio traz o QR Code PIX e "
                                        "o código \"copia e cola\" com o valor a pagar.")));
    form->addRow(pix);
    return page;
}

QWidget *TfrmConfig::buildAssessmentTab()
{
    auto *page = new QWidget;
    page->setObjectName("TabSheet2");
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("Média da Unidade"), addEdit(QStringLiteral("Uni_Media")));
    form->addRow(QStringLiteral("Média Final"), addEdit(QStringLiteral("Ger_Media")));
    auto *peso1Row = new QHBoxLayout;
    peso1Row->addWidget(addEdit(QStringLiteral("Peso_1")));
    peso1Row->addWidget(new QLabel(QStringLiteral("=1 para Média Aritimética")));
    form->addRow(QStringLiteral("PESO a ser Aplicado à Média ANUAL"), peso1Row);
    form->addRow(QStringLiteral("PESO a Aplicado à Nota Final"), addEdit(QStringLiteral("Peso_2")));
    form->addRow(QStringLiteral("Quantidade de Unidades para Avaliação (1..4)"),
                 addEdit(QStringLiteral("Unid_Aval")));
    auto *dependency = new QHBoxLayout;
    dependency->addWidget(new QLabel(QStringLiteral("O Aluno fará Dependência com até ")));
    dependency->addWidget(addEdit(QStringLiteral("Limite_Dep")));
    dependency->addWidget(new QLabel(QStringLiteral("Disciplinas abaixo da Média Final ")));
    form->addRow(dependency);
    form->addRow(note(QStringLiteral("(*) Informe 0 (zero) se não usa o conceito de Dependência")));
    form->addRow(addCheck(
        QStringLiteral("Recup_Media"),
        QStringLiteral("A Nota da Recuperação será a Média da Unidade, se mais Favorável")));

    auto *weights = new QGridLayout;
    for (int u = 1; u <= 4; ++u) {
        weights->addWidget(new QLabel(QStringLiteral("Und %1").arg(u)), 0, u - 1);
        weights->addWidget(addEdit(QStringLiteral("PesoUND%1").arg(u)), 1, u - 1);
    }
    weights->addWidget(note(QStringLiteral("Informe 1 se utiliza Média aritimética (padrão)")), 2,
                       0, 1, 4);
    form->addRow(weights);

    auto *rounding = new QGroupBox(QStringLiteral("Critério para Arredondamento das Médias"), this);
    rounding->setObjectName("rgArredondamento");
    auto *roundingLayout = new QVBoxLayout(rounding);
    auto *choice = new QButtonGroup(rounding);
    const QString choices[3] = {
        QStringLiteral("Não Usar Arredondamento"),
        QStringLiteral("Arredondar SEMPRE para MAIOR (Ex: 5,1 .. 5,4 -> 5,5 / 5.6 ... 5,9 ->6,0)"),
        QStringLiteral(
            "Arredondar para MENOR ou para MAIOR (Ex: 4,8 ... 5,2 -> 5,0 / 5,3 ... 5,7 -> 5,5)")};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QRadioButton(choices[i], rounding);
        button->setObjectName(QStringLiteral("rbArredondamento%1").arg(i));
        choice->addButton(button, i);
        roundingLayout->addWidget(button);
    }
    m_fields += Field{&data::settingsItem(QStringLiteral("Arredondamento")), nullptr, nullptr, choice};
    form->addRow(rounding);
    return page;
}

QWidget *TfrmConfig::buildOtherTab()
{
    auto *page = new QWidget;
    page->setObjectName("TabSheet3");
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("Vencimento Padrão das Mensalidades (DIA)"),
                 addEdit(QStringLiteral("Data_Venc")));
    form->addRow(addCheck(QStringLiteral("Usa_Rede"), QStringLiteral("Ambiente de Rede")));
    form->addRow(QStringLiteral("Termo p/ Funcionários"), addUpperCaseEdit(QStringLiteral("Termo_Func")));
    form->addRow(QStringLiteral("Termo para Unidade"), addUpperCaseEdit(QStringLiteral("Termo_Unidade")));
    form->addRow(QStringLiteral("Termo para Recuperação"),
                 addUpperCaseEdit(QStringLiteral("Termo_Recup")));
    return page;
}

void TfrmConfig::showRecord()
{
    const data::Settings &record = data::settings();
    for (const Field &field : m_fields)
        field.show(field.item->text(record));
    // A school without a name is a new school year: let the supervisor enter its identity.
    const bool identityOpen = record.Estabel.trimmed().isEmpty();
    for (QLineEdit *edit : m_identity)
        edit->setEnabled(identityOpen);
}

TfrmConfig::Outcome TfrmConfig::readAndSave()
{
    QList<std::pair<const data::SettingsItem *, QString>> texts;
    for (const Field &field : m_fields)
        texts += {field.item, field.text()};
    if (data::setSettingsTexts(data::settings(), texts)) {
        const data::SettingsSaveResult result = m_save();
        if (result.saved())
            return Outcome::Saved;
        core::dialogs().show(data::settingsNotSavedMessage(result));
        return Outcome::NotSaved;
    }
    core::Message box;
    box.text = QStringLiteral("Não consegui ler corretamente. Verifique os campos modificados.");
    box.caption = QStringLiteral("Erro");
    box.icon = core::Icon::Warning;
    box.buttons = core::Button::Abort | core::Button::Retry | core::Button::Ignore;
    return core::dialogs().show(box) == core::Button::Ignore ? Outcome::CloseWithoutSaving
                                                             : Outcome::KeepOpen;
}

void TfrmConfig::cmdSalvarClick()
{
    if (readAndSave() == Outcome::CloseWithoutSaving) {
        m_closing = true; // already decided: no second save on the way out
        reject();
    }
}

// Every way out (the window's close button, Esc, "&Fechar") ends here. A save that failed on
// the way out has been shown; the form closes all the same, or nobody could leave it.
void TfrmConfig::reject()
{
    if (!m_closing && readAndSave() == Outcome::KeepOpen)
        return;
    m_closing = true;
    data::settings().computeDerived();
    QDialog::reject();
}
