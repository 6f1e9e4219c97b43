// The student register driven as a person drives it: by the boxes' and buttons' names, with
// the message boxes answered from a script.

#include "app/CommandHost.h"
#include "app/ui/ModalHelper.h"
#include "core/Clock.h"
#include "core/Shell.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/users/UserRecord.h"
#include "grades/forms/TfrmCorrigeTabNotas.h"
#include "students/RecordClipboard.h"
#include "students/forms/StudentCommands.h"
#include "students/forms/TfrmAlunos.h"
#include "students/forms/TfrmDisc_isolada.h"
#include "students/forms/TfrmLocalizar.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

class TfrmAlunosTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnTheGridOfActiveStudents();
    void theNavigatorFollowsTheTab();
    void findsAStudentAndRenamesIt();
    void aMoveToAnotherClassGetsTheNextNumber();
    void aBrotherIsTypedOnceWithCopyAndPaste();
    void theSituationPickerMakesAScholarshipHolder();
    void theSpecialListIsMarkedExportedAndCleared();
    void theSpecialListComesInTheOrderOfTheNumbers();
    void isolatedSubjectsShowInTheGradeGrid();
    void anUnpaidChargeIsNotAuthenticated();
    void aReadOnlyUserOnlyLooks();
    void closingWithAPendingChangeAsks();
    void theMainWindowsCommandsOpenTheRegisterAndUpdateBirthdays();

private:
    void logOn(const QStringList &rights);
    void exec(const QString &sql) { data::Database::named(QStringLiteral("Quorvel")).exec(sql); }
    QVariant scalar(const QString &sql) { return data::Database::named(QStringLiteral("Quorvel")).scalar(sql); }
    std::unique_ptr<TfrmAlunos> openForm();
    template <class T = QLineEdit> T *find(const char *name)
    {
        T *widget = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }
    void click(const char *name) { find<QAbstractButton>(name)->click(); }
    void type(const char *box, const QString &text)
    {
        QLineEdit *edit = find(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    int gridRows(const char *name) { return find<QTableView>(name)->model()->rowCount(); }

    std::unique_ptr<TempDir> m_dir;
    QString m_year;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    std::unique_ptr<TfrmAlunos> m_form;
    core::RecordingShell *m_shell = nullptr;
    std::unique_ptr<core::Shell> m_previousShell;
    QString m_previousDir;
};

void TfrmAlunosTest::logOn(const QStringList &rights)
{
    if (core::session().isOpen())
        data::closeSession(*m_academic, *m_cashBook);
    data::UserRecord user;
    user.userId = QStringLiteral("ANA");
    for (const QString &right : rights)
        data::grantRight(user, right);
    data::openSession(*m_academic, *m_cashBook, user, QStringLiteral("2009"), m_year);
}

void TfrmAlunosTest::init()
{
    core::pinClock(QDateTime(QDate(2009, 3, 5), QTime(10, 0)));
    m_dir = std::make_unique<TempDir>();
    m_year = testengine::yearLocation(m_dir->path());
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    auto shell = std::make_unique<core::RecordingShell>();
    m_shell = shell.get();
    m_previousShell = core::setShell(std::move(shell));
    m_academic = std::make_unique<data::TDataModule1>();
    m_cashBook = std::make_unique<data::TdmTarnel>();
    logOn({QStringLiteral("Supervisor"), QStringLiteral("Alunos"), QStringLiteral("Notas"), QStringLiteral("Carnes"),
           QStringLiteral("Tabelas")});
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    for (const char *sql :
         {"insert into Tabturma (TURMA, DESCRICAO) values ('1G1AM', '1º ANO A MANHÃ')",
          "insert into Tabturma (TURMA, DESCRICAO) values ('1G1BM', '1º ANO B MANHÃ')",
          "insert into Tabturma (TURMA, DESCRICAO) values ('2G3N', '3ª SÉRIE NOITE')",
          "insert into DISCPL (CODIGO, DESCRICAO) values ('01', 'PORTUGUÊS')",
          "insert into DISCPL (CODIGO, DESCRICAO) values ('02', 'MATEMÁTICA')",
          "insert into Discturm (SERIE, CODIGO) values ('2G3', '01')",
          "insert into Discturm (SERIE, CODIGO) values ('2G3', '02')",
          "insert into ALUNOS (MATRICULA, NOME, TURMA, ESP, NOME_PAI, NOME_MAE, ENDERECO, CIDADE, NACIONAL) values "
          "(100, 'ANA SILVA', '1G1AM', 3, 'PEDRO SILVA', 'MARIA SILVA', 'RUA A, 10', 'SALVADOR', 'SALVADOR')",
          "insert into ALUNOS (MATRICULA, NOME, TURMA, ESP) values (101, 'BRUNO LIMA', '1G1BM', 31)",
          "insert into ALUNOS (MATRICULA, NOME, TURMA, ESP, SIT) values (102, 'CARLA REIS', '1G1BM', 5, 'D')",
          "insert into ALUNOS (MATRICULA, NOME, TURMA, ESP) values (103, 'JOÃO D''ÁVILA', '1G1AM', 1)",
          "insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp, UND1) values (100, '01', '1G1AM', 'ANA SILVA', 3, 7.5)",
          "insert into Ccorrent (Matricula, NOME, TURMA, Tipo, ParcelaNum, ParcelaData, ParcelaValor, STATUS2) values "
          "(100, 'ANA SILVA', '1G1AM', 'N', 3, '2009-03-10', 350, '0')"})
        exec(QString::fromUtf8(sql));
    students::recordClipboard().clear();
}

void TfrmAlunosTest::cleanup()
{
    m_form.reset();
    QDir::setCurrent(m_previousDir);
    data::closeSession(*m_academic, *m_cashBook);
    m_cashBook.reset();
    m_academic.reset();
    core::setShell(std::move(m_previousShell));
    m_dialogs.reset();
    m_dir.reset();
    testengine::dropServerYears();
    core::pinClock(QDateTime());
}

std::unique_ptr<TfrmAlunos> TfrmAlunosTest::openForm()
{
    auto form = std::make_unique<TfrmAlunos>(*m_academic);
    form->setCountVisible(true);
    form->show();
    // Focus moves only inside the active window: the class and situation boxes act on it.
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("the register did not become the active window");
    return form;
}

void TfrmAlunosTest::opensOnTheGridOfActiveStudents()
{
    m_form = openForm();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Cadastro de Alunos"));
    auto *pages = find<QTabWidget>("PageControl1");
    QCOMPARE(pages->currentIndex(), int(TfrmAlunos::TabGrade));
    QCOMPARE(pages->tabText(TfrmAlunos::TabGrade), QStringLiteral("Grade de Alunos"));
    QCOMPARE(gridRows("grdAlunos"), 3);
    QCOMPARE(find<QLabel>("lblTotal")->text(), QStringLiteral("3"));
    QCOMPARE(find<QComboBox>("cbOrdenar")->currentText(), QStringLiteral("Turma/Nome"));
    QVERIFY(find<QAbstractButton>("rbVisualizar0")->isChecked());
    QCOMPARE(find("txtMATRICULA")->text(), QStringLiteral("100"));
    QCOMPARE(find("txtNOME")->text(), QStringLiteral("ANA SILVA"));
    QCOMPARE(find<QComboBox>("cbTURMA")->currentText(), QStringLiteral("1G1AM"));
    QCOMPARE(find<QLabel>("lblcturmaDesc")->text(), QStringLiteral("1º ANO A MANHÃ"));
    QCOMPARE(find("txtESP")->toolTip(), QStringLiteral("Este campo é calculado pelo sistema no menu Utilitários"));
    QVERIFY(!find("txtDATANASC")->isEnabled());
    QCOMPARE(gridRows("grdNotas"), 1);
    QCOMPARE(gridRows("grdPagamentos"), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from Historic where Matricula = 100")).toInt(), 1);

    // Leavers in red, in the grid of every student.
    click("rbVisualizar1");
    QCOMPARE(gridRows("grdAlunos"), 4);
    QAbstractItemModel *model = find<QTableView>("grdAlunos")->model();
    int redRows = 0;
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, 2).data(Qt::ForegroundRole).value<QColor>() == QColor(Qt::red)) {
            ++redRows;
            QCOMPARE(model->index(row, 2).data().toString(), QStringLiteral("CARLA REIS"));
        }
    QCOMPARE(redRows, 1);

    m_form->setCountVisible(false);
    QVERIFY(!find<QGroupBox>("gbTotal")->isVisible());
}

void TfrmAlunosTest::theNavigatorFollowsTheTab()
{
    m_form = openForm();
    auto *pages = find<QTabWidget>("PageControl1");
    auto visible = [this] {
        QStringList names;
        for (const char *name : {"nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert", "nbDelete", "nbEdit", "nbPost",
                                 "nbCancel", "nbRefresh"})
            if (find<QToolButton>(name)->isVisible())
                names += QString::fromLatin1(name);
        return names.join(u' ');
    };
    const QString moving = QStringLiteral("nbFirst nbPrior nbNext nbLast");
    QCOMPARE(visible(), moving);
    pages->setCurrentIndex(TfrmAlunos::TabCadastro);
    QCOMPARE(visible(), moving + QStringLiteral(" nbInsert nbDelete nbEdit nbPost nbCancel"));
    pages->setCurrentIndex(TfrmAlunos::TabObservacoes);
    QCOMPARE(visible(), moving + QStringLiteral(" nbEdit nbPost nbCancel"));
    pages->setCurrentIndex(TfrmAlunos::TabHistorico);
    QCOMPARE(visible(), moving);

    // "A Turma": only the moving buttons anywhere, after the warning.
    pages->setCurrentIndex(TfrmAlunos::TabGrade);
    find<QListWidget>("lstTurmas")->setCurrentRow(1);
    click("rbVisualizar8");
    QVERIFY((*m_dialogs)->last().text.startsWith(
        QStringLiteral("Atenção:\rNão tente INSERIR registros para turmas\rdiferentes de 1G1BM, pois,")));
    QCOMPARE(gridRows("grdAlunos"), 1);
    pages->setCurrentIndex(TfrmAlunos::TabCadastro);
    QCOMPARE(visible(), moving);

    // A new month or class un-chooses the entry until it is picked again.
    pages->setCurrentIndex(TfrmAlunos::TabGrade);
    find<QListWidget>("lstTurmas")->setCurrentRow(0);
    QVERIFY(!find<QAbstractButton>("rbVisualizar8")->isChecked());
    QCOMPARE(gridRows("grdAlunos"), 1);
}

void TfrmAlunosTest::findsAStudentAndRenamesIt()
{
    m_form = openForm();
    whenModal<TfrmLocalizar>([](TfrmLocalizar *dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("txtLocalizar")), QStringLiteral("joao d'avila"));
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdLocalizar")), Qt::LeftButton);
        dialog->reject();
    });
    click("cmdLocalizar");
    QCOMPARE(find("txtMATRICULA")->text(), QStringLiteral("103"));
    QCOMPARE(find<QTableView>("grdAlunos")->currentIndex().row(), 1);

    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabCadastro);
    QLineEdit *name = find("txtNOME");
    name->setFocus();
    name->end(false);
    QTest::keyClicks(name, QStringLiteral(" neto"));
    QCOMPARE(name->text(), QStringLiteral("JOÃO D'ÁVILA NETO"));
    QVERIFY(find("txtDATANASC")->isEnabled());
    QVERIFY(!find<QPushButton>("cmdCopiarRegistro")->isEnabled());
    click("nbPost");
    QCOMPARE(scalar(QStringLiteral("select NOME from ALUNOS where MATRICULA = 103")).toString(),
             QStringLiteral("JOÃO D'ÁVILA NETO"));
    QVERIFY((*m_dialogs)->shown().isEmpty());
    QVERIFY(!find("txtDATANASC")->isEnabled());
}

void TfrmAlunosTest::aMoveToAnotherClassGetsTheNextNumber()
{
    m_form = openForm();
    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabCadastro);
    click("nbEdit");
    auto *schoolClass = find<QComboBox>("cbTURMA");
    schoolClass->setFocus();
    QVERIFY(!find<QWidget>("DBNavigator1")->isEnabled());
    schoolClass->lineEdit()->selectAll();
    QTest::keyClicks(schoolClass->lineEdit(), QStringLiteral("1g1bm"));
    find("txtNOME")->setFocus();
    QVERIFY(find<QWidget>("DBNavigator1")->isEnabled());
    click("nbPost");
    QCOMPARE((*m_dialogs)->texts(),
             QStringList{QStringLiteral("A Turma deste aluno foi alterada.\rO sistema irá compatibilizar a tabela de notas...")});
    QCOMPARE(scalar(QStringLiteral("select ESP from ALUNOS where MATRICULA = 100")).toInt(), 32);
    QCOMPARE(scalar(QStringLiteral("select Turma || Esp from NOTAS where MATRICULA = 100")).toString(), QStringLiteral("1G1BM32"));
}

void TfrmAlunosTest::aBrotherIsTypedOnceWithCopyAndPaste()
{
    m_form = openForm();
    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabCadastro);
    QVERIFY(!find<QPushButton>("cmdColarRegistro")->isEnabled());
    click("cmdCopiarRegistro");
    click("nbInsert");
    QVERIFY(find("txtMATRICULA")->hasFocus());
    QVERIFY(find<QPushButton>("cmdColarRegistro")->isEnabled());
    click("cmdColarRegistro");
    QCOMPARE(find("txtNOME_PAI")->text(), QStringLiteral("PEDRO SILVA"));
    QCOMPARE(find("txtENDERECO")->text(), QStringLiteral("RUA A, 10"));
    QCOMPARE(find("txtNACIONAL")->text(), QStringLiteral("SALVADOR"));
    QCOMPARE(find("txtMATRICULA")->text(), QString());
    QCOMPARE(find("txtNOME")->text(), QString());
    QCOMPARE(find<QComboBox>("cbTURMA")->currentText(), QString());
    QCOMPARE(find("txtDATANASC")->text(), QString());

    // The mother becomes the responsible person.
    click("rbCopiar1");
    click("cmdCopiarResp");
    QCOMPARE(find("txtNOME_RESP")->text(), QStringLiteral("MARIA SILVA"));

    type("txtMATRICULA", QStringLiteral("104"));
    type("txtNOME", QStringLiteral("LUCAS SILVA"));
    auto *schoolClass = find<QComboBox>("cbTURMA");
    schoolClass->setFocus();
    QTest::keyClicks(schoolClass->lineEdit(), QStringLiteral("2G3N"));
    type("txtDATANASC", QStringLiteral("17/03/2004"));
    click("nbPost");
    QCOMPARE(scalar(QStringLiteral("select NOME_PAI || '/' || NOME_RESP || '/' || ESP || '/' || DATANASC from ALUNOS "
                                   "where MATRICULA = 104")).toString(),
             QStringLiteral("PEDRO SILVA/MARIA SILVA/1/2004-03-17"));
    // The new student's grade rows are made at once.
    QCOMPARE((*m_dialogs)->shown().size(), 1);
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Tabela de Notas gerada com sucesso!"));
    QCOMPARE(scalar(QStringLiteral("select count(*) from NOTAS where MATRICULA = 104")).toInt(), 2);
    QCOMPARE(find<QLabel>("lblTotal")->text(), QStringLiteral("4"));
}

void TfrmAlunosTest::theSituationPickerMakesAScholarshipHolder()
{
    m_form = openForm();
    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabObservacoes);
    QVERIFY(!find<QToolButton>("cmdSituacao")->isEnabled());
    click("nbEdit");
    QVERIFY(find<QToolButton>("cmdSituacao")->isEnabled());
    auto *lines = find<QMenu>("mnuSituacao");
    QCOMPARE(lines->actions().size(), 4);
    QCOMPARE(lines->actions().at(2)->text(), QStringLiteral("I - Ignore para cobrança"));
    lines->actions().at(0)->trigger();
    QCOMPARE(find("txtSIT")->text(), QStringLiteral("B"));
    QCOMPARE(find("txtOBSSIT")->text(), QStringLiteral("B - Bolsista (100%)"));
    QCOMPARE(find("txtDATASIT")->text(), QStringLiteral("05/03/2009"));
    QCOMPARE(find("txtABAT")->text(), QStringLiteral("100"));
    QVERIFY(find<QCheckBox>("chkIMP")->isChecked());
    click("nbPost");

    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabGrade);
    click("rbVisualizar6");
    QCOMPARE(gridRows("grdAlunos"), 1);
    QCOMPARE(find<QTableView>("grdAlunos")->model()->index(0, 1).data().toString(), QStringLiteral("100"));
}

void TfrmAlunosTest::theSpecialListIsMarkedExportedAndCleared()
{
    m_form = openForm();
    QAbstractItemModel *model = find<QTableView>("grdAlunos")->model();
    QVERIFY(model->flags(model->index(1, 3)) & Qt::ItemIsUserCheckable);
    QVERIFY(model->setData(model->index(1, 3), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(scalar(QStringLiteral("select MARCADO from ALUNOS where MATRICULA = 103")).toInt(), 1);
    QVERIFY(find<QLabel>("imgMarcado")->isVisible());

    click("rbVisualizar9");
    QCOMPARE(gridRows("grdMarcados"), 1);
    QVERIFY(find<QTableView>("grdMarcados")->isVisible());
    click("cmdExportar");
    QCOMPARE(m_shell->opened(), QStringList{m_dir->file(QStringLiteral("Relacao_Especial.csv"))});

    (*m_dialogs)->answer(core::Button::Yes);
    click("cmdLimparMarcados");
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Apagar todas as marcas já feitas. Confirma?"));
    QCOMPARE(scalar(QStringLiteral("select count(*) from ALUNOS where MARCADO = 1")).toInt(), 0);
    QCOMPARE(gridRows("grdMarcados"), 0);
}

void TfrmAlunosTest::theSpecialListComesInTheOrderOfTheNumbers()
{
    // Marked in another order than their numbers' (a server keeps a row it rewrites at its end).
    m_form = openForm();
    QAbstractItemModel *model = find<QTableView>("grdAlunos")->model();
    QVERIFY(model->setData(model->index(1, 3), Qt::Checked, Qt::CheckStateRole)); // 103
    QVERIFY(model->setData(model->index(2, 3), Qt::Checked, Qt::CheckStateRole)); // 101
    QVERIFY(model->setData(model->index(0, 3), Qt::Checked, Qt::CheckStateRole)); // 100
    click("rbVisualizar9");
    QAbstractItemModel *marked = find<QTableView>("grdMarcados")->model();
    QStringList numbers;
    for (int row = 0; row < marked->rowCount(); ++row)
        numbers += marked->index(row, 1).data().toString();
    QCOMPARE(numbers, (QStringList{"100", "101", "103"}));

    click("cmdExportar");
    const QStringList lines = QString::fromUtf8(m_dir->read(QStringLiteral("Relacao_Especial.csv"))).split(u'\n');
    QCOMPARE(lines.size() >= 5, true);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(lines.at(2 + i).contains(u';' + numbers.at(i) + u';'), qPrintable(lines.at(2 + i)));
}

void TfrmAlunosTest::isolatedSubjectsShowInTheGradeGrid()
{
    m_form = openForm();
    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabNotas);
    QCOMPARE(find<QPushButton>("cmdCorrigir")->toolTip().left(37), QStringLiteral("Corrigir tabelas de Notas deste Aluno"));
    QVERIFY(find<QPushButton>("cmdCorrigir")->isEnabled());
    whenModal<TfrmDisc_isolada>([](TfrmDisc_isolada *dialog) {
        QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("lblTurmaNormal"))->text(),
                 QStringLiteral("Turma Normal: 1G1AM - 1º ANO A MANHÃ"));
        auto *classes = dialog->findChild<QComboBox *>(QStringLiteral("cbTurmas"));
        QCOMPARE(classes->count(), 2);
        classes->setCurrentIndex(1); // 2G3N
        auto *subjects = dialog->findChild<QListWidget *>(QStringLiteral("lstDisciplinas"));
        QCOMPARE(subjects->count(), 2);
        subjects->selectAll();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdIncluir")), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdSalvar")), Qt::LeftButton);
    });
    click("cmdDiscIsoladas");
    QCOMPARE((*m_dialogs)->texts(), QStringList{QStringLiteral("Operação concluída com Sucesso!")});
    QCOMPARE(gridRows("grdNotas"), 3);
    QCOMPARE(scalar(QStringLiteral("select count(*) from NotasUni4 where MATRICULA = 100 and TURMA = '2G3N'")).toInt(), 2);

    // "Corrigir" all over again for a grade without subjects stops and deletes nothing.
    (*m_dialogs)->clear();
    (*m_dialogs)->answer(core::Button::Yes);
    whenModal<TfrmCorrigeTabNotas>([](TfrmCorrigeTabNotas *dialog) {
        dialog->findChild<QRadioButton *>(QStringLiteral("rbRefazer"))->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("cmdIniciar")), Qt::LeftButton);
        dialog->reject();
    });
    click("cmdCorrigir");
    QCOMPARE((*m_dialogs)->shown().size(), 2);
    QVERIFY((*m_dialogs)->last().text.startsWith(QStringLiteral("Não foi possível montar a tabela \"Disciplinas\".")));
    QCOMPARE(gridRows("grdNotas"), 3);
}

void TfrmAlunosTest::anUnpaidChargeIsNotAuthenticated()
{
    m_form = openForm();
    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabPagamentos);
    QVERIFY(find<QPushButton>("cmdReceberBoleto")->isEnabled());
    QVERIFY(find<QPushButton>("cmdImprimir")->isEnabled());
    QVERIFY(find<QPushButton>("cmdAutenticar")->isEnabled());
    click("cmdAutenticar");
    QCOMPARE((*m_dialogs)->shown().size(), 1);
    // Nor is its slip printed again before it is paid.
    click("cmdImprimir");
    QCOMPARE((*m_dialogs)->shown().size(), 2);
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("É necessário fazer a baixa do pagamento primeiro!"));
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Warning);
    QCOMPARE(find<QTableView>("grdPagamentos")->model()->index(0, 1).data().toString(), QStringLiteral("350,00"));
}

void TfrmAlunosTest::aReadOnlyUserOnlyLooks()
{
    logOn({QStringLiteral("Caixa")});
    m_form = openForm();
    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabCadastro);
    QVERIFY(!find<QToolButton>("nbInsert")->isEnabled());
    QVERIFY(!find<QToolButton>("nbEdit")->isEnabled());
    QVERIFY(find("txtNOME")->isReadOnly());
    QVERIFY(!find<QPushButton>("cmdDiscIsoladas")->isEnabled());
    QVERIFY(!find<QPushButton>("cmdLimparMarcados")->isEnabled());
    QAbstractItemModel *model = find<QTableView>("grdAlunos")->model();
    QVERIFY(!(model->flags(model->index(0, 3)) & Qt::ItemIsUserCheckable));
    click("nbNext");
    QCOMPARE(find("txtMATRICULA")->text(), QStringLiteral("103"));
}

void TfrmAlunosTest::closingWithAPendingChangeAsks()
{
    m_form = openForm();
    find<QTabWidget>("PageControl1")->setCurrentIndex(TfrmAlunos::TabCadastro);
    type("txtNOME_MAE", QStringLiteral("MARIA S. SILVA"));
    (*m_dialogs)->answer(core::Button::Cancel);
    QVERIFY(!m_form->close());
    QVERIFY(m_form->isVisible());
    (*m_dialogs)->answer(core::Button::Yes);
    QVERIFY(m_form->close());
    QCOMPARE(scalar(QStringLiteral("select NOME_MAE from ALUNOS where MATRICULA = 100")).toString(),
             QStringLiteral("MARIA S. SILVA"));
    QVERIFY(!m_academic->tblAlunos().isOpen());
    QVERIFY(!m_academic->tblHistoric().isOpen());
}

namespace {

class RecordingHost : public app::CommandHost
{
public:
    void setCommand(const QString &, std::function<void()>) override {}
    void setMenuForm(const QString &objectName, app::ModuleLauncher::OpenForm openForm) override
    {
        menuForms.insert(objectName, std::move(openForm));
    }
    void setModuleForm(app::Module module, app::ModuleLauncher::OpenForm openForm) override
    {
        if (module == app::Module::Alunos)
            register_ = std::move(openForm);
    }
    QHash<QString, app::ModuleLauncher::OpenForm> menuForms;
    app::ModuleLauncher::OpenForm register_;
};

} // namespace

void TfrmAlunosTest::theMainWindowsCommandsOpenTheRegisterAndUpdateBirthdays()
{
    RecordingHost host;
    students::installCommands(host, {nullptr, m_academic.get(), m_cashBook.get(), {}});
    QVERIFY(host.register_);
    bool barEnabled = true;
    app::ModuleLauncher launcher(m_dir->path(), {[](bool) {}, [&barEnabled](bool on) { barEnabled = on; }});

    // The Supervisor sees the count; the register opens on its own tables and closes them.
    bool countShown = false;
    bool barWhileOpen = true;
    whenModal<TfrmAlunos>([&](TfrmAlunos *form) {
        countShown = form->findChild<QGroupBox *>(QStringLiteral("gbTotal"))->isVisible();
        barWhileOpen = barEnabled;
        form->close();
    });
    launcher.startModule(app::Module::Alunos, host.register_);
    QVERIFY(countShown);
    QVERIFY(!barWhileOpen);
    QVERIFY(barEnabled);
    QVERIFY(!m_academic->tblAlunos().isOpen());

    exec(QStringLiteral("update ALUNOS set DATANASC = '2002-03-17' where MATRICULA = 100"));
    QVERIFY(host.menuForms.contains(QStringLiteral("mnuAtualizarAniversario")));
    (*m_dialogs)->answer(core::Button::Yes);
    launcher.runCommand(host.menuForms.value(QStringLiteral("mnuAtualizarAniversario")));
    QCOMPARE((*m_dialogs)->shown().first().caption, QStringLiteral("Recalcular Aniversário"));
    QCOMPARE(scalar(QStringLiteral("select ORD || '/' || TM from ALUNOS where MATRICULA = 100")).toString(),
             QStringLiteral("3/17"));
}

QTEST_MAIN(TfrmAlunosTest)
#include "TfrmAlunosTest.moc"
