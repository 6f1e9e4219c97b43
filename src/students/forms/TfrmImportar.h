#pragma once

#include "data/store/Database.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace data {
class Dataset;
}

namespace students {

class DatasetGrid;
struct ImportChoices;

// "Importar Cadastro de Alunos": pick last year's register (its folder, its database file, or a
// dBase file), look at it, choose how the classes move on, and start. The command that opens
// it has already made sure nothing else uses the register and asked whether to go on.
class TfrmImportar : public QDialog
{
    Q_OBJECT

public:
    // `db`: the school year whose register is replaced.
    explicit TfrmImportar(const data::Database &db, QWidget *parent = nullptr);
    ~TfrmImportar() override;

    // Opens and shows a source; false (after the error box) when it cannot be read.
    bool openSource(const QString &path);
    // Runs the import with the choices on screen; the dialog closes when it is complete.
    void start();

private:
    QWidget *buildChoices();
    void browseFile();
    void browseFolder();
    void chooseServerYear();
    QString startFolder() const;
    void classChoiceChanged();
    ImportChoices choices() const;

    data::Database m_db;
    std::unique_ptr<data::Dataset> m_source;
    QVBoxLayout *m_sourceLayout = nullptr;
    QLabel *m_check = nullptr;
    DatasetGrid *m_grid = nullptr;
    QRadioButton *m_promote = nullptr;
    QRadioButton *m_keep = nullptr;
    QCheckBox *m_migration = nullptr;
    QCheckBox *m_adapted = nullptr;
    QPushButton *m_start = nullptr;
};

} // namespace students
