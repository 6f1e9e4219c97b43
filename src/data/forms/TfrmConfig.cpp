#include "data/forms/TfrmConfig.h"

#include "core/Dialogs.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsFormValues.h"
#include "data/settings/SettingsStore.h"

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

TfrmConfig::TfrmConfig(QWidget *parent, SaveFunction save)
    : QDialog(parent), m_save(std::move(save))
{
    if (!m_save)
        m_save = [] { data::saveSettings(); };
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

QLineEdit *TfrmConfig::addEdit(const QString &objectName, int maxLength)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit *TfrmConfig::addUpperCaseEdit(const QString &objectName, int maxLength)
{
    QLineEdit *edit = addEdit(objectName, maxLength);
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

QWidget *TfrmConfig::buildIdentityTab()
{
    namespace L = data::settingsLimits;
    auto *page = new QWidget;
    page->setObjectName("TabSheet1");
    auto *form = new QFormLayout(page);
    m_estabel = addEdit("txtEstabel", L::Estabel);
    m_endereco = addEdit("txtEndereco", L::Endereco);
    m_municipio = addEdit("txtMunicipio", L::Municipio);
    m_uf = addEdit("txtUF", L::UF);
    m_cgc = addEdit("txtCGC", L::CGC);
    m_fone = addEdit("txtFone", L::Fone);
    m_numCadastro = addEdit("txtNum_Cadastro", L::Num_Cadastro);
    m_juros = addEdit("txtJuros", 4);
    m_anoRef = addEdit("txtAno_Ref", L::Ano_Ref);
    form->addRow(QStringLiteral("Nome do Estabelecimento"), m_estabel);
    form->addRow(QStringLiteral("Endereço (rua, bairro...)"), m_endereco);
    form->addRow(QStringLiteral("Município"), m_municipio);
    form->addRow(QStringLiteral("UF"), m_uf);
    form->addRow(QStringLiteral("CGC"), m_cgc);
    form->addRow(QStringLiteral("Telefone"), m_fone);
    form->addRow(QStringLiteral("Nº Cadastro MEC"), m_numCadastro);
    form->addRow(QStringLiteral("%Multa ao dia"), m_juros);
    form->addRow(QStringLiteral("Ano Letivo"), m_anoRef);
    return page;
}

QWidget *TfrmConfig::buildAssessmentTab()
{
    auto *page = new QWidget;
    page->setObjectName("TabSheet2");
    auto *form = new QFormLayout(page);
    m_uniMedia = addEdit("txtUni_Media", 1);
    m_gerMedia = addEdit("txtGer_Media", 1);
    m_peso1 = addEdit("txtPeso_1", 2);
    m_peso2 = addEdit("txtPeso_2", 2);
    m_unidAval = addEdit("txtUnid_Aval", 1);
    m_limiteDep = addEdit("txtLimite_Dep", 1);
    form->addRow(QStringLiteral("Média da Unidade"), m_uniMedia);
    form->addRow(QStringLiteral("Média Final"), m_gerMedia);
    auto *peso1Row = new QHBoxLayout;
    peso1Row->addWidget(m_peso1);
    peso1Row->addWidget(new QLabel(QStringLiteral("=1 para Média Aritimética")));
    form->addRow(QStringLiteral("PESO a ser Aplicado à Média ANUAL"), peso1Row);
    form->addRow(QStringLiteral("PESO a Aplicado à Nota Final"), m_peso2);
    form->addRow(QStringLiteral("Quantidade de Unidades para Avaliação (1..4)"), m_unidAval);
    auto *dependency = new QHBoxLayout;
    dependency->addWidget(new QLabel(QStringLiteral("O Aluno fará Dependência com até ")));
    dependency->addWidget(m_limiteDep);
    dependency->addWidget(new QLabel(QStringLiteral("Disciplinas abaixo da Média Final ")));
    form->addRow(dependency);
    form->addRow(note(QStringLiteral("(*) Informe 0 (zero) se não usa o conceito de Dependência")));
    m_recupMedia = new QCheckBox(
        QStringLiteral("A Nota da Recuperação será a Média da Unidade, se mais Favorável"), this);
    m_recupMedia->setObjectName("chkRecup_Media");
    form->addRow(m_recupMedia);

    auto *weights = new QGridLayout;
    for (int u = 1; u <= 4; ++u) {
        m_pesoUnd[u - 1] = addEdit(QStringLiteral("txtPesoUND%1").arg(u), 2);
        weights->addWidget(new QLabel(QStringLiteral("Und %1").arg(u)), 0, u - 1);
        weights->addWidget(m_pesoUnd[u - 1], 1, u - 1);
    }
    weights->addWidget(note(QStringLiteral("Informe 1 se utiliza Média aritimética (padrão)")), 2,
                       0, 1, 4);
    form->addRow(weights);

    auto *rounding = new QGroupBox(QStringLiteral("Critério para Arredondamento das Médias"), this);
    rounding->setObjectName("rgArredondamento");
    auto *roundingLayout = new QVBoxLayout(rounding);
    const QString choices[3] = {
        QStringLiteral("Não Usar Arredondamento"),
        QStringLiteral("Arredondar SEMPRE para MAIOR (Ex: 5,1 .. 5,4 -> 5,5 / 5.6 ... 5,9 ->6,0)"),
        QStringLiteral(
            "Arredondar para MENOR ou para MAIOR (Ex: 4,8 ... 5,2 -> 5,0 / 5,3 ... 5,7 -> 5,5)")};
    for (int i = 0; i < 3; ++i) {
        m_arredondamento[i] = new QRadioButton(choices[i], rounding);
        m_arredondamento[i]->setObjectName(QStringLiteral("rbArredondamento%1").arg(i));
        roundingLayout->addWidget(m_arredondamento[i]);
    }
    form->addRow(rounding);
    return page;
}

QWidget *TfrmConfig::buildOtherTab()
{
    namespace L = data::settingsLimits;
    auto *page = new QWidget;
    page->setObjectName("TabSheet3");
    auto *form = new QFormLayout(page);
    m_dataVenc = addEdit("txtData_Venc", 2);
    m_usaRede = new QCheckBox(QStringLiteral("Ambiente de Rede"), this);
    m_usaRede->setObjectName("chkUsa_Rede");
    m_termoFunc = addUpperCaseEdit("txtTermo_Func", L::Termo_Func);
    m_termoUnidade = addUpperCaseEdit("txtTermo_Unidade", L::Termo_Unidade);
    m_termoRecup = addUpperCaseEdit("txtTermo_Recup", L::Termo_Recup);
    form->addRow(QStringLiteral("Vencimento Padrão das Mensalidades (DIA)"), m_dataVenc);
    form->addRow(m_usaRede);
    form->addRow(QStringLiteral("Termo p/ Funcionários"), m_termoFunc);
    form->addRow(QStringLiteral("Termo para Unidade"), m_termoUnidade);
    form->addRow(QStringLiteral("Termo para Recuperação"), m_termoRecup);
    return page;
}

void TfrmConfig::showRecord()
{
    const data::Settings &record = data::settings();
    const data::SettingsFormValues v = data::SettingsFormValues::from(record);
    m_estabel->setText(v.estabel);
    m_endereco->setText(v.endereco);
    m_municipio->setText(v.municipio);
    m_uf->setText(v.uf);
    m_cgc->setText(v.cgc);
    // A school without a name is a new school year: let the supervisor enter its identity.
    const bool identityOpen = record.Estabel.trimmed().isEmpty();
    for (QLineEdit *edit : {m_estabel, m_endereco, m_municipio, m_uf, m_cgc})
        edit->setEnabled(identityOpen);
    m_fone->setText(v.fone);
    m_numCadastro->setText(v.numCadastro);
    m_juros->setText(v.juros);
    m_anoRef->setText(v.anoRef);
    m_uniMedia->setText(v.uniMedia);
    m_gerMedia->setText(v.gerMedia);
    m_peso1->setText(v.peso1);
    m_peso2->setText(v.peso2);
    m_unidAval->setText(v.unidAval);
    m_limiteDep->setText(v.limiteDep);
    m_recupMedia->setChecked(v.recupMedia);
    for (int i = 0; i < 4; ++i)
        m_pesoUnd[i]->setText(v.pesoUnd[i]);
    m_arredondamento[v.arredondamento >= 0 && v.arredondamento < 3 ? v.arredondamento : 0]
        ->setChecked(true);
    m_dataVenc->setText(v.dataVenc);
    m_usaRede->setChecked(v.usaRede);
    m_termoFunc->setText(v.termoFunc);
    m_termoUnidade->setText(v.termoUnidade);
    m_termoRecup->setText(v.termoRecup);
}

data::SettingsFormValues TfrmConfig::formValues() const
{
    data::SettingsFormValues v;
    v.estabel = m_estabel->text();
    v.endereco = m_endereco->text();
    v.municipio = m_municipio->text();
    v.uf = m_uf->text();
    v.cgc = m_cgc->text();
    v.fone = m_fone->text();
    v.numCadastro = m_numCadastro->text();
    v.juros = m_juros->text();
    v.anoRef = m_anoRef->text();
    v.uniMedia = m_uniMedia->text();
    v.gerMedia = m_gerMedia->text();
    v.peso1 = m_peso1->text();
    v.peso2 = m_peso2->text();
    v.unidAval = m_unidAval->text();
    v.limiteDep = m_limiteDep->text();
    v.recupMedia = m_recupMedia->isChecked();
    for (int i = 0; i < 4; ++i)
        v.pesoUnd[i] = m_pesoUnd[i]->text();
    for (int i = 0; i < 3; ++i) {
        if (m_arredondamento[i]->isChecked())
            v.arredondamento = i;
    }
    v.dataVenc = m_dataVenc->text();
    v.usaRede = m_usaRede->isChecked();
    v.termoFunc = m_termoFunc->text();
    v.termoUnidade = m_termoUnidade->text();
    v.termoRecup = m_termoRecup->text();
    return v;
}

TfrmConfig::Outcome TfrmConfig::readAndSave()
{
    if (formValues().readInto(data::settings())) {
        m_save();
        return Outcome::Saved;
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

// Every way out (the window's close button, Esc, "&Fechar") ends here.
void TfrmConfig::reject()
{
    if (!m_closing && readAndSave() == Outcome::KeepOpen)
        return;
    m_closing = true;
    data::settings().computeDerived();
    QDialog::reject();
}
