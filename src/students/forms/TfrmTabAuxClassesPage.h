#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;

namespace data {
class TDataModule1;
}

namespace students {

class DatasetGrid;

// The "&Turmas" tab: the classes with their monthly fee, the subjects of the selected class's
// grade, and the catalogue from which subjects join that grade.
class TfrmTabAuxClassesPage : public QWidget
{
    Q_OBJECT

public:
    TfrmTabAuxClassesPage(data::TDataModule1 &academic, QWidget *parent = nullptr);

    // Each time the tab is entered: the classes are read again and the catalogue list filled.
    void enter();

private:
    QWidget *buildClasses();
    QWidget *buildGradeSubjects();
    QWidget *buildCatalogue();
    void insertGradeSubject();
    void saveSubjects();
    void showOutcome(const QString &message);

    data::TDataModule1 &m_academic;
    DatasetGrid *m_classes = nullptr;
    DatasetGrid *m_gradeSubjects = nullptr;
    QListWidget *m_catalogue = nullptr;
    QPushButton *m_save = nullptr;
};

} // namespace students
