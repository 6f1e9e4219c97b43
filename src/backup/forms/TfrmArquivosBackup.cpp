#include "backup/forms/TfrmArquivosBackup.h"

#include "backup/forms/DirectoryTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace backup {

namespace {

QPushButton *button(const QString &caption, const char *objectName, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    return b;
}

// The root ("C:/", "/") a folder lies on.
QString driveOf(const QString &folder)
{
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo &drive : drives)
        if (folder.startsWith(drive.absoluteFilePath(), Qt::CaseInsensitive))
            return drive.absoluteFilePath();
    return QDir::rootPath();
}

} // namespace

TfrmArquivosBackup::TfrmArquivosBackup(const QString &folder, bool automatic, QWidget *parent)
    : QDialog(parent), m_automatic(automatic)
{
    setObjectName(QStringLiteral("TfrmArquivosBackup"));
    setWindowTitle(QStringLiteral("Criar arquivo de Back-Up"));

    m_drives = new QComboBox(this);
    m_drives->setObjectName(QStringLiteral("DriveComboBox1"));
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo &drive : drives)
        m_drives->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());
    m_folders = new DirectoryTree(this);
    m_folders->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_files->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstArquivos"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto *selectAll = button(QStringLiteral("Selecionar Todos"), "cmdSelecionarTodos", this);
    auto *add = button(QStringLiteral("&Add File ==>"), "cmdAdd", this);
    auto *remove = button(QStringLiteral("&Remove <=="), "cmdRemover", this);
    m_sort = button(QStringLiteral("&Ordenar"), "cmdOrdenar", this);
    m_addToZip = button(QStringLiteral("Add To &Zip"), "cmdAddToZip", this);
    auto *cancel = button(QStringLiteral("&Cancelar"), "cmdCancelar", this);
    m_dirNames = new QCheckBox(QStringLiteral("Save DirNames"), this);
    m_dirNames->setObjectName(QStringLiteral("chkDirNames"));
    m_dirNames->setChecked(true);
    m_recurse = new QCheckBox(QStringLiteral("Recurse Dirs"), this);
    m_recurse->setObjectName(QStringLiteral("chkRecurse"));

    connect(m_drives, &QComboBox::activated, this, [this](int index) {
        const QString drive = m_drives->itemData(index).toString();
        m_folders->showFolder(drive, drive);
    });
    connect(m_folders, &DirectoryTree::folderChanged, this, &TfrmArquivosBackup::showFiles);
    connect(selectAll, &QPushButton::clicked, this, &TfrmArquivosBackup::cmdSelecionarTodosClick);
    connect(add, &QPushButton::clicked, this, &TfrmArquivosBackup::cmdAddClick);
    connect(remove, &QPushButton::clicked, this, &TfrmArquivosBackup::cmdRemoverClick);
    connect(m_sort, &QPushButton::clicked, this, &TfrmArquivosBackup::cmdOrdenarClick);
    connect(m_addToZip, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(selectAll);
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addWidget(m_sort);
    middle->addStretch();
    middle->addWidget(m_dirNames);
    middle->addWidget(m_recurse);
    middle->addStretch();
    middle->addWidget(m_addToZip);
    middle->addWidget(cancel);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_drives, 0, 0);
    layout->addWidget(m_folders, 1, 0);
    layout->addWidget(m_files, 2, 0);
    layout->addLayout(middle, 0, 1, 3, 1);
    auto *chosen = new QLabel(QStringLiteral("Arquivos para Back-Up"), this);
    chosen->setBuddy(m_list);
    layout->addWidget(chosen, 0, 2);
    layout->addWidget(m_list, 1, 2, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);
    resize(720, 480);

    const QString drive = driveOf(folder);
    m_drives->setCurrentIndex(qMax(0, m_drives->findData(drive)));
    m_folders->showFolder(drive, folder);
}

void TfrmArquivosBackup::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_automatic || m_automaticDone)
        return;
    m_automaticDone = true;
    // As a person would: every file of the folder, added, and the archive made.
    QTimer::singleShot(0, this, [this] {
        cmdSelecionarTodosClick();
        cmdAddClick();
        m_addToZip->click();
    });
}

void TfrmArquivosBackup::showFiles(const QString &folder)
{
    m_files->clear();
    for (const QString &path : directoryFiles(folder)) {
        auto *item = new QListWidgetItem(QFileInfo(path).fileName(), m_files);
        item->setData(Qt::UserRole, path);
    }
}

void TfrmArquivosBackup::showChosen()
{
    m_list->clear();
    for (const QString &path : m_chosen.files())
        m_list->addItem(QDir::toNativeSeparators(path));
    m_sort->setEnabled(m_chosen.canSort());
}

void TfrmArquivosBackup::cmdSelecionarTodosClick()
{
    m_files->selectAll();
}

void TfrmArquivosBackup::cmdAddClick()
{
    QStringList paths;
    for (int row = 0; row < m_files->count(); ++row) {
        QListWidgetItem *item = m_files->item(row);
        if (!item->isSelected())
            continue;
        paths.append(item->data(Qt::UserRole).toString());
        item->setSelected(false);
    }
    m_chosen.add(paths);
    showChosen();
}

void TfrmArquivosBackup::cmdRemoverClick()
{
    QList<int> rows;
    for (const QModelIndex &index : m_list->selectionModel()->selectedRows())
        rows.append(index.row());
    m_chosen.remove(rows);
    showChosen();
}

void TfrmArquivosBackup::cmdOrdenarClick()
{
    m_chosen.sortOnce();
    showChosen();
}

FileChoice TfrmArquivosBackup::choice() const
{
    return {m_chosen.files(), {m_dirNames->isChecked(), m_recurse->isChecked()}};
}

} // namespace backup
