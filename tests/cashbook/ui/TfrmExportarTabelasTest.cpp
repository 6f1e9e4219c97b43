#include "cashbook/forms/TfrmExportarTabelas.h"

#include "app/ui/ModalHelper.h"
#include "cashbook/forms/TfrmPeriodoImpressao.h"
#include "core/Clock.h"
#include "core/Shell.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/Query.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace cashbook;

class TfrmExportarTabelasTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_dir;
    QString m_previousDir;
    core::RecordingShell *m_shell = nullptr;
    std::unique_ptr<core::Shell> m_previousShell;

    template <typename T> static T *find(const QWidget &parent, const char *name)
    {
        T *widget = parent.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }
    static int rows(const TfrmExportarTabelas &form) { return find<QTableView>(form, "DBGrid1")->model()->rowCount(); }

private slots:
    void init()
    {
        core::pinClock(QDateTime(QDate(2009, 3, 5), QTime(10, 0)));
        m_dir = std::make_unique<TempDir>();
        const QString year = testengine::yearLocation(m_dir->file(QStringLiteral("2009")));
        const data::Database db = data::createSchoolYear(year, QStringLiteral("2009"));
        data::Database::defineName(QString::fromLatin1(data::kMainDatabaseName), year);
        db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values ('1G1A', '1ª SÉRIE A')"));
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1A'), (2, 'BIA', '1G1A')"));
        db.exec(QStringLiteral("insert into MovFin (CodMovFin_MovFin, CodGrupo_MovFin, CodGrupo_Grupo, CodConta_MovFin, "
                               "Data_MovFin, Valor_MovFin) values (1, '0', 1, 1, '2009-03-02', 10), "
                               "(2, '1', 1, 1, '2009-04-02', 20)"));
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
        auto shell = std::make_unique<core::RecordingShell>();
        m_shell = shell.get();
        m_previousShell = core::setShell(std::move(shell));
    }
    void cleanup()
    {
        core::setShell(std::move(m_previousShell));
        QDir::setCurrent(m_previousDir);
        data::Database::closeAll();
        testengine::dropServerYears();
        m_dir.reset();
        core::pinClock({});
    }

    void showsTheStudentsThenTheChosenEntryAndWritesIt()
    {
        ScriptedDialogs::Guard dialogs;
        TfrmExportarTabelas form;
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Exportar Tabelas para formato Texto"));
        QCOMPARE(find<QLabel>(form, "lblDefina")->text(), QStringLiteral("Defina o relatório que deseja exportar:"));
        auto *entries = find<QListWidget>(form, "lstRelatorios");
        QCOMPARE(entries->count(), 4);
        QCOMPARE(entries->item(2)->text(), QStringLiteral("03-MOVIMENTAÇÃO FINANCEIRA "));
        QVERIFY(form.rows().hasField(QStringLiteral("TURMA_DESC")));
        QCOMPARE(rows(form), 2);
        auto *exportButton = find<QPushButton>(form, "cmdExportar");
        QCOMPARE(exportButton->toolTip(), QStringLiteral("Exportar para Planilha"));
        QVERIFY(!exportButton->isEnabled()); // nothing chosen yet

        // The movements ask for the period first; a cancelled period loads nothing.
        whenModal<TfrmPeriodoImpressao>([](TfrmPeriodoImpressao *dialog) { dialog->reject(); });
        entries->setCurrentRow(2);
        QCOMPARE(rows(form), 0);
        QVERIFY(!exportButton->isEnabled());

        // No order check here: the export takes any period the dates make.
        whenModal<TfrmPeriodoImpressao>([](TfrmPeriodoImpressao *dialog) {
            QCOMPARE(dialog->mode(), PeriodMode::Exportacao);
            find<QDateEdit>(*dialog, "txtDataIni")->setDate(QDate(2009, 3, 1));
            find<QDateEdit>(*dialog, "txtDataFim")->setDate(QDate(2009, 3, 31));
            QTest::mouseClick(find<QPushButton>(*dialog, "OKBtn"), Qt::LeftButton);
        });
        entries->setCurrentRow(1);
        entries->setCurrentRow(2);
        QCOMPARE(rows(form), 1);
        QTest::mouseClick(exportButton, Qt::LeftButton);
        const QString path = m_dir->file(QStringLiteral("03-MOVIMENTAÇÃO FINANCEIRA .csv"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(m_shell->opened(), QStringList{path});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readLine().startsWith("TIPO;GRUPO;GRUPO_DESC;CONTA;"));

        // The fourth entry is offered and loads nothing.
        entries->setCurrentRow(3);
        QCOMPARE(rows(form), 0);
        QVERIFY(!exportButton->isEnabled());
        QVERIFY(dialogs->shown().isEmpty());
    }

    void theChargesListEachStudentsInstalmentsInOrder()
    {
        // Two students of one name, the second one's rows typed first; a payment received
        // afterwards (a server keeps a changed row at the end of its table).
        const data::Database db = data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
        db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (3, 'ANA', '1G1A')"));
        const QString insert = QStringLiteral(
            "insert into Ccorrent (Matricula, NOME, TURMA, Tipo, ParcelaNum, ParcelaData, ParcelaValor) "
            "values (:m, :n, '1G1A', :t, :p, :d, 100)");
        const auto add = [&](int student, const char *name, const char *kind, int instalment, const QDate &due) {
            db.exec(insert, {{QStringLiteral("m"), student}, {QStringLiteral("n"), QString::fromLatin1(name)},
                             {QStringLiteral("t"), QString::fromLatin1(kind)}, {QStringLiteral("p"), instalment},
                             {QStringLiteral("d"), due}});
        };
        add(3, "ANA", "N", 1, QDate(2009, 1, 10));
        add(2, "BIA", "N", 1, QDate(2009, 1, 10));
        add(1, "ANA", "N", 1, QDate(2009, 1, 10));
        add(1, "ANA", "2", 1, QDate(2009, 2, 10));
        add(1, "ANA", "N", 2, QDate(2009, 2, 10));
        add(1, "ANA", "N", 3, QDate(2009, 3, 10));
        db.exec(QStringLiteral("update Ccorrent set PgtoData = '2009-01-09', PgtoValor = 100 "
                               "where Matricula = 1 and ParcelaNum = 1 and Tipo = 'N'"));

        ScriptedDialogs::Guard dialogs;
        TfrmExportarTabelas form;
        form.show();
        find<QListWidget>(form, "lstRelatorios")->setCurrentRow(1);
        const data::Query &rows = form.rows();
        const auto at = [&rows](int row, const char *field) { return rows.valueAt(row, rows.fieldIndex(field)).toString(); };
        QStringList listed; // student/kind/instalment, as the grid shows them
        for (int row = 0; row < find<QTableView>(form, "DBGrid1")->model()->rowCount(); ++row)
            listed += at(row, "Matricula") + u'/' + at(row, "Tipo") + u'/' + at(row, "ParcelaNum");
        QCOMPARE(listed, (QStringList{QStringLiteral("1/N/1"), QStringLiteral("1/2/1"), QStringLiteral("1/N/2"),
                                      QStringLiteral("1/N/3"), QStringLiteral("3/N/1"), QStringLiteral("2/N/1")}));
    }
};

QTEST_MAIN(TfrmExportarTabelasTest)
#include "TfrmExportarTabelasTest.moc"
