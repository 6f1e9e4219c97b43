// "Imprimir Boletos" driven by its controls: the defaults, the month range, the fine and interest
// re-formatting, the booklet box and its initial number, the notices, the message file, the
// own-model hand-over, and booklet runs to a recorder and without the printer.
#include "billing/booklets/BookletRun.h"
#include "billing/booklets/RecordingSheets.h"
#include "billing/booklets/forms/TfrmImprim1.h"
#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/Settings.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TfrmImprim1Test : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithTheDefaults();
    void theMonthRangeFollowsTheChoices();
    void fineAndInterestAreReformattedOnLeaving();
    void theBookletBoxWaitsForAnInitialNumber();
    void theFineTextBoxWarnsItIsIgnoredForBankSlips();
    void messageLinesAreSavedAndReadBack();
    void withoutTheBookletBoxTheChoicesGoToTheOwnSlips();
    void aRecordOnlyRunNumbersWithoutPrinting();
    void aBookletRunDrawsTheChosenClass();

private:
    template <class T = QLineEdit> static T *find(QWidget *w, const char *name)
    {
        T *child = w->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("missing %s", name);
        return child;
    }
    static void choose(QComboBox *box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static void leave(QLineEdit *edit, const QString &text)
    {
        edit->setText(text);
        emit edit->editingFinished();
    }
    static void tick(QCheckBox *box)
    {
        box->click();
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    data::Database m_db;
};

void TfrmImprim1Test::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_db = data::createSchoolYear(testengine::yearLocation(m_dir->path()), QStringLiteral("2009"));
    m_db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values "
                             "('1G1A', '1ª SÉRIE A', 300), ('2G1A', '2ª SÉRIE A', 400)"));
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values "
                             "(1, 'ANA', '1G1A'), (2, 'BRUNO', '2G1A'), (3, 'CAIO', '2G1A')"));
    m_db.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor, "
                             "STATUS2) values ('1G1A', 1, 'ANA', 'N', 3, '2009-03-10', 300, '0'), "
                             "('2G1A', 2, 'BRUNO', 'N', 3, '2009-03-10', 400, '0'), "
                             "('2G1A', 3, 'CAIO', 'N', 3, '2009-03-10', 400, '0'), "
                             "('2G1A', 3, 'CAIO', 'N', 4, '2009-04-10', 400, '0')"));
    core::Session &s = core::session();
    s.userName = QStringLiteral("TESOURARIA");
    s.rights.carnes = true;
    s.schoolYear = QStringLiteral("2009");
    data::settings().Juros = 0.333;
    data::settings().UF = QStringLiteral("BA");
}

void TfrmImprim1Test::cleanup()
{
    m_db = {};
    data::Database::closeAll();
    testengine::dropServerYears();
    m_dialogs.reset();
    m_dir.reset();
    core::session() = {};
}

void TfrmImprim1Test::opensWithTheDefaults()
{
    TfrmImprim1 form(m_db, m_dir->path());
    QCOMPARE(form.windowTitle(), QStringLiteral("Imprimir Boletos"));
    QCOMPARE(find<QComboBox>(&form, "cbMes1")->currentText(), QStringLiteral("Janeiro"));
    QCOMPARE(find<QComboBox>(&form, "cbMes2")->currentText(), QStringLiteral("Dezembro"));
    QCOMPARE(find<QComboBox>(&form, "cbMes1")->itemText(0), QStringLiteral("Todos os Meses - Carnê"));
    QCOMPARE(find<QComboBox>(&form, "cbTipo")->currentText(), QStringLiteral("Mensalidade"));
    QVERIFY(find<QRadioButton>(&form, "rbTodos")->isChecked());
    QCOMPARE(find(&form, "txtMulta")->text(), QStringLiteral("2,0"));
    QCOMPARE(find(&form, "txtJuros")->text(), QStringLiteral("0,33"));
    QCOMPARE(find(&form, "txtNumInicial")->text(), QStringLiteral("000000000000"));
    QVERIFY(!find<QCheckBox>(&form, "chkBanco")->isChecked());
    QVERIFY(!find(&form, "txtNumInicial")->isVisibleTo(&form));
    QVERIFY(!find<QLabel>(&form, "lblAviso")->isVisibleTo(&form));
    QVERIFY(!find<QCheckBox>(&form, "chkSemImpressora")->isVisibleTo(&form));
    QVERIFY(find<QPushButton>(&form, "cmdImprimir")->isEnabled());
    QVERIFY(!find<QPushButton>(&form, "cmdCancelar")->isEnabled());
    QCOMPARE(find(&form, "txtMensagem1")->maxLength(), 65);
    const billing::BoletoChoices c = form.choices();
    QCOMPARE(c.fromMonth, 1);
    QCOMPARE(c.toMonth, 12);
    QVERIFY(c.students.kind == billing::StudentSelection::Kind::All);
}

void TfrmImprim1Test::theMonthRangeFollowsTheChoices()
{
    TfrmImprim1 form(m_db, m_dir->path());
    auto *from = find<QComboBox>(&form, "cbMes1");
    auto *to = find<QComboBox>(&form, "cbMes2");
    choose(to, 5);
    choose(from, 3); // any month: the range runs to December
    QCOMPARE(to->currentIndex(), 12);
    choose(to, 2); // before the from-month: raised to it
    QCOMPARE(to->currentIndex(), 3);
    choose(to, 3);
    QCOMPARE(form.choices().fromMonth, 3);
    QCOMPARE(form.choices().toMonth, 3);
    choose(from, 0); // "Todos os Meses - Carnê": the whole year
    QCOMPARE(from->currentIndex(), 1);
    QCOMPARE(to->currentIndex(), 12);
}

void TfrmImprim1Test::fineAndInterestAreReformattedOnLeaving()
{
    TfrmImprim1 form(m_db, m_dir->path());
    auto *fine = find(&form, "txtMulta");
    auto *interest = find(&form, "txtJuros");
    leave(fine, QStringLiteral("3"));
    QCOMPARE(fine->text(), QStringLiteral("3,0"));
    leave(fine, QStringLiteral("2,45"));
    QCOMPARE(fine->text(), QStringLiteral("2,5"));
    leave(fine, QStringLiteral("dois"));
    QCOMPARE(fine->text(), QStringLiteral("2,0"));
    leave(interest, QStringLiteral("0,5"));
    QCOMPARE(interest->text(), QStringLiteral("0,50"));
    leave(interest, QStringLiteral("x"));
    QCOMPARE(interest->text(), QStringLiteral("0,33"));
    QCOMPARE(form.choices().fineText, QStringLiteral("2,0"));
}

void TfrmImprim1Test::theBookletBoxWaitsForAnInitialNumber()
{
    TfrmImprim1 form(m_db, m_dir->path());
    form.show();
    auto *print = find<QPushButton>(&form, "cmdImprimir");
    auto *number = find(&form, "txtNumInicial");
    tick(find<QCheckBox>(&form, "chkBanco"));
    QVERIFY(find<QLabel>(&form, "lblAviso")->isVisible());
    QCOMPARE(find<QLabel>(&form, "lblAviso")->text(), billing::kPaperSizeNotice);
    QVERIFY(number->isVisible());
    QVERIFY(find<QCheckBox>(&form, "chkSemImpressora")->isVisible());
    QCOMPARE(find<QCheckBox>(&form, "chkSemImpressora")->toolTip(),
             QStringLiteral("Clique aqui se estiver gerando dados de boletos já impressos"));
    QVERIFY(!print->isEnabled());
    leave(number, QStringLiteral("000000000000"));
    QVERIFY(!print->isEnabled());
    leave(number, QStringLiteral("00000000015"));
    QVERIFY(print->isEnabled());
    tick(find<QCheckBox>(&form, "chkBanco"));
    QVERIFY(!number->isVisible());
    QVERIFY(print->isEnabled());
    QCOMPARE(form.choices().firstNumber, QStringLiteral("00000000015"));
}

void TfrmImprim1Test::theFineTextBoxWarnsItIsIgnoredForBankSlips()
{
    TfrmImprim1 form(m_db, m_dir->path());
    tick(find<QCheckBox>(&form, "chkTextoMulta"));
    QCOMPARE((*m_dialogs)->texts(), QStringList{QStringLiteral("Esta opção será ignorada para boletos bancários")});
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Information);
    tick(find<QCheckBox>(&form, "chkTextoMulta")); // unticking says nothing
    QCOMPARE((*m_dialogs)->texts().size(), 1);
    QVERIFY(!form.choices().hideFineText);
}

void TfrmImprim1Test::messageLinesAreSavedAndReadBack()
{
    TfrmImprim1 form(m_db, m_dir->path());
    find<QPushButton>(&form, "cmdLerMensagem")->click();
    QCOMPARE((*m_dialogs)->texts(), QStringList{QStringLiteral("Erro ao tentar Ler arquivo!")});
    find(&form, "txtMensagem1")->setText(QStringLiteral("Pague em dia, evite a multa"));
    find(&form, "txtMensagem2")->setText(QStringLiteral("Secretaria: 3333-4444"));
    find<QPushButton>(&form, "cmdSalvarMensagem")->click();
    QCOMPARE((*m_dialogs)->texts().size(), 1);
    find(&form, "txtMensagem1")->clear();
    find(&form, "txtMensagem2")->clear();
    find<QPushButton>(&form, "cmdLerMensagem")->click();
    QCOMPARE(find(&form, "txtMensagem1")->text(), QStringLiteral("Pague em dia, evite a multa"));
    QCOMPARE(find(&form, "txtMensagem2")->text(), QStringLiteral("Secretaria: 3333-4444"));

    TfrmImprim1 nowhere(m_db, m_dir->file(QStringLiteral("sem/pasta")));
    find<QPushButton>(&nowhere, "cmdSalvarMensagem")->click();
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Erro ao tentar salvar arquivo!"));
}

void TfrmImprim1Test::withoutTheBookletBoxTheChoicesGoToTheOwnSlips()
{
    TfrmImprim1 form(m_db, m_dir->path());
    std::optional<billing::BoletoChoices> handed;
    form.setOwnModelPrinter([&](const billing::BoletoChoices &c) { handed = c; });
    choose(find<QComboBox>(&form, "cbMes1"), 3);
    find<QCheckBox>(&form, "chkDesconto")->setChecked(true);
    find<QPushButton>(&form, "cmdImprimir")->click();
    QVERIFY(handed.has_value());
    QCOMPARE(handed->fromMonth, 3);
    QVERIFY(handed->hideDiscounts);
    QVERIFY(!handed->bankBooklet);
    QCOMPARE(m_db.scalar(QStringLiteral("select count(*) from CCORRENT where NossoNum is not null")).toInt(), 0);
}

void TfrmImprim1Test::aRecordOnlyRunNumbersWithoutPrinting()
{
    TfrmImprim1 form(m_db, m_dir->path());
    tick(find<QCheckBox>(&form, "chkBanco"));
    leave(find(&form, "txtNumInicial"), QStringLiteral("500"));
    find<QCheckBox>(&form, "chkSemImpressora")->setChecked(true);
    find<QPushButton>(&form, "cmdImprimir")->click();
    QCOMPARE((*m_dialogs)->texts(), (QStringList{billing::kPositionForm, billing::kPrintDone}));
    QCOMPARE(m_db.scalar(QStringLiteral("select group_concat(cast(NossoNum as integer)) from "
                                        "(select NossoNum from CCORRENT order by NossoNum)"))
                 .toString(),
             QStringLiteral("500,501,502,503"));
    QVERIFY(!find<QPushButton>(&form, "cmdCancelar")->isEnabled());
}

void TfrmImprim1Test::aBookletRunDrawsTheChosenClass()
{
    TfrmImprim1 form(m_db, m_dir->path());
    auto *recorder = new RecordingBooklet;
    form.setBookletOutput([recorder] { return std::unique_ptr<billing::BookletOutput>(recorder); });
    tick(find<QCheckBox>(&form, "chkBanco"));
    leave(find(&form, "txtNumInicial"), QStringLiteral("7"));
    find<QRadioButton>(&form, "rbTurma")->setChecked(true);
    find<QComboBox>(&form, "cbTurma")->setCurrentIndex(1); // 2G1A
    choose(find<QComboBox>(&form, "cbMes1"), 4);
    QCOMPARE(form.choices().students.classCode, QStringLiteral("2G1A"));
    find<QPushButton>(&form, "cmdImprimir")->click();
    QCOMPARE(m_db.scalar(QStringLiteral("select count(*) from CCORRENT where NossoNum = 7 and Matricula = 3 "
                                        "and ParcelaNum = 4")).toInt(),
             1);
    QCOMPARE(m_db.scalar(QStringLiteral("select count(*) from CCORRENT where NossoNum is not null")).toInt(), 1);
}

QTEST_MAIN(TfrmImprim1Test)
#include "TfrmImprim1Test.moc"
