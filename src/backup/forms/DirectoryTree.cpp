#include "backup/forms/DirectoryTree.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>

namespace backup {

DirectoryTree::DirectoryTree(QWidget *parent) : QTreeView(parent)
{
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The model reads folders in the background: the chosen one is shown once its way is read.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, [this](const QString &path) {
        if (m_folder.startsWith(path))
            revealFolder();
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid())
                    return;
                m_folder = m_model->filePath(current);
                emit folderChanged(m_folder);
            });
}

void DirectoryTree::showFolder(const QString &root, const QString &folder)
{
    m_model->setRootPath(root);
    setRootIndex(m_model->index(root));
    m_folder = QDir::cleanPath(folder);
    revealFolder();
    emit folderChanged(m_folder);
}

void DirectoryTree::revealFolder()
{
    const QModelIndex index = m_model->index(m_folder);
    if (!index.isValid())
        return;
    if (currentIndex() != index)
        setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

} // namespace backup
