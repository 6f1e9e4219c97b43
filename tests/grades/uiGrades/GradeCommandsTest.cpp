// The grade tables' menu entries and their windows.

#include "GradeUiSchool.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/ui/ModalHelper.h"
#include "grades/forms/GradeCommands.h"
#include "grades/forms/TfrmCorrigeTabNotas.h"
#include "grades/forms/TfrmCriarOrdem.h"
#include "grades/forms/TfrmGerarNotas.h"
#include "grades/forms/TfrmImportarNotas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

class RecordingHost : public app::CommandHost
{
public:
    void setCommand(const QString &, std::function<void()>) override {}
    void setMenuForm(const QString &objectName, app::ModuleLauncher::OpenForm openForm) override
    {
        menuForms.insert(objectName, std::move(openForm));
    }
    void setModuleForm(app::Module, app::ModuleLauncher::OpenForm) override {}
    QHash<QString, app::ModuleLauncher::OpenForm> menuForms;
};

template<class W> W *child(QWidget *form, const char *name)
{
    W *widget = form->findChild<W *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no %s", name);
    return widget;
}

} // namespace

class GradeCommandsTest : public QObject
{
    Q_OBJECT

private:
    void run(const char *menu) { m_launcher->runCommand(m_host.menuForms.value(QString::fromLatin1(menu))); }
    int rows(const char *table) const
    {
        return m_school->scalar(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))).toInt();
    }
    ScriptedDialogs &dialogs() const { return *m_school->m_dialogs; }

    std::unique_ptr<GradeUiSchool> m_school;
    std::unique_ptr<app::ModuleLauncher> m_launcher;
    RecordingHost m_host;

private slots:
    void init()
    {
        m_school = std::make_unique<GradeUiSchool>();
        m_host.menuForms.clear();
        grades::installCommands(m_host, {nullptr, m_school->m_academic.get(), m_school->m_cashBook.get(), {}});
        m_launcher = std::make_unique<app::ModuleLauncher>(m_school->m_dir.path(),
                                                           app::ModuleLauncher::Host{[](bool) {}, [](bool) {}});
    }
    void cleanup()
    {
        m_launcher.reset();
        m_school.reset();
    }

    void everyEntryIsRefusedWhileAModuleHoldsTheTables()
    {
        QCOMPARE(m_host.menuForms.size(), 6);
        m_school->m_academic->tblTabTurma().open();
        run("mnuGerarNotas");
        run("mnuCriarNumOrdem");
        QCOMPARE(dialogs().shown().size(), 2);
        QCOMPARE(dialogs().last().text, QStringLiteral("Esta operação não pode ser realizada\nse algum módulo estiver sendo "
                                                       "usado.\nFeche-o, e tente novamente."));
        run("mnuImportarNotas");
        QCOMPARE(dialogs().last().text, QStringLiteral("Esta operação não pode ser realizada\nse algum usuário estiver com "
                                                       "outros módulos abertos.\nFeche os usuários, e tente novamente."));
        m_school->m_academic->tblTabTurma().close();
    }

    void generationKeepsOrReplacesAfterItsQuestion()
    {
        m_school->db().exec(QStringLiteral("update NotasUni1 set NOTA1 = 8 where MATRICULA = 1"));
        m_school->db().exec(QStringLiteral("delete from NOTAS where MATRICULA = 2"));
        whenModal<TfrmGerarNotas>([](TfrmGerarNotas *form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Gerar tabela de Notas"));
            QVERIFY(child<QCheckBox>(form, "chkManter")->isChecked());
            QCOMPARE(child<QLabel>(form, "lblTotal")->text(), QStringLiteral("Registros de notas por aluno e disciplina: 6"));
            child<QPushButton>(form, "cmdIniciar")->click();
        });
        run("mnuGerarNotas");
        QCOMPARE(rows("NOTAS"), 6);
        QCOMPARE(m_school->scalar(QStringLiteral("select count(NOTA1) from NotasUni1")).toInt(), 2);

        // Replacing asks first; "No" leaves everything.
        dialogs().answer(core::Button::No);
        whenModal<TfrmGerarNotas>([](TfrmGerarNotas *form) {
            child<QCheckBox>(form, "chkManter")->setChecked(false);
            child<QPushButton>(form, "cmdIniciar")->click();
            form->reject();
        });
        run("mnuGerarNotas");
        QVERIFY(dialogs().last().text.startsWith(QStringLiteral("Este procedimento irá apagar todos os registros\nda tabela de Notas")));
        QCOMPARE(m_school->scalar(QStringLiteral("select count(NOTA1) from NotasUni1")).toInt(), 2);

        dialogs().answer(core::Button::Yes);
        whenModal<TfrmGerarNotas>([](TfrmGerarNotas *form) {
            child<QCheckBox>(form, "chkManter")->setChecked(false);
            child<QPushButton>(form, "cmdIniciar")->click();
        });
        run("mnuGerarNotas");
        QCOMPARE(rows("NotasUni1"), 6);
        QCOMPARE(m_school->scalar(QStringLiteral("select count(NOTA1) from NotasUni1")).toInt(), 0);
    }

    void rollNumbersByName()
    {
        whenModal<TfrmCriarOrdem>([](TfrmCriarOrdem *form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Criar nº de Ordem"));
            QVERIFY(child<QLabel>(form, "lblExplicacao")->text().startsWith(QStringLiteral("Use este módulo para gerar nº de ordem")));
            child<QPushButton>(form, "cmdIniciar")->click();
        });
        run("mnuCriarNumOrdem");
        QCOMPARE(m_school->scalar(QStringLiteral("select group_concat(ESP, ',') from (select ESP from ALUNOS order by NOME)")).toString(),
                 QStringLiteral("1,2,3"));
        QCOMPARE(m_school->scalar(QStringLiteral("select Esp from NotasUni4 where MATRICULA = 2 and DISC = '01'")).toInt(), 1);
    }

    void importAsksShowsTheSourceAndCopiesTheMarks()
    {
        TempDir otherYear;
        {
            const data::Database other = data::Database::open(otherYear.path());
            other.createTable(m_school->db().layout(QStringLiteral("NotasUni3")));
            other.exec(QStringLiteral("insert into NotasUni3 (MATRICULA, DISC, TURMA, UNIDADE, NOTA1, NOTA2) "
                                      "values (2, '01', '1G1A', '3', 9.0, 8.0)"));
        }
        dialogs().answer(core::Button::No);
        run("mnuImportarNotas");
        QCOMPARE(dialogs().last().text, QStringLiteral("Este procedimento irá apagar todos os registros\nda Tabela de Notas e os "
                                                       "importará de outro arquivo.\nDesejar continuar?"));

        dialogs().answer(core::Button::Yes);
        dialogs().answerFile(otherYear.file(QStringLiteral("Lumesco.db")));
        whenModal<TfrmImportarNotas>([](TfrmImportarNotas *form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Importar Valores para tabela de Notas"));
            QVERIFY(!child<QPushButton>(form, "cmdIniciar")->isEnabled());
            child<QComboBox>(form, "cboUnidade")->setCurrentIndex(2);
            child<QPushButton>(form, "cmdProcurar")->click();
            QCOMPARE(child<QLabel>(form, "lblAviso")->text(),
                     QStringLiteral(" Certifique-se se os dados abaixo pertecem a Tabela de Notas, e clique Iniciar  "));
            QCOMPARE(child<QTableView>(form, "DBGrid1")->model()->rowCount(), 1);
            child<QPushButton>(form, "cmdIniciar")->click();
        });
        run("mnuImportarNotas");
        QCOMPARE(m_school->scalar(QStringLiteral("select MEDIA from NotasUni3 where MATRICULA = 2 and DISC = '01'")).toDouble(), 8.5);
        QCOMPARE(m_school->scalar(QStringLiteral("select UND3 from NOTAS where MATRICULA = 2 and DISC = '01'")).toDouble(), 8.5);

        // A file that is no table.
        TfrmImportarNotas form(m_school->db());
        QVERIFY(!form.showSource(m_school->m_dir.write(QStringLiteral("lixo.dbf"), "not a table")));
        QCOMPARE(dialogs().last().caption, QStringLiteral("Erro na Importação"));
    }

    void theRepairWindowLogsEveryStep()
    {
        m_school->db().exec(QStringLiteral("delete from NotasUni4 where MATRICULA = 3"));
        TfrmCorrigeTabNotas form(m_school->db(), 3);
        QVERIFY(child<QRadioButton>(&form, "rbAdicionar")->isChecked());
        child<QPushButton>(&form, "cmdIniciar")->click();
        const QStringList log = child<QPlainTextEdit>(&form, "memStatus")->toPlainText().split(u'\n');
        QCOMPARE(log.first(), QStringLiteral("Verificando Tabela de Disciplinas para"));
        QVERIFY(log.contains(QStringLiteral("Será necessário criar 2 entradas na tabela NOTASUNI4.DB")));
        QCOMPARE(rows("NotasUni4"), 6);

        // Redoing asks first.
        dialogs().answer(core::Button::No);
        child<QRadioButton>(&form, "rbRefazer")->setChecked(true);
        child<QPushButton>(&form, "cmdIniciar")->click();
        QVERIFY(dialogs().last().text.startsWith(QStringLiteral("Você optou por apagar os registros já\nexistentes")));
        QCOMPARE(child<QPlainTextEdit>(&form, "memStatus")->toPlainText().split(u'\n'), log);
        dialogs().answer(core::Button::Yes);
        child<QPushButton>(&form, "cmdIniciar")->click();
        QCOMPARE(child<QPlainTextEdit>(&form, "memStatus")->toPlainText().split(u'\n').first(),
                 QStringLiteral("-> Deletando registros de Notas.db"));
    }
};

QTEST_MAIN(GradeCommandsTest)
#include "GradeCommandsTest.moc"
