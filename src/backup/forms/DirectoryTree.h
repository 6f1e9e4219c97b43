#pragma once

#include <QTreeView>

class QFileSystemModel;

// The folders of the computer as a tree, opened at a starting folder; the chosen folder
// follows the selection.
namespace backup {

class DirectoryTree : public QTreeView
{
    Q_OBJECT

public:
    explicit DirectoryTree(QWidget *parent = nullptr);

    // Shows the tree of the drive (root) `root` and selects `folder` in it.
    void showFolder(const QString &root, const QString &folder);
    QString folder() const { return m_folder; }

signals:
    void folderChanged(const QString &folder);

private:
    void revealFolder();

    QFileSystemModel *m_model = nullptr;
    QString m_folder;
};

} // namespace backup
