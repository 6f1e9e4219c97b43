#pragma once

#include "grades/GradeBoard.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace data {
class Dataset;
class DatasetModel;
class TDataModule1;
} // namespace data

namespace grades {

class RecoveryRowsModel;

// The "&Notas" tab of "Tabelas Auxiliares", where the office types the marks: a class and a
// subject chosen, the year's averages or one unit's marks in a grid, the rows in recovery red
// and bold. A mark saved in a unit stores its averages and updates the year row.
class NotasTab : public QWidget
{
    Q_OBJECT

public:
    NotasTab(data::TDataModule1 &academic, QWidget *parent = nullptr);
    ~NotasTab() override;

    // What the grid shows now.
    BoardChoice choice() const;
    data::Dataset *shownRows() const { return m_rows; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillClasses();
    void classChosen();
    void showBoard(bool tellWhenEmpty);
    void cmdConfigurarClick();
    void cmdRecalcularClick();

    data::TDataModule1 &m_academic;
    bool m_filled = false;
    QComboBox *m_classes = nullptr;
    QComboBox *m_subjects = nullptr;
    QRadioButton *m_yearView = nullptr;
    QRadioButton *m_unitView = nullptr;
    QComboBox *m_unit = nullptr;
    QCheckBox *m_recovery = nullptr;
    QCheckBox *m_byRollNumber = nullptr;
    QPushButton *m_configure = nullptr;
    QLabel *m_consolidated = nullptr;
    QTableView *m_grid = nullptr;
    data::Dataset *m_rows = nullptr;
    data::DatasetModel *m_model = nullptr;
    RecoveryRowsModel *m_colours = nullptr;
    QList<int> m_hiddenColumns; // positions among the configurable columns, hidden by the user
};

} // namespace grades
