#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;

namespace data {
class TDataModule1;
}

namespace students {

class DatasetGrid;

// The "&Professores" tab: which teacher teaches which subject in which classes.
class TfrmTabAuxTeachersPage : public QWidget
{
    Q_OBJECT

public:
    TfrmTabAuxTeachersPage(data::TDataModule1 &academic, QWidget *parent = nullptr);

    // Each time the tab is entered: the three lists are filled again.
    void enter();

private:
    QWidget *listColumn(QListWidget *&list, const char *objectName, const QString &caption);
    void record();
    void removeCurrent();
    void exportAll();
    void updateButtons();

    data::TDataModule1 &m_academic;
    QListWidget *m_teachers = nullptr;
    QListWidget *m_classes = nullptr;
    QListWidget *m_subjects = nullptr;
    QPushButton *m_record = nullptr;
    QPushButton *m_remove = nullptr;
    DatasetGrid *m_grid = nullptr;
};

} // namespace students
