#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace data {
class FieldBinder;
class TDataModule1;
} // namespace data

namespace students {

class DatasetGrid;

// The staff tab (its caption is the school's word for staff): one staff member's record with
// photo, and the list of all staff with the teachers in green and bold.
class TfrmTabAuxStaffPage : public QWidget
{
    Q_OBJECT

public:
    TfrmTabAuxStaffPage(data::TDataModule1 &academic, const QString &photosDir, QWidget *parent = nullptr);

private:
    QWidget *buildRecord();
    QWidget *buildNavigator();
    void showPhoto();
    void followState();
    void search();

    data::TDataModule1 &m_academic;
    QString m_photosDir;
    data::FieldBinder *m_binder = nullptr;
    QLineEdit *m_birthDate = nullptr;
    QLabel *m_photo = nullptr;
    DatasetGrid *m_list = nullptr;
};

} // namespace students
