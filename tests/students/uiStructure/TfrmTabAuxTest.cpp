#include "StructureSchool.h"

#include "core/TextFile.h"
#include "data/store/Table.h"
#include "students/forms/TfrmTabAux.h"

#include <QAction>
#include <QCheckBox>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

using students::TfrmTabAux;

class TfrmTabAuxTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StructureSchool> m_school;

    std::unique_ptr<TfrmTabAux> openForm()
    {
        auto form = std::make_unique<TfrmTabAux>(*m_school->m_academic, QStringLiteral("Docentes"),
                                                 core::session().photosDir);
        form->show();
        return form;
    }
    template<class W> static W *child(const QWidget &form, const char *name)
    {
        W *widget = form.findChild<W *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    static void click(const QWidget &form, const char *name)
    {
        QTest::mouseClick(child<QAbstractButton>(form, name), Qt::LeftButton);
    }
    static void pickLines(QListWidget *list, const QStringList &codes)
    {
        list->clearSelection();
        for (int i = 0; i < list->count(); ++i)
            for (const QString &code : codes)
                if (list->item(i)->text().startsWith(code + u' '))
                    list->item(i)->setSelected(true);
    }
    static QStringList column(QTableView *grid, int column)
    {
        QStringList texts;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            texts += grid->model()->index(row, column).data().toString();
        return texts;
    }

private slots:
    void init() { m_school = std::make_unique<StructureSchool>(); }
    void cleanup() { m_school.reset(); }

    void opensOnTheClassesTabWithTheSchoolsWordForStaff()
    {
        auto form = openForm();
        QCOMPARE(form->windowTitle(), QStringLiteral("Tabelas Auxiliares"));
        QTabWidget *pages = form->pages();
        QCOMPARE(pages->count(), 5);
        const QStringList captions{pages->tabText(0), pages->tabText(1), pages->tabText(2), pages->tabText(3),
                                   pages->tabText(4)};
        QCOMPARE(captions, (QStringList{"&Turmas", "&Disciplinas", "&Notas", "&Docentes", "&Professores"}));
        QCOMPARE(pages->currentIndex(), 0);
        // the catalogue was shown once, at its last row
        QCOMPARE(child<QTableView>(*form, "grdDisciplinas")->currentIndex().row(), 2);
        QCOMPARE(child<QListWidget>(*form, "lstDisciplinas")->item(0)->text(), QStringLiteral("01 PORTUGUÊS"));

        click(*form, "cmdAjuda");
        QVERIFY(m_school->shell().opened().last().endsWith(QStringLiteral("tabelas01.htm")));
        click(*form, "cmdFechar");
        QVERIFY(!m_school->m_academic->tblTabTurma().isOpen());
        QVERIFY(!m_school->m_academic->tblFuncionarios().isOpen());
    }

    void subjectsSavedForOneClassShowForTheWholeGradeAndStopAtADuplicate()
    {
        auto form = openForm();
        auto *classes = child<QTableView>(*form, "grdTurmas");
        auto *gradeSubjects = child<QTableView>(*form, "grdDiscTurma");
        selectRow(classes, rowShowing(classes, 0, QStringLiteral("1G2A")));
        QCOMPARE(column(gradeSubjects, 0), QStringList{"01"});
        QCOMPARE(column(gradeSubjects, 1), QStringList{"PORTUGUÊS"});

        pickLines(child<QListWidget>(*form, "lstDisciplinas"), {QStringLiteral("03"), QStringLiteral("01"), QStringLiteral("02")});
        click(*form, "cmdSalvar");
        QCOMPARE(m_school->m_dialogs->last().text,
                 QStringLiteral("Disciplina 01 PORTUGUÊS não pode ser gravada.\rVerifique se ele já está cadastrada."));
        // the list order runs 01 first: it stops there and 02, 03 never come
        QCOMPARE(m_school->count(QStringLiteral("select count(*) from Discturm where SERIE = '1G2'")), 1);

        selectRow(classes, rowShowing(classes, 0, QStringLiteral("1G1B")));
        pickLines(child<QListWidget>(*form, "lstDisciplinas"), {QStringLiteral("03")});
        click(*form, "cmdSalvar");
        QCOMPARE(column(gradeSubjects, 0), (QStringList{"01", "02", "03"}));
        selectRow(classes, rowShowing(classes, 0, QStringLiteral("1G1A")));
        QCOMPARE(column(gradeSubjects, 0), (QStringList{"01", "02", "03"}));
        // printed on the final minutes
        QCOMPARE(gradeSubjects->model()->index(2, 4).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }

    void deletingASubjectOfAGradeRemovesItsGradesInEveryClassButNotTheUnitRows()
    {
        auto form = openForm();
        auto *classes = child<QTableView>(*form, "grdTurmas");
        auto *gradeSubjects = child<QTableView>(*form, "grdDiscTurma");
        selectRow(classes, rowShowing(classes, 0, QStringLiteral("1G1B")));
        selectRow(gradeSubjects, rowShowing(gradeSubjects, 0, QStringLiteral("02")));
        m_school->m_dialogs->answer(core::Button::Yes); // the navigator's "delete the record?"
        m_school->m_dialogs->answer(core::Button::Ok);  // the grades go too
        QTest::mouseClick(child<QWidget>(*form, "navDiscTurma")->findChild<QToolButton *>(QStringLiteral("nbDelete")),
                          Qt::LeftButton);
        QCOMPARE(m_school->m_dialogs->last().text, QStringLiteral("Processo concluído com sucesso!"));
        QCOMPARE(column(gradeSubjects, 0), QStringList{"01"});
        // only 1G2A's row is left
        QCOMPARE(m_school->count(QStringLiteral("select count(*) from NOTAS where DISC = '02'")), 1);
        QCOMPARE(m_school->count(QStringLiteral("select count(*) from NotasUni1 where DISC = '02'")), 3);
    }

    void theShortNameButtonTakesTheFirstEightLetters()
    {
        auto form = openForm();
        form->pages()->setCurrentIndex(1);
        auto *catalogue = child<QTableView>(*form, "grdDisciplinas");
        const QModelIndex cell = catalogue->model()->index(2, 3);
        catalogue->setCurrentIndex(cell);
        catalogue->edit(cell);
        auto *ellipsis = catalogue->findChild<QAction *>(QStringLiteral("cmdEllipsis"));
        QVERIFY(ellipsis);
        ellipsis->trigger();
        QTest::keyClick(catalogue->findChild<QLineEdit *>(QStringLiteral("txtEllipsis")), Qt::Key_Return);
        // The view commits an edit closed by Return on its next turn.
        QTRY_COMPARE(m_school->db().scalar(QStringLiteral("select DESC_RESUMO from DISCPL where CODIGO = '03'")).toString(),
                 QStringLiteral("EDUCAÇÃO"));
    }

    void staffRecordWithPhotoAndTeachersInGreen()
    {
        QDir().mkpath(core::session().photosDir);
        QImage photo(40, 50, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        QVERIFY(photo.save(QDir(core::session().photosDir).filePath(QStringLiteral("7.bmp"))));

        auto form = openForm();
        form->pages()->setCurrentIndex(3);
        auto *list = child<QTableView>(*form, "grdFuncionarios");
        const int carla = rowShowing(list, 1, QStringLiteral("CARLA MENDES"));
        const int joao = rowShowing(list, 1, QStringLiteral("JOÃO DO PORTÃO"));
        QCOMPARE(list->model()->index(carla, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
        QVERIFY(list->model()->index(carla, 1).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!list->model()->index(joao, 1).data(Qt::ForegroundRole).isValid());

        selectRow(list, carla);
        QCOMPARE(child<QLineEdit>(*form, "txtNOME")->text(), QStringLiteral("CARLA MENDES"));
        QCOMPARE(child<QLineEdit>(*form, "txtDATANASC")->text(), QStringLiteral("04/05/1970"));
        QVERIFY(!child<QLabel>(*form, "imgFoto")->pixmap().isNull());
        // the birth date waits for an edit
        QVERIFY(!child<QLineEdit>(*form, "txtDATANASC")->isEnabled());
        selectRow(list, joao);
        // no photo, an empty picture
        QVERIFY(child<QLabel>(*form, "imgFoto")->pixmap().isNull());

        QTest::keyClick(child<QLineEdit>(*form, "txtFUNCAO"), Qt::Key_End);
        QTest::keyClicks(child<QLineEdit>(*form, "txtFUNCAO"), QStringLiteral(" ii"));
        QCOMPARE(child<QLineEdit>(*form, "txtFUNCAO")->text(), QStringLiteral("PORTEIRO II"));
        auto *birth = child<QLineEdit>(*form, "txtDATANASC");
        QVERIFY(birth->isEnabled());
        QTest::keyClicks(birth, QStringLiteral("31/02/1980"));
        click(*child<QWidget>(*form, "navFuncionarios"), "nbPost");
        QCOMPARE(m_school->m_dialogs->last().icon, core::Icon::Error);
        QVERIFY(m_school->m_academic->tblFuncionarios().isEditing()); // nothing saved half right
        birth->clear();
        QTest::keyClicks(birth, QStringLiteral("02/03/1980"));
        click(*child<QWidget>(*form, "navFuncionarios"), "nbPost");
        QCOMPARE(m_school->db().scalar(QStringLiteral("select FUNCAO || ' ' || DATANASC from Funcionarios where MATRICULA = 8"))
                     .toString(),
                 QStringLiteral("PORTEIRO II 1980-03-02"));
        QVERIFY(!child<QLineEdit>(*form, "txtDATANASC")->isEnabled());

        m_school->m_dialogs->answerText(QStringLiteral("bru"));
        click(*form, "cmdLocalizar");
        QCOMPARE(child<QLineEdit>(*form, "txtNOME")->text(), QStringLiteral("BRUNO LIMA"));
    }

    void aTeacherGivenThreeClassesIsAskedThreeTimes()
    {
        m_school->db().exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma) values (4, '01', '1G1A')"));
        auto form = openForm();
        form->pages()->setCurrentIndex(4);
        auto *teachers = child<QListWidget>(*form, "lstProfessores");
        auto *subjects = child<QListWidget>(*form, "lstDisciplinasProf");
        QCOMPARE(teachers->count(), 2);
        QCOMPARE(child<QListWidget>(*form, "lstTurmas")->count(), 3);
        QVERIFY(!child<QPushButton>(*form, "cmdGravar")->isEnabled());

        pickLines(teachers, {QStringLiteral("7")});
        pickLines(subjects, {QStringLiteral("02")});
        pickLines(child<QListWidget>(*form, "lstTurmas"), {QStringLiteral("1G1A"), QStringLiteral("1G1B"), QStringLiteral("1G2A")});
        for (core::Button answer : {core::Button::Yes, core::Button::No, core::Button::Yes})
            m_school->m_dialogs->answer(answer);
        click(*form, "cmdGravar");
        QCOMPARE(m_school->m_dialogs->shown().size(), 3);
        QCOMPARE(m_school->m_dialogs->last().text,
                 QStringLiteral("7 CARLA MENDES\rleciona 02 MATEMÁTICA\rna Turma 1G2A 2ª SÉRIE A?"));
        QVERIFY(teachers->selectedItems().isEmpty());
        QVERIFY(subjects->selectedItems().isEmpty());
        auto *grid = child<QTableView>(*form, "grdProfessores");
        QCOMPARE(column(grid, 2), (QStringList{"1G1A", "1G2A"}));
        QCOMPARE(column(grid, 3).first(), QStringLiteral("02 - MATEMÁTICA"));

        const QString previous = QDir::currentPath();
        QDir::setCurrent(m_school->m_dir.path());
        click(*form, "cmdExportar");
        QDir::setCurrent(previous);
        const QString file = m_school->m_dir.file(QStringLiteral("Professores_Turma_Disciplinas.csv"));
        QCOMPARE(core::readTextLines(file).value_or(QStringList()).size(), 4);
        QCOMPARE(m_school->shell().opened().last(), file);

        m_school->m_dialogs->answer(core::Button::Yes);
        click(*form, "cmdApagar");
        QCOMPARE(m_school->count(QStringLiteral("select count(*) from DiscProf")), 1);
    }

    void homonymousTeachersComeInTheOrderOfTheirNumbers()
    {
        m_school->db().exec(QStringLiteral("insert into Funcionarios (MATRICULA, NOME, FUNCAO) values "
                                           "(21, 'ANA SOUZA', 'PROFESSORA'), (12, 'ANA SOUZA', 'Prof. substituta')"));
        auto form = openForm();
        form->pages()->setCurrentIndex(4);
        auto *teachers = child<QListWidget>(*form, "lstProfessores");
        QStringList lines;
        for (int i = 0; i < teachers->count(); ++i)
            lines += teachers->item(i)->text();
        QCOMPARE(lines, (QStringList{"12 ANA SOUZA", "21 ANA SOUZA", "9 BRUNO LIMA", "7 CARLA MENDES"}));
    }

    void aUserWithoutTheTablesRightOnlyLooks()
    {
        m_school->logOn({QStringLiteral("Notas")});
        auto form = openForm();
        QVERIFY(!child<QPushButton>(*form, "cmdSalvar")->isEnabled());
        auto *classes = child<QTableView>(*form, "grdTurmas");
        QVERIFY(!(classes->model()->flags(classes->model()->index(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(!child<QWidget>(*form, "navTurmas")->findChild<QToolButton *>(QStringLiteral("nbInsert"))->isEnabled());
        form->pages()->setCurrentIndex(3);
        QVERIFY(child<QLineEdit>(*form, "txtNOME")->isReadOnly());
    }
};

QTEST_MAIN(TfrmTabAuxTest)
#include "TfrmTabAuxTest.moc"
