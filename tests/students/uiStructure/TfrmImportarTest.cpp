#include "StructureSchool.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "app/ui/ModalHelper.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/NetworkRefresh.h"
#include "data/settings/Settings.h"
#include "data/store/Table.h"
#include "students/forms/StructureCommands.h"
#include "students/forms/TfrmImportar.h"
#include "students/forms/TfrmTabAux.h"

#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

using students::TfrmImportar;

namespace {

// Keeps the commands a subsystem installs, to run them as the main window would.
class RecordingHost : public app::CommandHost
{
public:
    void setCommand(const QString &, std::function<void()>) override {}
    void setMenuForm(const QString &objectName, app::ModuleLauncher::OpenForm openForm) override
    {
        m_forms.insert(objectName, std::move(openForm));
    }
    void setModuleForm(app::Module module, app::ModuleLauncher::OpenForm openForm) override
    {
        m_forms.insert(QStringLiteral("module%1").arg(int(module)), std::move(openForm));
    }
    void run(const QString &name)
    {
        app::ModuleLauncher launcher(QDir::currentPath(), {[](bool) {}, [](bool) {}});
        launcher.runCommand(m_forms.value(name));
    }

    QHash<QString, app::ModuleLauncher::OpenForm> m_forms;
};

} // namespace

class TfrmImportarTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<StructureSchool> m_school;
    QString m_lastYear;

    template<class W> static W *child(const QWidget &form, const char *name)
    {
        return form.findChild<W *>(QString::fromLatin1(name));
    }

private slots:
    void init()
    {
        m_school = std::make_unique<StructureSchool>();
        // Last year beside this one: a folder beside its folder, or a year of the same server.
        m_lastYear = testengine::yearLocation(m_school->m_dir.file(QStringLiteral("2008")));
        const data::Database lastYear = data::createSchoolYear(m_lastYear, QStringLiteral("2008"));
        lastYear.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1AM'), "
                                     "(2, 'BIA', 'JD2A'), (3, 'CAIO', '2G3N')"));
    }
    void cleanup() { m_school.reset(); }

    void refusesWhatIsNotAStudentTable()
    {
        TfrmImportar form(m_school->db());
        form.show();
        // A folder's last year is picked as a folder; a server year's on the server too.
        QCOMPARE(bool(child<QPushButton>(form, "cmdServidor")), testengine::onServer());
        QVERIFY(!form.openSource(m_school->m_dir.file(QStringLiteral("nada.db"))));
        QCOMPARE(m_school->m_dialogs->last().text, QStringLiteral("Erro ao tentar abrir a tabela. Verifique se\reste é um "
                                                                  "arquivo válido ou se já não está sendo usado."));
        QCOMPARE(m_school->m_dialogs->last().caption, QStringLiteral("Erro na Importação"));
        // This very year is refused for what it is.
        QVERIFY(!form.openSource(m_school->m_year));
        QCOMPARE(m_school->m_dialogs->last().text, QStringLiteral("O cadastro de alunos não pode ser importado dele mesmo."));
        QVERIFY(!child<QPushButton>(form, "cmdIniciar")->isEnabled());
    }

    void theBoxesExcludeEachOtherAndFollowTheChoice()
    {
        TfrmImportar form(m_school->db());
        form.show();
        auto *migrate = child<QCheckBox>(form, "chkMigrar");
        auto *adapted = child<QCheckBox>(form, "chkAdaptados");
        migrate->click();
        adapted->click();
        QVERIFY(!migrate->isChecked());
        QVERIFY(adapted->isChecked());
        child<QRadioButton>(form, "rbNaoAtualizar")->click();
        QVERIFY(!adapted->isChecked());
        QVERIFY(!migrate->isEnabled() && !adapted->isEnabled());
        child<QRadioButton>(form, "rbAtualizar")->click();
        QVERIFY(migrate->isEnabled() && adapted->isEnabled());
    }

    void importsLastYearsFolderWithMigration()
    {
        TfrmImportar form(m_school->db());
        form.show();
        // Picked as the office picks it: the folder beside this year's, or the address of a year
        // of the same server.
        if (testengine::onServer()) {
            m_school->m_dialogs->answerText(m_lastYear);
            QTest::mouseClick(child<QPushButton>(form, "cmdServidor"), Qt::LeftButton);
            QCOMPARE(m_school->m_dialogs->last().kind, QStringLiteral("text"));
            QCOMPARE(m_school->m_dialogs->last().caption, QStringLiteral("Ano letivo no servidor"));
        } else {
            m_school->m_dialogs->answerFile(m_lastYear);
            QTest::mouseClick(child<QPushButton>(form, "cmdPasta"), Qt::LeftButton);
            QCOMPARE(m_school->m_dialogs->last().kind, QStringLiteral("directory"));
            QCOMPARE(QDir(m_school->m_dialogs->last().text), QDir(m_school->m_dir.path()));
        }
        m_school->m_dialogs->clear();
        QVERIFY(child<QLabel>(form, "lblCertifique")->isVisible());
        QCOMPARE(child<QTableView>(form, "grdOrigem")->model()->rowCount(), 3);
        child<QCheckBox>(form, "chkMigrar")->click();
        QTest::mouseClick(child<QPushButton>(form, "cmdIniciar"), Qt::LeftButton);

        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(m_school->db().scalar(QStringLiteral("select group_concat(TURMA, ' ') from (select TURMA from ALUNOS "
                                                      "order by MATRICULA)")).toString(),
                 QStringLiteral("1G3AM 1G1A 2G3N"));
        QCOMPARE(m_school->count(QStringLiteral("select count(*) from NOTAS")), 0);
        const QStringList texts = m_school->m_dialogs->texts();
        QCOMPARE(texts.size(), 9);
        QCOMPARE(texts.last(), QStringLiteral("Processo de Importação Concluído."));
    }

    void theMenuCommandRefusesAsksAndHoldsTheRefresh()
    {
        RecordingHost host;
        app::ModuleServices services{nullptr, m_school->m_academic.get(), m_school->m_cashBook.get()};
        students::installStructureCommands(host, services);
        data::NetworkRefresh &refresh = m_school->m_academic->refresher();

        m_school->m_academic->tblAlunos().open();
        host.run(QStringLiteral("mnuImportarAlunos"));
        QCOMPARE(m_school->m_dialogs->last().text, QStringLiteral("Esta operação não pode ser realizada\rse algum "
                                                                  "módulo estiver sendo usado.\rFeche-o, e tente novamente."));
        m_school->m_academic->tblAlunos().close();

        m_school->m_dialogs->clear();
        host.run(QStringLiteral("mnuImportarAlunos"));
        QCOMPARE(m_school->m_dialogs->shown().size(), 1);
        QCOMPARE(m_school->m_dialogs->last().buttons, core::Button::Yes | core::Button::No);

        bool opened = false;
        bool paused = false;
        m_school->m_dialogs->answer(core::Button::Yes);
        whenModal<TfrmImportar>([&](TfrmImportar *form) {
            opened = true;
            paused = refresh.isPaused();
            form->reject();
        });
        host.run(QStringLiteral("mnuImportarAlunos"));
        QVERIFY(opened);
        QVERIFY(paused);
        QVERIFY(!refresh.isPaused());
    }

    void theTablesButtonOpensTheWindowWithTheStaffTerm()
    {
        RecordingHost host;
        app::ModuleServices services{nullptr, m_school->m_academic.get(), m_school->m_cashBook.get()};
        students::installStructureCommands(host, services);
        data::settings().Termo_Func = QStringLiteral("Colaboradores");
        QString staffTab;
        whenModal<students::TfrmTabAux>([&](students::TfrmTabAux *form) {
            staffTab = form->pages()->tabText(3);
            form->accept();
        });
        host.run(QStringLiteral("module%1").arg(int(app::Module::Tabelas)));
        QCOMPARE(staffTab, QStringLiteral("&Colaboradores"));
        QVERIFY(!m_school->m_academic->tblDiscpl().isOpen());
    }
};

QTEST_MAIN(TfrmImportarTest)
#include "TfrmImportarTest.moc"
