#include "backup/forms/TfrmDestino.h"

#include "backup/forms/DirectoryTree.h"

#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace backup {

namespace {

// A radio group of two choices, named as the form names them.
QGroupBox *group(const QString &title, const char *objectName, QRadioButton *first,
                 QRadioButton *second, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(objectName));
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(first);
    layout->addWidget(second);
    auto *buttons = new QButtonGroup(box);
    buttons->addButton(first);
    buttons->addButton(second);
    return box;
}

} // namespace

TfrmDestino::TfrmDestino(const QString &startFolder, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmDestino"));
    setWindowTitle(QStringLiteral("Confirme o diretório de destino"));

    m_folder = new QLabel(this);
    m_folder->setObjectName(QStringLiteral("lblDiretorio"));
    m_folder->setTextFormat(Qt::PlainText);
    m_folders = new DirectoryTree(this);
    m_folders->setObjectName(QStringLiteral("DirectoryListBox1"));
    connect(m_folders, &DirectoryTree::folderChanged, this,
            [this](const QString &folder) { m_folder->setText(QDir::toNativeSeparators(folder)); });
    m_folders->showFolder(QDir::rootPath(), startFolder);

    QRadioButton *flat = addChoice("rbExpandirNao", QStringLiteral("Não"));
    m_expand = addChoice("rbExpandirSim", QStringLiteral("Sim"));
    QRadioButton *overwrite = addChoice("rbSobrescreverSim", QStringLiteral("Sim"));
    m_keepExisting = addChoice("rbSobrescreverNao", QStringLiteral("Não"));
    QRadioButton *all = addChoice("rbTodos", QStringLiteral("Todos "));
    m_selected = addChoice("rbSelecionados", QStringLiteral("Selecionados"));

    auto *ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *options = new QVBoxLayout;
    options->addWidget(group(QStringLiteral("Expandir diretórios"), "rgExpandir", flat, m_expand, this));
    options->addWidget(group(QStringLiteral("Sobrescrever"), "rgSobrescrever", overwrite,
                             m_keepExisting, this));
    options->addWidget(group(QStringLiteral("Arqs a recuperar"), "rgArquivos", all, m_selected, this));
    // The defaults, once each pair is a group of its own.
    flat->setChecked(true);
    overwrite->setChecked(true);
    all->setChecked(true);
    options->addStretch();
    options->addWidget(ok);
    options->addWidget(cancel);
    auto *folders = new QVBoxLayout;
    folders->addWidget(m_folder);
    folders->addWidget(m_folders, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(folders, 1);
    layout->addLayout(options);
    resize(560, 400);
}

QRadioButton *TfrmDestino::addChoice(const char *objectName, const QString &caption)
{
    auto *button = new QRadioButton(caption, this);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

RestoreChoice TfrmDestino::choice() const
{
    RestoreChoice choice;
    choice.destination = m_folders->folder();
    choice.options.directoryNames = m_expand->isChecked();
    choice.options.overwrite = !m_keepExisting->isChecked();
    choice.selectedOnly = m_selected->isChecked();
    return choice;
}

} // namespace backup
