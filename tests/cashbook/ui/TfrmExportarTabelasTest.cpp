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
};

QTEST_MAIN(TfrmExportarTabelasTest)
#include "TfrmExportarTabelasTest.moc"
