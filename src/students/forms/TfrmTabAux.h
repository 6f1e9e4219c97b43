#pragma once

#include <QDialog>

class QTabWidget;

namespace data {
class TDataModule1;
}

namespace students {

class TfrmTabAuxClassesPage;
class TfrmTabAuxSubjectsPage;
class TfrmTabAuxStaffPage;
class TfrmTabAuxTeachersPage;

// "Tabelas Auxiliares": the school's structure for the year on five tabs — classes and the
// subjects of their grades, the subject catalogue, the grades page, the staff, and the teachers'
// assignments. It opens the tables it needs through the academic data module and closes them
// when it closes.
class TfrmTabAux : public QDialog
{
    Q_OBJECT

public:
    // `staffTerm` is the school's word for staff (the setting Termo_Func); photos of staff
    // members are read from `photosDir`.
    TfrmTabAux(data::TDataModule1 &academic, const QString &staffTerm, const QString &photosDir,
               QWidget *parent = nullptr);
    ~TfrmTabAux() override;

    QTabWidget *pages() const { return m_pages; }

    // Closing saves a record still being edited; when it cannot, the window stays open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void openTables();
    void pageEntered(int index);

    data::TDataModule1 &m_academic;
    QTabWidget *m_pages = nullptr;
    TfrmTabAuxClassesPage *m_classes = nullptr;
    TfrmTabAuxSubjectsPage *m_subjects = nullptr;
    TfrmTabAuxStaffPage *m_staff = nullptr;
    TfrmTabAuxTeachersPage *m_teachers = nullptr;
    bool m_shown = false;
};

} // namespace students
