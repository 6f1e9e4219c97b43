// The billing window on a logged-on school: filters, totals, counts, receiving, the generators'
// choice, deleting everything, the rights and what closing leaves behind.
#include "app/forms/DBNavigator.h"
#include "app/ui/ModalHelper.h"
#include "billing/forms/TfrmCCorrent.h"
#include "billing/forms/TfrmCalcular.h"
#include "billing/forms/TfrmCalcular_Multa_juros.h"
#include "billing/forms/TfrmTipoCobranca.h"
#include "core/Clock.h"
#include "core/Shell.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/users/UserRecord.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QTest>

class TfrmCCorrentTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnEveryRowWithTheirTotals();
    void viewsNarrowTheRowsAndTheTotalsFollow();
    void receivingALatePaymentChangesTheRowAndTheTotals();
    void theGeneratorChoiceOpensTheMonthlyFees();
    void deletingEverythingTakesTwoYeses();
    void rightsDecideTheButtons();
    void exportWritesTheViewUnderItsName();
    void closingReleasesOpenRowsAndClearsTheStatus();
    void theNavigatorSearchesAndThePaidOnButtonReopensTheRow();

private:
    void logOn(const QStringList &rights)
    {
        if (core::session().isOpen())
            data::closeSession(*m_academic, *m_cashBook);
        data::UserRecord user;
        user.userId = QStringLiteral("TESOURARIA");
        for (const QString &right : rights)
            data::grantRight(user, right);
        data::openSession(*m_academic, *m_cashBook, user, QStringLiteral("2009"), m_location);
    }
    data::Database db() const { return data::Database::named(QStringLiteral("Quorvel")); }
    void openForm()
    {
        m_form = std::make_unique<TfrmCCorrent>(*m_academic, [this](const QString &text) { m_status = text; });
        m_form->show();
    }
    template <class T = QLineEdit> T *find(const char *name)
    {
        T *widget = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }
    QString panel(int i) { return find<QLabel>(QStringLiteral("Panel%1").arg(i).toLatin1().constData())->text(); }
    int rows() { return find<QTableView>("DBGrid1")->model()->rowCount(); }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    std::unique_ptr<TfrmCCorrent> m_form;
    std::unique_ptr<core::Shell> m_previousShell;
    QString m_previousDir;
    QString m_location; // the school year: the folder, or a server year
    QString m_status;
};

void TfrmCCorrentTest::init()
{
    core::pinClock(QDateTime(QDate(2009, 3, 20), QTime(10, 0)));
    m_dir = std::make_unique<TempDir>();
    m_location = testengine::yearLocation(m_dir->path());
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_previousShell = core::setShell(std::make_unique<core::RecordingShell>());
    m_academic = std::make_unique<data::TDataModule1>();
    m_cashBook = std::make_unique<data::TdmTarnel>();
    logOn({QStringLiteral("Supervisor"), QStringLiteral("Carnes"), QStringLiteral("Alunos")});
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    for (const char *sql :
         {"insert into Tabturma (TURMA, DESCRICAO, Valor_Mensalidade) values ('1G1AM', '1º ANO A', 350)",
          "insert into ALUNOS (MATRICULA, NOME, TURMA, VENCIMENTO) values (100, 'ANA SILVA', '1G1AM', '10')",
          "insert into ALUNOS (MATRICULA, NOME, TURMA, VENCIMENTO) values (101, 'BRUNO LIMA', '1G1AM', '10')",
          "insert into Ccorrent (Matricula, NOME, TURMA, Tipo, ParcelaNum, ParcelaData, ParcelaValor, DescontoFixo, "
          "PgtoData, PgtoValor, STATUS2) values (100, 'ANA SILVA', '1G1AM', 'N', 2, '2009-02-10', 350, 35, "
          "'2009-02-09', 315, '2')",
          "insert into Ccorrent (Matricula, NOME, TURMA, Tipo, ParcelaNum, ParcelaData, ParcelaValor, DescontoFixo, "
          "STATUS2) values (100, 'ANA SILVA', '1G1AM', 'N', 3, '2009-03-10', 350, 35, '2')",
          "insert into Ccorrent (Matricula, NOME, TURMA, Tipo, ParcelaNum, ParcelaData, ParcelaValor, STATUS2) "
          "values (101, 'BRUNO LIMA', '1G1AM', '2', 1, '2009-02-15', 120.1, '0')"})
        db().exec(QString::fromUtf8(sql));
}

void TfrmCCorrentTest::cleanup()
{
    m_form.reset();
    QDir::setCurrent(m_previousDir);
    data::closeSession(*m_academic, *m_cashBook);
    m_cashBook.reset();
    m_academic.reset();
    testengine::dropServerYears();
    core::setShell(std::move(m_previousShell));
    m_dialogs.reset();
    m_dir.reset();
    core::pinClock(QDateTime());
}

void TfrmCCorrentTest::opensOnEveryRowWithTheirTotals()
{
    openForm();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Pagamentos"));
    QCOMPARE(find<QComboBox>("cbTipo")->currentText(), QStringLiteral("Todos"));
    QCOMPARE(find<QComboBox>("cbVisualizar")->currentText(), QStringLiteral("Todos"));
    QVERIFY(!find<QDateEdit>("dtpReferencia")->isEnabled());
    auto *grid = find<QTableView>("DBGrid1");
    QCOMPARE(grid->model()->columnCount(), 19);
    QCOMPARE(grid->model()->headerData(10, Qt::Horizontal).toString(), QStringLiteral("Vlr a pagar"));
    QCOMPARE(grid->model()->headerData(18, Qt::Horizontal).toString(), QStringLiteral("ST"));
    QCOMPARE(rows(), 3);
    QCOMPARE(m_status, QStringLiteral("Qtde de registros: 3"));
    QCOMPARE(panel(1), QStringLiteral("Mensalidades: 820,10"));
    QCOMPARE(panel(2), QStringLiteral("Desc.Fixo: 70,00"));
    QCOMPARE(panel(5), QStringLiteral("Vlr a Pagar 750,10"));
    QCOMPARE(panel(6), QStringLiteral("Valor Pago 315,00"));
    // Read-only and editable columns as the window lists them.
    QVERIFY(!(grid->model()->flags(grid->model()->index(0, 6)) & Qt::ItemIsEditable));
    QVERIFY(grid->model()->flags(grid->model()->index(0, 12)) & Qt::ItemIsEditable);
}

void TfrmCCorrentTest::viewsNarrowTheRowsAndTheTotalsFollow()
{
    openForm();
    find<QComboBox>("cbVisualizar")->setCurrentText(QStringLiteral("Apenas os NÃO Pagos"));
    QCOMPARE(rows(), 2);
    QCOMPARE(m_status, QStringLiteral("Qtde de registros: 2"));
    QCOMPARE(panel(1), QStringLiteral("Mensalidades: 470,10"));
    QCOMPARE(panel(6), QStringLiteral("Valor Pago 0,00"));

    find<QComboBox>("cbVisualizar")->setCurrentText(QStringLiteral("Apenas Vencimento no Mês"));
    QVERIFY(find<QDateEdit>("dtpReferencia")->isEnabled());
    QCOMPARE(rows(), 1); // March 2009

    find<QComboBox>("cbTipo")->setCurrentText(QStringLiteral("2-Livros"));
    QCOMPARE(find<QComboBox>("cbVisualizar")->currentText(), QStringLiteral("Todos"));
    QCOMPARE(rows(), 1);
    QCOMPARE(panel(1), QStringLiteral("Mensalidades: 120,10"));
}

void TfrmCCorrentTest::receivingALatePaymentChangesTheRowAndTheTotals()
{
    openForm();
    data::Table &charges = m_form->charges();
    QVERIFY(charges.locate(QStringLiteral("ParcelaNum"), {3}));
    whenModal<TfrmCalcular_Multa_juros>([](TfrmCalcular_Multa_juros *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("txtMulta"))->setText(QStringLiteral("2,0"));
        dialog->findChild<QPushButton *>(QStringLiteral("cmdCalcular"))->click();
        dialog->findChild<QPushButton *>(QStringLiteral("cmdSalvar"))->click();
    });
    find<QPushButton>("cmdReceber")->click();
    // 10 days late: 350 x (2 % + 9 x 0,03 %) = 7,95; the discount is not granted once late.
    QCOMPARE(db().scalar(QStringLiteral("select PgtoValor from Ccorrent where ParcelaNum = 3")).toDouble(), 357.95);
    QCOMPARE(panel(4), QStringLiteral("Acréscimos: 7,95"));
    QCOMPARE(panel(6), QStringLiteral("Valor Pago 672,95"));
}

void TfrmCCorrentTest::theGeneratorChoiceOpensTheMonthlyFees()
{
    openForm();
    QString title;
    whenModal<TfrmTipoCobranca>([&title](TfrmTipoCobranca *choice) {
        whenModal<TfrmCalcular>([&title](TfrmCalcular *generator) {
            title = generator->windowTitle();
            generator->findChild<QPushButton *>(QStringLiteral("cmdFechar"))->click();
        });
        choice->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    find<QPushButton>("cmdCobranca")->click();
    QCOMPARE(title, QStringLiteral("Gerar Mensalidades"));
    QCOMPARE(rows(), 3);
}

void TfrmCCorrentTest::deletingEverythingTakesTwoYeses()
{
    openForm();
    QVERIFY(find<QPushButton>("cmdApagar")->isVisible());
    (*m_dialogs)->answer(core::Button::Yes);
    (*m_dialogs)->answer(core::Button::No);
    find<QPushButton>("cmdApagar")->click();
    QCOMPARE(rows(), 3);
    QCOMPARE((*m_dialogs)->texts(),
             (QStringList{QStringLiteral("Confirma a exclusão de TODOS os registros de cobranças?"),
                          QStringLiteral("Última chance para retornar.Confirma a exclusão de TODOS os registros de cobranças?")}));
    QCOMPARE((*m_dialogs)->last().caption, QStringLiteral("Atenção!"));
    (*m_dialogs)->answer(core::Button::Yes);
    (*m_dialogs)->answer(core::Button::Yes);
    find<QPushButton>("cmdApagar")->click();
    QCOMPARE(rows(), 0);
    QCOMPARE(panel(1), QStringLiteral("Mensalidades: 0,00"));
}

void TfrmCCorrentTest::rightsDecideTheButtons()
{
    logOn({QStringLiteral("Carnes")});
    openForm();
    QVERIFY(!find<QPushButton>("cmdApagar")->isVisible());
    QVERIFY(find<QPushButton>("cmdReceber")->isEnabled());
    QVERIFY(find<QPushButton>("cmdImprimir")->isEnabled());
    // A paid row the supervisor saved is the supervisor's.
    QVERIFY(m_form->charges().locate(QStringLiteral("ParcelaNum"), {2}));
    find<QPushButton>("cmdReceber")->click();
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Este registro só pode ser modificado pelo Supervisor!"));
    m_form.reset();

    logOn({QStringLiteral("Alunos")});
    openForm();
    QVERIFY(!find<QPushButton>("cmdCobranca")->isEnabled());
    QVERIFY(!find<QPushButton>("cmdImprimir")->isEnabled());
    QVERIFY(!find<QPushButton>("cmdReceber")->isEnabled());
}

void TfrmCCorrentTest::exportWritesTheViewUnderItsName()
{
    openForm();
    find<QComboBox>("cbVisualizar")->setCurrentText(QStringLiteral("Apenas os NÃO Pagos"));
    find<QPushButton>("cmdExportar")->click();
    QFile file(m_dir->file(QStringLiteral("Tipo de Cobrança_Todos_Filtro_Apenas os NÃO Pagos.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QVERIFY(lines.at(0).startsWith(";;Lumesco"));
    QVERIFY(lines.at(1).startsWith("TURMA;MATRICULA;NOME;TIPO;PARCELANUM"));
    QCOMPARE(lines.size(), 5); // title, names, two rows and the last line's end
}

void TfrmCCorrentTest::closingReleasesOpenRowsAndClearsTheStatus()
{
    openForm();
    find<QPushButton>("cmdFechar")->click();
    QCOMPARE(db().scalar(QStringLiteral("select STATUS2 from Ccorrent where ParcelaNum = 3")).toString(),
             QStringLiteral("0"));
    QCOMPARE(db().scalar(QStringLiteral("select STATUS2 from Ccorrent where ParcelaNum = 2")).toString(),
             QStringLiteral("2"));
    QCOMPARE(m_status, QString());
    QVERIFY(!m_academic->tblCCorrent().isOpen());
}

void TfrmCCorrentTest::theNavigatorSearchesAndThePaidOnButtonReopensTheRow()
{
    openForm();
    QVERIFY(!find<QToolButton>("nbRefresh")->isVisible());
    auto *search = find<QToolButton>("nbSearch");
    QVERIFY(search->isVisible());
    data::Table &charges = m_form->charges();
    charges.first();
    (*m_dialogs)->answerText(QStringLiteral("bruno"));
    search->click();
    QCOMPARE(charges.asText("NOME"), QStringLiteral("BRUNO LIMA"));
    (*m_dialogs)->answerText(QStringLiteral("zeca"));
    search->click();
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Nenhum aluno encontrado com \"zeca\"."));
    QCOMPARE(charges.asText("NOME"), QStringLiteral("BRUNO LIMA"));

    // The paid February row of ANA: the cell's button clears the payment date, saved with the row.
    charges.first();
    while (!(charges.asText("NOME") == u"ANA SILVA" && !charges.isBlank("PgtoData")))
        charges.next();
    auto *grid = find<QTableView>("DBGrid1");
    const QModelIndex cell = grid->model()->index(charges.recNo(), 12);
    grid->setCurrentIndex(cell);
    const QRect rect = grid->visualRect(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 4, rect.center().y()));
    QVERIFY(charges.isEditing());
    QVERIFY(charges.isBlank("PgtoData"));
    charges.post();
    QCOMPARE(db().scalar(QStringLiteral("select count(*) from Ccorrent where PgtoData is null")).toInt(), 3);
}

QTEST_MAIN(TfrmCCorrentTest)
#include "TfrmCCorrentTest.moc"
