// The two generator windows driven by their controls: the student choice, the "+" list, the
// options' warnings, the discount box, and a run that writes and closes the window.
#include "billing/forms/TfrmCalcular.h"
#include "billing/forms/TfrmCalcular2.h"
#include "billing/generators/ChargeGenerators.h"
#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/ChargeRules.h"
#include "data/settings/Settings.h"
#include "data/store/Table.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TfrmCalcularTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void generatingWaitsForAChoiceOfStudents();
    void thePlusButtonChecksTheNumber();
    void theOptionsWarnAndTheDiscountIsReformatted();
    void aRunForOneClassWritesItsMonthAndCloses();
    void otherChargesForListedStudents();

private:
    template <class T = QLineEdit> static T *find(QWidget *w, const char *name)
    {
        T *child = w->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("missing %s", name);
        return child;
    }
    int count(const QString &where) const
    {
        return m_db.scalar(QStringLiteral("select count(*) from CCORRENT where ") + where).toInt();
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    data::Database m_db;
    std::unique_ptr<data::Table> m_charges;
};

void TfrmCalcularTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir->path()), QStringLiteral("2009"));
    m_db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values "
                             "('1G1A', '1ª SÉRIE A', 300), ('2G1A', '2ª SÉRIE A', 400)"));
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, VENCIMENTO) values "
                             "(1, 'ANA MARIA DOS SANTOS', '1G1A', '10'), (2, 'BRUNO', '2G1A', '05'), "
                             "(3, 'CAIO', '2G1A', '10')"));
    core::Session &s = core::session();
    s.userName = QStringLiteral("TESOURARIA");
    s.rights.carnes = true;
    s.schoolYear = QStringLiteral("2009");
    data::settings().Data_Venc = 10;
    m_charges = std::make_unique<data::Table>(m_db, QStringLiteral("Ccorrent.DB"));
    data::attachChargeRules(*m_charges);
    m_charges->open();
}

void TfrmCalcularTest::cleanup()
{
    m_charges.reset();
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
    m_dialogs.reset();
    m_dir.reset();
    core::session() = {};
}

void TfrmCalcularTest::generatingWaitsForAChoiceOfStudents()
{
    TfrmCalcular form(*m_charges);
    QCOMPARE(form.windowTitle(), QStringLiteral("Gerar Mensalidades"));
    QCOMPARE(find(&form, "txtVencimento")->text(), QStringLiteral("10"));
    QCOMPARE(find(&form, "txtMulta")->text(), QStringLiteral("2,0"));
    QVERIFY(find<QCheckBox>(&form, "chkOutrosVencimentos")->isChecked());
    QCOMPARE(find<QComboBox>(&form, "cbTurma")->itemText(0), QStringLiteral("1G1A 1ª SÉRIE A"));
    QVERIFY(!find<QPushButton>(&form, "cmdGerar")->isEnabled());
    find<QRadioButton>(&form, "rbTodos")->setChecked(true);
    QVERIFY(find<QPushButton>(&form, "cmdGerar")->isEnabled());
}

void TfrmCalcularTest::thePlusButtonChecksTheNumber()
{
    TfrmCalcular form(*m_charges);
    find(&form, "txtMatricula")->setText(QStringLiteral("99"));
    find<QPushButton>(&form, "cmdMais")->click();
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Matrícula inválida!"));
    QVERIFY(!find<QRadioButton>(&form, "rbMatricula")->isChecked());
    find(&form, "txtMatricula")->setText(QStringLiteral("1"));
    find<QPushButton>(&form, "cmdMais")->click();
    QCOMPARE(find<QListWidget>(&form, "lstMatriculas")->item(0)->text(), QStringLiteral("1 ANA MARIA DOS S"));
    QVERIFY(find<QRadioButton>(&form, "rbMatricula")->isChecked());
    QVERIFY(find<QPushButton>(&form, "cmdGerar")->isEnabled());
}

void TfrmCalcularTest::theOptionsWarnAndTheDiscountIsReformatted()
{
    TfrmCalcular form(*m_charges);
    find<QCheckBox>(&form, "chkDesconsiderar")->setChecked(true);
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Marcando esta opção os carnês serão\rimpressos com a data de "
                                                       "vencimento\rinformada acima para TODOS os alunos."));
    find<QCheckBox>(&form, "chkAtrasados")->setChecked(true);
    QVERIFY((*m_dialogs)->last().text.startsWith(QStringLiteral("Marcando esta opção os carnês serão\rimpressos com  acréscimos")));
    QLineEdit *discount = find(&form, "txtDesconto");
    discount->setText(QStringLiteral("1234,5"));
    emit discount->editingFinished();
    QCOMPARE(discount->text(), QStringLiteral("1.234,50"));
    discount->setText(QStringLiteral("dez"));
    emit discount->editingFinished();
    QCOMPARE(discount->text(), QStringLiteral("0,00"));
}

void TfrmCalcularTest::aRunForOneClassWritesItsMonthAndCloses()
{
    TfrmCalcular form(*m_charges);
    form.show();
    find<QRadioButton>(&form, "rbTurma")->setChecked(true);
    find<QComboBox>(&form, "cbTurma")->setCurrentIndex(1);
    find<QComboBox>(&form, "cbMes")->setCurrentIndex(3);
    find<QPushButton>(&form, "cmdGerar")->click();
    QCOMPARE(count(QStringLiteral("ParcelaNum = 3 and TURMA = '2G1A' and Tipo = 'N'")), 2);
    QCOMPARE(count(QStringLiteral("1 = 1")), 2);
    QCOMPARE((*m_dialogs)->last().text, billing::kCompletedMessage);
    QCOMPARE(find<QProgressBar>(&form, "pbAlunos")->value(), 2);
    QCOMPARE(form.result(), int(QDialog::Accepted));
}

void TfrmCalcularTest::otherChargesForListedStudents()
{
    TfrmCalcular2 form(*m_charges);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Calcular Outros Valores"));
    QCOMPARE(find<QComboBox>(&form, "cbTipo")->itemText(0), QStringLiteral("0-Matrícula"));
    find<QDateEdit>(&form, "dtpVencimento")->setDate(QDate(2009, 2, 1));
    find<QComboBox>(&form, "cbTipo")->setCurrentText(QStringLiteral("2-Livros"));
    find(&form, "txtValor")->setText(QStringLiteral("180,00"));
    find(&form, "txtDescricao")->setText(QStringLiteral("Coleção do 2º ano"));
    find(&form, "txtMatricula")->setText(QStringLiteral("2"));
    find<QPushButton>(&form, "cmdMais")->click();
    find(&form, "txtMatricula")->setText(QStringLiteral("3"));
    find<QPushButton>(&form, "cmdMais")->click();
    find<QPushButton>(&form, "cmdCalcular")->click();
    QCOMPARE(count(QStringLiteral("Tipo = '2' and ParcelaData = '2009-02-01' and ParcelaValor = 180")), 2);
    QCOMPARE(m_db.scalar(QStringLiteral("select Observacao from CCORRENT where Matricula = 3")).toString(),
             QStringLiteral("2-Livros Coleção do 2º ano"));
    QCOMPARE((*m_dialogs)->last().text, billing::kCompletedMessage);
}

QTEST_MAIN(TfrmCalcularTest)
#include "TfrmCalcularTest.moc"
