// The "&Notas" tab of "Tabelas Auxiliares", driven by its controls' names.

#include "GradeUiSchool.h"

#include "core/Shell.h"
#include "grades/forms/NotasTab.h"
#include "students/forms/TfrmTabAux.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "app/ui/ModalHelper.h"

class NotasTabTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GradeUiSchool> m_school;
    std::unique_ptr<students::TfrmTabAux> m_form;

    QWidget *openNotas()
    {
        m_form = std::make_unique<students::TfrmTabAux>(*m_school->m_academic, QStringLiteral("Funcionários"), QString());
        m_form->show();
        QTabWidget *pages = m_form->pages();
        QWidget *tab = m_form->findChild<QWidget *>(QStringLiteral("tsNotas"));
        pages->setCurrentWidget(tab);
        if (pages->tabText(pages->currentIndex()) != QStringLiteral("&Notas"))
            qFatal("the grades tab is not \"&Notas\"");
        return tab;
    }
    template<class W> W *child(const char *name) const
    {
        W *widget = m_form->findChild<W *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    QTableView *grid() const { return child<QTableView>("grdNotas"); }
    QStringList captions() const
    {
        QStringList titles;
        for (int c = 0; c < grid()->model()->columnCount(); ++c)
            if (!grid()->isColumnHidden(c))
                titles << grid()->model()->headerData(c, Qt::Horizontal).toString();
        return titles;
    }
    int column(const QString &caption) const
    {
        for (int c = 0; c < grid()->model()->columnCount(); ++c)
            if (grid()->model()->headerData(c, Qt::Horizontal).toString() == caption)
                return c;
        return -1;
    }
    QString cell(int row, const QString &caption) const { return grid()->model()->index(row, column(caption)).data().toString(); }
    bool isRed(int row) const
    {
        return grid()->model()->index(row, 0).data(Qt::FontRole).value<QFont>().bold() &&
               grid()->model()->index(row, 0).data(Qt::ForegroundRole).isValid();
    }
    void type(int row, const QString &caption, const QString &text) const
    {
        QVERIFY(grid()->model()->setData(grid()->model()->index(row, column(caption)), text));
    }
    void chooseUnitView(int unit) const
    {
        child<QComboBox>("cbUnidade")->setCurrentIndex(unit - 1);
        child<QRadioButton>("rbNotas")->click();
    }

private slots:
    void init() { m_school = std::make_unique<GradeUiSchool>(); }
    void cleanup()
    {
        m_form.reset();
        m_school.reset();
    }

    void theYearViewOfTheFirstClassAndSubjectShowsFirst()
    {
        openNotas();
        QCOMPARE(child<QComboBox>("cbTurma")->currentText(), QStringLiteral("1G1A 1º ANO A"));
        auto *subjects = child<QComboBox>("cbDisciplina");
        QCOMPARE(subjects->count(), 2);
        QCOMPARE(subjects->itemText(1), QStringLiteral("02 CIÊNCIAS ** Consolidada **"));
        QCOMPARE(subjects->currentText(), QStringLiteral("01 PORTUGUÊS"));
        QCOMPARE(captions(), (QStringList{"Nº", "MATRICULA", "Nome", "UND1", "FLT1", "UND2", "FLT2", "UND3", "FLT3", "UND4",
                                          "FLT4", "Média_ANO", "Faltas", "PFINAL", "Média P.Final", "RESULTADO"}));
        QCOMPARE(cell(0, "Nome"), QStringLiteral("ANA")); // by name
        QVERIFY(!child<QComboBox>("cbUnidade")->isEnabled());
        // Only the final exam may be typed in the year view.
        QVERIFY(grid()->model()->flags(grid()->model()->index(0, column("PFINAL"))) & Qt::ItemIsEditable);
        QVERIFY(!(grid()->model()->flags(grid()->model()->index(0, column("UND1"))) & Qt::ItemIsEditable));
        QVERIFY(m_school->m_dialogs->shown().isEmpty());

        QTest::mouseClick(child<QPushButton>("cmdAjuda"), Qt::LeftButton);
        const auto *shell = dynamic_cast<const core::RecordingShell *>(&core::shell()); // LUMESCO_NO_SHELL=1
        QVERIFY(shell && shell->opened().last().endsWith(QStringLiteral("notas01.htm")));
    }

    void marksTypedInAUnitShowTheirAverageAndReachTheYear()
    {
        openNotas();
        chooseUnitView(1);
        QCOMPARE(captions(), (QStringList{"Nº", "MATRICULA", "NOME", "Und", "NOTA1", "NOTA2", "NOTA3", "NOTA4", "NOTA5",
                                          "FALTAS", "Ptos(1)", "Media", "Recup", "Ptos(2)", "Md.Final", "RESULTADO"}));
        QCOMPARE(cell(0, "Und"), QStringLiteral("1"));
        type(0, "NOTA1", QStringLiteral("5,0"));
        type(0, "NOTA2", QStringLiteral("6,0"));
        type(0, "FALTAS", QStringLiteral("2"));
        QCOMPARE(cell(0, "Media"), QStringLiteral("5,5"));
        QVERIFY(isRed(0));
        type(0, "Recup", QStringLiteral("9,0"));
        QCOMPARE(cell(0, "Md.Final"), QStringLiteral("7,3"));
        QVERIFY(!isRed(0));
        QCOMPARE(m_school->scalar(QStringLiteral("select MEDIA from NotasUni1 where MATRICULA = 2 and DISC = '01'")).toDouble(), 5.5);
        QCOMPARE(m_school->scalar(QStringLiteral("select UND1 from NOTAS where MATRICULA = 2 and DISC = '01'")).toDouble(), 7.25);
        QCOMPARE(m_school->scalar(QStringLiteral("select FLT1 from NOTAS where MATRICULA = 2 and DISC = '01'")).toInt(), 2);

        type(1, "NOTA1", QStringLiteral("4,0"));
        child<QCheckBox>("chkRecuperacao")->click();
        QCOMPARE(grid()->model()->rowCount(), 1); // by the stored average after recovery
        QCOMPARE(cell(0, "NOME"), QStringLiteral("BIA"));
        child<QCheckBox>("chkRecuperacao")->click();
        QCOMPARE(grid()->model()->rowCount(), 3);

        // The year view and its recalculation.
        child<QRadioButton>("rbMedias")->click();
        QCOMPARE(cell(0, "UND1"), QStringLiteral("7,3"));
        QTest::mouseClick(child<QPushButton>("cmdRecalcular"), Qt::LeftButton);
        QCOMPARE(cell(0, "Média_ANO"), QStringLiteral("7,3"));
        QCOMPARE(cell(0, "RESULTADO"), QStringLiteral("APROVADO"));
    }

    void theRecoveryFilterKeepsTheRowsBelowTheUnitAverage()
    {
        m_school->db().exec(QStringLiteral("update NotasUni1 set MD_FINAL = 5.0, NOTA1 = 5.0 where MATRICULA = 3 and DISC = '01'"));
        openNotas();
        chooseUnitView(1);
        child<QCheckBox>("chkRecuperacao")->click();
        QCOMPARE(grid()->model()->rowCount(), 1);
        QCOMPARE(cell(0, "NOME"), QStringLiteral("BIA"));
        QVERIFY(isRed(0));
    }

    void rollNumberOrderConfiguredColumnsAndTheConsolidatedWarning()
    {
        openNotas();
        chooseUnitView(1);
        child<QCheckBox>("chkOrdem")->click();
        QCOMPARE(cell(0, "NOME"), QStringLiteral("CAIO"));
        QCOMPARE(cell(1, "NOME"), QStringLiteral("BIA"));
        QCOMPARE(m_school->m_academic->tblNotas().indexName(), QStringLiteral("kTurmaOrdem"));

        whenModal<QDialog>([](QDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Configurar Colunas na Grade"));
            dialog->findChild<QCheckBox *>(QStringLiteral("chkUNIDADE"))->setChecked(false);
            dialog->findChild<QCheckBox *>(QStringLiteral("chkNOTA5"))->setChecked(false);
            dialog->accept();
        });
        QTest::mouseClick(child<QPushButton>("cmdConfigurar"), Qt::LeftButton);
        QVERIFY(!captions().contains(QStringLiteral("Und")));
        QVERIFY(!captions().contains(QStringLiteral("NOTA5")));
        QVERIFY(captions().contains(QStringLiteral("NOTA4")));

        auto *warning = child<QLabel>("lblConsolidada");
        QVERIFY(warning->isHidden());
        child<QComboBox>("cbDisciplina")->setCurrentIndex(1);
        emit child<QComboBox>("cbDisciplina")->activated(1);
        QVERIFY(!warning->isHidden());
        QCOMPARE(warning->text(), QStringLiteral("Disciplinas Consolidadas Não precisam ser informadas neste quadro."));

        // Closed, the grade tables are given back as other screens expect them.
        m_form.reset();
        data::Table &year = m_school->m_academic->tblNotas();
        QVERIFY(!year.isOpen());
        QVERIFY(!year.isFiltered());
        QCOMPARE(year.indexName(), QString());
        year.open();
        QCOMPARE(year.recordCount(), 6);
        year.close();
    }

    void aSubjectWithoutRowsIsToldAndTheTabIsReadOnlyWithoutTheRight()
    {
        m_school->db().exec(QStringLiteral("delete from NOTAS where DISC = '02'"));
        openNotas();
        child<QComboBox>("cbDisciplina")->setCurrentIndex(1);
        emit child<QComboBox>("cbDisciplina")->activated(1);
        QCOMPARE(m_school->m_dialogs->last().text,
                 QStringLiteral("Não há registros de notas para esta disciplina.\nUse menu [Utilitários] + [Gerar Tabela de "
                                "Notas] para\ncorrigir este problema."));
        m_form.reset();

        m_school.reset();
        m_school = std::make_unique<GradeUiSchool>(QStringList{QStringLiteral("Tabelas")});
        openNotas();
        chooseUnitView(1);
        QVERIFY(!(grid()->model()->flags(grid()->model()->index(0, column("NOTA1"))) & Qt::ItemIsEditable));
    }
};

QTEST_MAIN(NotasTabTest)
#include "NotasTabTest.moc"
