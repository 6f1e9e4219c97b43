#include "students/forms/TfrmImportar.h"

#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/store/ExternalTable.h"
#include "students/forms/DatasetGrid.h"
#include "students/import/StudentImport.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace students {

TfrmImportar::TfrmImportar(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("frmImportar"));
    setWindowTitle(QStringLiteral("Importar Cadastro de Alunos"));

    auto *find = new QPushButton(QStringLiteral("&Procurar"), this);
    find->setObjectName(QStringLiteral("cmdProcurar"));
    find->setToolTip(QStringLiteral("Escolha o arquivo do cadastro de alunos (o banco de dados do ano anterior ou um arquivo dBase)"));
    auto *folder = new QPushButton(QStringLiteral("Pasta do A&no Anterior..."), this);
    folder->setObjectName(QStringLiteral("cmdPasta"));
    folder->setToolTip(QStringLiteral("Escolha a pasta de dados do ano letivo anterior"));
    connect(find, &QPushButton::clicked, this, &TfrmImportar::browseFile);
    connect(folder, &QPushButton::clicked, this, &TfrmImportar::browseFolder);
    auto *pick = new QHBoxLayout;
    pick->addWidget(find);
    pick->addWidget(folder);
    // A year on a server has last year's register on the server, not in a folder.
    if (m_db.isServerYear()) {
        auto *server = new QPushButton(QStringLiteral("Ano Anterior no &Servidor..."), this);
        server->setObjectName(QStringLiteral("cmdServidor"));
        server->setToolTip(QStringLiteral("Importe o cadastro de alunos de outro ano letivo do mesmo servidor"));
        connect(server, &QPushButton::clicked, this, &TfrmImportar::chooseServerYear);
        pick->addWidget(server);
    }
    pick->addStretch();

    auto *source = new QWidget(this);
    m_sourceLayout = new QVBoxLayout(source);
    m_sourceLayout->setContentsMargins(0, 0, 0, 0);
    m_check = new QLabel(QStringLiteral("Certifique-se se os dados abaixo pertecem ao cadastro de Alunos, e clique Iniciar"),
                         source);
    m_check->setObjectName(QStringLiteral("lblCertifique"));
    m_check->setVisible(false);
    m_sourceLayout->addWidget(m_check);
    m_sourceLayout->addStretch();

    m_start = new QPushButton(QStringLiteral("&Iniciar"), this);
    m_start->setObjectName(QStringLiteral("cmdIniciar"));
    m_start->setEnabled(false);
    // A stray Enter must not start rewriting the register.
    m_start->setAutoDefault(false);
    auto *close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName(QStringLiteral("cmdFechar"));
    connect(m_start, &QPushButton::clicked, this, &TfrmImportar::start);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_start);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pick);
    layout->addWidget(source, 1);
    layout->addWidget(buildChoices());
    layout->addLayout(buttons);
    resize(820, 560);
}

TfrmImportar::~TfrmImportar() = default;

QWidget *TfrmImportar::buildChoices()
{
    auto *box = new QGroupBox(QStringLiteral("Defina abaixo, a forma de gravar os dados importados"), this);
    box->setObjectName(QStringLiteral("rgForma"));
    m_promote = new QRadioButton(QStringLiteral("Atualizar as turma para uma série adiante (ex: 1G1AM -> 1G2AM)"), box);
    m_promote->setObjectName(QStringLiteral("rbAtualizar"));
    m_promote->setChecked(true);
    m_keep = new QRadioButton(QStringLiteral("Não atualizar as turmas"), box);
    m_keep->setObjectName(QStringLiteral("rbNaoAtualizar"));
    m_migration = new QCheckBox(QStringLiteral("Migrar para novas regras da  Lei 11.274/06 (9 anos p/ Ens. Fundamental)"), box);
    m_migration->setObjectName(QStringLiteral("chkMigrar"));
    m_adapted = new QCheckBox(QStringLiteral("Os dados da importação já estão adaptados à Lei 11.274/06."), box);
    m_adapted->setObjectName(QStringLiteral("chkAdaptados"));
    connect(m_promote, &QRadioButton::toggled, this, &TfrmImportar::classChoiceChanged);
    // Two boxes, at most one ticked.
    connect(m_migration, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_adapted->setChecked(false);
    });
    connect(m_adapted, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_migration->setChecked(false);
    });
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(m_promote);
    auto *boxes = new QVBoxLayout;
    boxes->setContentsMargins(24, 0, 0, 0);
    boxes->addWidget(m_migration);
    boxes->addWidget(m_adapted);
    layout->addLayout(boxes);
    layout->addWidget(m_keep);
    return box;
}

void TfrmImportar::classChoiceChanged()
{
    m_migration->setChecked(false);
    m_adapted->setChecked(false);
    m_migration->setEnabled(m_promote->isChecked());
    m_adapted->setEnabled(m_promote->isChecked());
}

QString TfrmImportar::startFolder() const
{
    // Beside this year's folder; a year on a server has none, so the program's folder.
    return m_db.isServerYear() ? QDir::currentPath() : QFileInfo(m_db.directory()).absolutePath();
}

void TfrmImportar::browseFile()
{
    core::FileRequest request;
    request.caption = QStringLiteral("Cadastro de Alunos a importar");
    request.directory = startFolder();
    request.filter = QStringLiteral("Arquivos dBase/Paradox (*.DB* *.db* *.dbf *.DBF)");
    const QString path = core::dialogs().openFile(request);
    if (!path.isEmpty())
        openSource(path);
}

void TfrmImportar::browseFolder()
{
    const QString path = core::dialogs().chooseDirectory(QStringLiteral("Pasta de dados do ano anterior"), startFolder());
    if (!path.isEmpty())
        openSource(path);
}

void TfrmImportar::chooseServerYear()
{
    const QString address = data::askServerYearAddress(m_db);
    if (!address.isEmpty())
        openSource(address);
}

bool TfrmImportar::openSource(const QString &path)
{
    if (isOwnRegister(m_db, path)) {
        core::dialogs().show(ownRegisterRefusal());
        return false;
    }
    std::unique_ptr<data::Dataset> source;
    try {
        source = openImportSource(m_db, path);
    } catch (const data::StoreError &) {
        core::dialogs().show(sourceRefusal());
        return false;
    }
    delete m_grid;
    QList<GridColumn> columns;
    for (const data::DatasetField &field : source->fields())
        columns += {field.name, field.name, true};
    m_grid = new DatasetGrid(source.get(), columns, this);
    m_grid->setObjectName(QStringLiteral("grdOrigem"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_sourceLayout->insertWidget(1, m_grid, 1);
    m_source = std::move(source);
    m_check->setVisible(true);
    m_start->setEnabled(true);
    return true;
}

ImportChoices TfrmImportar::choices() const
{
    ImportChoices c;
    c.promote = m_promote->isChecked();
    c.rules.migration = m_migration->isChecked();
    c.rules.alreadyAdapted = m_adapted->isChecked();
    return c;
}

void TfrmImportar::start()
{
    if (!m_source)
        return;
    m_start->setEnabled(false);
    core::RunProgressDialog progress(this);
    if (importStudents(m_db, *m_source, choices(), progress) == core::RunOutcome::Completed)
        accept();
    else
        m_start->setEnabled(true);
}

} // namespace students
