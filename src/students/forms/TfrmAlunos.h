#pragma once

#include "students/StudentRegister.h"

#include <QDialog>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class QToolButton;

namespace app {
class DBNavigator;
}
namespace data {
class FieldBinder;
class TDataModule1;
} // namespace data

// "Cadastro de Alunos": the student register. One record per student of the school year with
// its family, situation, health notes and history, the student's grade rows and charges, the
// grid of students with its views and the special list. The data steps are StudentRegister's;
// this window binds boxes to the rows and calls them.
class TfrmAlunos : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAlunos(data::TDataModule1 &academic, QWidget *parent = nullptr);
    ~TfrmAlunos() override;

    // "Total de Registros " is shown only to the Supervisor and to billing (Carnes).
    void setCountVisible(bool visible);
    students::StudentRegister &studentRegister() { return m_register; }

    enum Tab
    {
        TabCadastro,
        TabNotas,
        TabPagamentos,
        TabObservacoes,
        TabHistorico,
        TabGrade,
    };

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reject() override;

private:
    // Layout (TfrmAlunosLayout.cpp).
    void buildWindow();
    QGroupBox *buildPersonalBox();
    QWidget *buildCommandBar();
    QWidget *buildCadastroTab();
    QWidget *buildNotasTab();
    QWidget *buildPagamentosTab();
    QWidget *buildObservacoesTab();
    QWidget *buildHistoricoTab();
    QWidget *buildGradeTab();
    QLineEdit *fieldEdit(const QString &field, int options, QWidget *parent, int maxWidth = 0);
    QLineEdit *historyEdit(const QString &field, QWidget *parent);

    // Behaviour.
    void FormShow();
    void studentChanged();
    void stateChanged();
    void updateNavigatorButtons();
    void showPhoto();
    void drawSituationColour();
    void viewChosen(int choice);
    void viewParametersChanged();
    void sortChosen(int index);
    void cmdCopiarRespClick();
    void cmdCopiarRegistroClick();
    void cmdColarRegistroClick();
    void situationPicked(const QAction *line);
    void situationBoxLeft();
    void cmdDiscIsoladasClick();
    void cmdReceberBoletoClick();
    void cmdCorrigirClick();
    void cmdAutenticarClick();
    void cmdImprimirClick();
    void cmdLocalizarClick();
    void cmdAjudaClick();
    void cmdLimparMarcadosClick();
    void cmdExportarClick();
    bool closeRegister();
    void runSafely(const std::function<void()> &step);

    data::TDataModule1 &m_academic;
    students::StudentRegister m_register;
    data::FieldBinder *m_binder = nullptr;
    data::FieldBinder *m_historyBinder = nullptr;
    bool m_opened = false;
    bool m_closed = false;

    QTabWidget *m_pages = nullptr;
    QGroupBox *m_personal = nullptr;
    app::DBNavigator *m_navigator = nullptr;
    QLabel *m_photo = nullptr;
    QLabel *m_marked = nullptr;
    QGroupBox *m_countBox = nullptr;
    QLabel *m_count = nullptr;
    QComboBox *m_sort = nullptr;
    QLineEdit *m_matricula = nullptr;
    QLineEdit *m_nome = nullptr;
    QComboBox *m_turma = nullptr;
    QLineEdit *m_birthDate = nullptr;
    QLineEdit *m_sit = nullptr;
    QLineEdit *m_dataSit = nullptr;
    QLineEdit *m_obsSit = nullptr;
    QToolButton *m_situationPicker = nullptr;
    QButtonGroup *m_copyChoice = nullptr;
    QGroupBox *m_copyBox = nullptr;
    QPushButton *m_copyResponsible = nullptr;
    QPushButton *m_copyRecord = nullptr;
    QPushButton *m_pasteRecord = nullptr;
    QPushButton *m_fix = nullptr;
    QPushButton *m_isolated = nullptr;
    QPushButton *m_receive = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_authenticate = nullptr;
    QTableView *m_studentGrid = nullptr;
    QTableView *m_specialGrid = nullptr;
    QTableView *m_gradeGrid = nullptr;
    QTableView *m_chargeGrid = nullptr;
    QButtonGroup *m_views = nullptr;
    QSpinBox *m_month = nullptr;
    QLineEdit *m_situationFilter = nullptr;
    QListWidget *m_classes = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_clearMarks = nullptr;
};
