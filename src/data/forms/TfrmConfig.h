#pragma once

#include <QDialog>
#include <QList>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTabWidget;

namespace data {
class SettingsItem;
struct SettingsSaveResult;
} // namespace data

// "Configuração": the supervisor edits the school's settings. Works on the process-wide settings
// record; every save goes through `save` (by default the settings table of the open school year)
// and a failed save is shown. Each field is made from its settings item, which gives its name,
// width and reading rules. The identity fields are read-only once the school has a name; on a
// new school year they are open so the school can be named.
class TfrmConfig : public QDialog
{
    Q_OBJECT

public:
    using SaveFunction = std::function<data::SettingsSaveResult()>;
    explicit TfrmConfig(QWidget *parent = nullptr, SaveFunction save = {});

public slots:
    void reject() override;

private slots:
    void cmdSalvarClick();

private:
    enum class Outcome
    {
        Saved,
        NotSaved,
        KeepOpen,
        CloseWithoutSaving
    };

    // One field of the form and the item it edits: a line edit, a check box or a choice.
    struct Field
    {
        const data::SettingsItem *item = nullptr;
        QLineEdit *edit = nullptr;
        QCheckBox *check = nullptr;
        QButtonGroup *choice = nullptr;

        QString text() const;
        void show(const QString &text) const;
    };

    QWidget *buildIdentityTab();
    QWidget *buildAssessmentTab();
    QWidget *buildOtherTab();
    QLineEdit *addEdit(const QString &itemName);
    QLineEdit *addUpperCaseEdit(const QString &itemName);
    QCheckBox *addCheck(const QString &itemName, const QString &caption);
    void showRecord();
    // Reads the fields into the record and saves; asks what to do when a field does not convert.
    Outcome readAndSave();

    SaveFunction m_save;
    bool m_closing = false;
    QList<Field> m_fields; // in the order they are read: the order of the form
    QTabWidget *m_pages = nullptr;
    QList<QLineEdit *> m_identity;
};
