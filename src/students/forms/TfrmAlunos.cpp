#include "students/forms/TfrmAlunos.h"

#include "app/forms/DBNavigator.h"
#include "billing/forms/TfrmCalcular_Multa_juros.h"
#include "billing/forms/TfrmZupri.h"
#include "billing/receipt/ChargeLookup.h"
#include "billing/receipt/ReceiptCommand.h"
#include "billing/slips/forms/OwnModelSlips.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/Shell.h"
#include "data/forms/FieldBinder.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "data/store/Table.h"
#include "grades/forms/TfrmCorrigeTabNotas.h"
#include "students/RecordClipboard.h"
#include "students/ResponsibleCopy.h"
#include "students/Situations.h"
#include "students/forms/TfrmDisc_isolada.h"
#include "students/forms/TfrmLocalizar.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QAction>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

using app::DBNavigator;
using students::StudentRegister;
using students::ViewChoice;

TfrmAlunos::TfrmAlunos(data::TDataModule1 &academic, QWidget *parent)
    : QDialog(parent), m_academic(academic), m_register(academic)
{
    setObjectName(QStringLiteral("frmAlunos"));
    setWindowTitle(QStringLiteral("Cadastro de Alunos"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    // The tables open before the boxes are built, so each box knows its field's width.
    m_register.open();
    m_binder = new data::FieldBinder(&m_register.alunos(), this);
    m_binder->setStartEdit([this] { return m_register.edit(); });
    m_historyBinder = new data::FieldBinder(&m_register.historic(), this);
    m_historyBinder->setStartEdit([this] { return m_register.editHistory(); });
    buildWindow();

    m_navigator->setAction(DBNavigator::First, [this] { m_register.move(StudentRegister::Move::First); });
    m_navigator->setAction(DBNavigator::Prior, [this] { m_register.move(StudentRegister::Move::Prior); });
    m_navigator->setAction(DBNavigator::Next, [this] { m_register.move(StudentRegister::Move::Next); });
    m_navigator->setAction(DBNavigator::Last, [this] { m_register.move(StudentRegister::Move::Last); });
    m_navigator->setAction(DBNavigator::Insert, [this] {
        if (m_register.insert())
            m_matricula->setFocus();
    });
    m_navigator->setAction(DBNavigator::Edit, [this] {
        if (m_register.edit())
            m_matricula->setFocus();
    });
    m_navigator->setAction(DBNavigator::Post, [this] {
        if (m_binder->commit() && m_historyBinder->commit())
            m_register.post();
    });
    m_navigator->setAction(DBNavigator::Cancel, [this] { m_register.cancel(); });
    m_navigator->setAction(DBNavigator::Delete, [this] { m_register.remove(); });

    data::Table &students = m_register.alunos();
    connect(&students, &data::Dataset::currentChanged, this, &TfrmAlunos::studentChanged);
    connect(&students, &data::Dataset::reset, this, &TfrmAlunos::studentChanged);
    connect(&students, &data::Dataset::rowChanged, this, [this](int row) {
        if (row == m_register.alunos().recNo())
            drawSituationColour();
    });
    connect(&students, &data::Dataset::stateChanged, this, &TfrmAlunos::stateChanged);
    connect(&m_register, &StudentRegister::countChanged, this,
            [this](int count) { m_count->setText(QString::number(count)); });
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmAlunos::updateNavigatorButtons);

    // The lists the window starts with.
    m_turma->addItems(m_register.classCodes());
    m_classes->addItems(m_register.classCodes());
    m_sort->setCurrentIndex(m_sort->findData(int(students::SortChoice::TurmaNome)));
    m_count->setText(QString::number(m_register.recordCount()));
    m_month->setValue(core::today().month());
    viewParametersChanged();
    m_views->button(int(ViewChoice::Ativos))->setChecked(true);
    m_pages->setCurrentIndex(TabGrade);
    studentChanged();
    stateChanged();
}

TfrmAlunos::~TfrmAlunos()
{
    // Closing the window asked about a pending change already; here the tables just close.
    if (!m_closed)
        m_register.close();
}

void TfrmAlunos::setCountVisible(bool visible)
{
    m_countBox->setVisible(visible);
}

void TfrmAlunos::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_opened) {
        m_opened = true;
        FormShow();
    }
}

void TfrmAlunos::FormShow()
{
    // Nearly the whole screen, below and right of the main window's bar.
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        setGeometry(available.left() + 70, available.top() + 48, available.width() - 80, available.height() - 100);
    }
}

void TfrmAlunos::runSafely(const std::function<void()> &step)
{
    try {
        step();
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    } catch (const data::Abort &) {
    }
}

void TfrmAlunos::studentChanged()
{
    const data::Table &students = m_register.alunos();
    if (students.isEditing())
        return;
    runSafely([this] { m_register.studentChanged(); });
    drawSituationColour();
    showPhoto();
    stateChanged();
}

void TfrmAlunos::drawSituationColour()
{
    const data::Table &students = m_register.alunos();
    const bool leaver = students.isOpen() && !students.isEmpty() && students::isLeaver(students.asText("SIT"));
    const QString style = leaver ? QStringLiteral("QLineEdit { color: red; }") : QString();
    for (QLineEdit *box : {m_matricula, m_nome, m_sit, m_dataSit})
        box->setStyleSheet(style);
    m_marked->setVisible(students.isOpen() && !students.isEmpty() && students.asLogical("MARCADO"));
}

void TfrmAlunos::showPhoto()
{
    const QPixmap photo(m_register.photoPath());
    if (photo.isNull())
        m_photo->clear();
    else
        m_photo->setPixmap(photo.scaled(m_photo->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TfrmAlunos::stateChanged()
{
    const data::Table &students = m_register.alunos();
    const bool editing = students.isEditing();
    const bool writable = m_register.isWritable();
    m_birthDate->setEnabled(editing);
    m_copyBox->setEnabled(editing);
    m_copyResponsible->setEnabled(editing && m_copyChoice->checkedId() != 2);
    m_pasteRecord->setEnabled(editing && !students::recordClipboard().isEmpty());
    m_copyRecord->setEnabled(!editing && !m_matricula->text().trimmed().isEmpty());
    m_fix->setEnabled(writable && !editing && !students.isEmpty());
    m_isolated->setEnabled(writable && !editing && !students.isEmpty());
    m_clearMarks->setEnabled(writable);
    m_authenticate->setEnabled(m_register.charges().isOpen() && !m_register.charges().isEmpty());
    m_situationPicker->setEnabled(students.state() == data::DatasetState::Edit);
    m_sort->setEnabled(!editing);
    for (QAbstractButton *view : m_views->buttons())
        view->setEnabled(!editing);
    updateNavigatorButtons();
}

void TfrmAlunos::updateNavigatorButtons()
{
    DBNavigator::Buttons buttons = DBNavigator::MoveButtons;
    if (m_register.view() != ViewChoice::Turma) {
        if (m_pages->currentIndex() == TabCadastro)
            buttons |= DBNavigator::Insert | DBNavigator::Delete | DBNavigator::Edit | DBNavigator::Post |
                       DBNavigator::Cancel;
        else if (m_pages->currentIndex() == TabObservacoes)
            buttons |= DBNavigator::Edit | DBNavigator::Post | DBNavigator::Cancel;
    }
    m_navigator->setVisibleButtons(buttons);
}

void TfrmAlunos::viewChosen(int choice)
{
    const students::ViewParameters parameters{m_month->value(), m_situationFilter->text().trimmed(),
                                              m_classes->currentItem() ? m_classes->currentItem()->text() : QString()};
    runSafely([&] { m_register.setView(ViewChoice(choice), parameters); });
    updateNavigatorButtons();
    studentChanged();
}

void TfrmAlunos::viewParametersChanged()
{
    // The person picks the entry again to apply the new month or class.
    m_views->setExclusive(false);
    if (QAbstractButton *checked = m_views->checkedButton())
        checked->setChecked(false);
    m_views->setExclusive(true);
}

void TfrmAlunos::sortChosen(int index)
{
    runSafely([&] { m_register.setSort(students::SortChoice(m_sort->itemData(index).toInt())); });
}

void TfrmAlunos::cmdCopiarRespClick()
{
    runSafely([this] {
        students::copyIntoResponsible(m_register.alunos(), students::ResponsibleSource(m_copyChoice->checkedId()));
        m_binder->refresh();
    });
}

void TfrmAlunos::cmdCopiarRegistroClick()
{
    if (m_matricula->text().trimmed().isEmpty())
        return;
    students::recordClipboard().copy(m_register.alunos());
    stateChanged();
}

void TfrmAlunos::cmdColarRegistroClick()
{
    runSafely([this] {
        students::recordClipboard().paste(m_register.alunos());
        m_binder->refresh();
    });
}

void TfrmAlunos::situationPicked(const QAction *line)
{
    if (m_register.alunos().state() != data::DatasetState::Edit)
        return;
    runSafely([this, line] {
        students::pickSituation(m_register.alunos(), line->text());
        students::situationLeft(m_register.alunos());
        m_binder->refresh();
    });
    m_obsSit->setFocus();
}

void TfrmAlunos::situationBoxLeft()
{
    const data::Table &students = m_register.alunos();
    if (!students.isEditing() || students.asText("SIT").trimmed().isEmpty())
        return;
    runSafely([this] {
        students::situationLeft(m_register.alunos());
        m_binder->refresh();
    });
    m_obsSit->setFocus();
}

void TfrmAlunos::cmdDiscIsoladasClick()
{
    const data::Table &students = m_register.alunos();
    if (students.isEmpty())
        return;
    const students::IsolatedStudent student{students.value("MATRICULA"), students.asText("NOME"),
                                            students.asText("TURMA"), students.value("ESP")};
    runSafely([&] {
        TfrmDisc_isolada dialog(m_register.database(), student, this);
        dialog.exec();
        m_register.studentChanged();
    });
}

void TfrmAlunos::cmdReceberBoletoClick()
{
    runSafely([this] { TfrmCalcular_Multa_juros::receive(m_register.charges(), this); });
}

void TfrmAlunos::cmdCorrigirClick()
{
    const data::Table &students = m_register.alunos();
    if (students.isEmpty())
        return;
    runSafely([&] {
        TfrmCorrigeTabNotas dialog(m_register.database(), students.asFloat("MATRICULA"), this);
        dialog.exec();
        m_register.studentChanged();
    });
}

void TfrmAlunos::cmdAutenticarClick()
{
    data::Table &charges = m_register.charges();
    if (!charges.isOpen() || charges.isEmpty())
        return;
    try {
        const billing::ChargeRecord record = billing::chargeOfCurrentRow(charges);
        const billing::ReceiptSource source =
            billing::receiptSource(record, billing::findStudent(m_register.database(), record), data::settings(),
                                   core::session().userName, core::today());
        TfrmZupri::run(source, this);
    } catch (const billing::ChargeLookupError &e) {
        core::showError(e.message());
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
}

// The slip of the selected charge again, once it has been paid.
void TfrmAlunos::cmdImprimirClick()
{
    data::Table &charges = m_register.charges();
    if (!charges.isOpen() || charges.isEmpty())
        return;
    runSafely([&] {
        billing::reprintPaidCharge(this, m_register.database(), qint64(m_register.alunos().asFloat("MATRICULA")),
                                   charges.asDate("ParcelaData"), charges.asDate("PgtoData"));
        m_register.studentChanged();
    });
}

void TfrmAlunos::cmdLocalizarClick()
{
    runSafely([this] {
        if (m_register.alunos().isEditing() && !m_register.post())
            return;
        TfrmLocalizar dialog(m_register.alunos(), m_register.view() != ViewChoice::Todos, this);
        connect(&dialog, &TfrmLocalizar::found, this, [this](int position) { runSafely([&] { m_register.moveTo(position); }); });
        dialog.exec();
    });
}

void TfrmAlunos::cmdAjudaClick()
{
    core::shell().open(core::joinPath(core::programDirs().help, QStringLiteral("alunos01.htm")));
}

void TfrmAlunos::cmdLimparMarcadosClick()
{
    runSafely([this] { m_register.clearMarks(); });
    drawSituationColour();
}

void TfrmAlunos::cmdExportarClick()
{
    runSafely([this] { m_register.exportMarked(); });
}

bool TfrmAlunos::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_turma) {
        if (event->type() == QEvent::FocusIn && m_register.alunos().isEditing()) {
            // The class is chosen from the list; the navigator waits until the box is left.
            m_register.classEntered();
            m_navigator->setEnabled(false);
        } else if (event->type() == QEvent::FocusOut && !m_navigator->isEnabled()) {
            m_register.classLeft();
            m_navigator->setEnabled(true);
        }
    } else if (watched == m_sit && event->type() == QEvent::FocusOut) {
        situationBoxLeft();
    } else if (watched == m_personal && event->type() == QEvent::MouseButtonDblClick) {
        runSafely([this] {
            m_register.alunos().checkBrowseMode();
            m_register.alunos().refresh();
        });
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmAlunos::closeRegister()
{
    if (m_closed)
        return true;
    if (m_register.alunos().isEditing() || m_register.historic().isEditing()) {
        core::Message question;
        question.text = QStringLiteral("Gravar as alterações deste aluno antes de fechar?");
        question.caption = QStringLiteral("Cadastro de Alunos");
        question.icon = core::Icon::Question;
        question.buttons = core::Button::Yes | core::Button::No | core::Button::Cancel;
        const core::Button answer = core::dialogs().show(question);
        if (answer == core::Button::Cancel)
            return false;
        bool saved = true;
        if (answer == core::Button::Yes) {
            saved = false;
            runSafely([&] { saved = m_binder->commit() && m_historyBinder->commit() && m_register.post(); });
        }
        if (!saved)
            return false;
    }
    m_register.close();
    m_closed = true;
    if (QWidget *mainWindow = parentWidget()) {
        // The main window's bar comes back whoever closes the register.
        if (QWidget *bar = mainWindow->findChild<QWidget *>(QStringLiteral("Panel1")))
            bar->setEnabled(true);
    }
    return true;
}

void TfrmAlunos::closeEvent(QCloseEvent *event)
{
    if (!closeRegister()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmAlunos::reject()
{
    if (closeRegister())
        QDialog::reject();
}
