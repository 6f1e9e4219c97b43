#pragma once

#include <QWidget>

namespace data {
class TDataModule1;
}

namespace students {

class DatasetGrid;

// The "&Disciplinas" tab: the subject catalogue.
class TfrmTabAuxSubjectsPage : public QWidget
{
    Q_OBJECT

public:
    TfrmTabAuxSubjectsPage(data::TDataModule1 &academic, QWidget *parent = nullptr);

    // Each time the tab is entered: the catalogue is read again and its last row shown.
    void enter();

private:
    data::TDataModule1 &m_academic;
    DatasetGrid *m_grid = nullptr;
};

} // namespace students
