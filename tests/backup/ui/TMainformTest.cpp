#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "backup/forms/BackupCommands.h"
#include "backup/forms/DirectoryTree.h"
#include "backup/forms/TMainform.h"
#include "backup/forms/TfrmArquivosBackup.h"
#include "backup/forms/TfrmDestino.h"
#include "backup/forms/TfrmStatusBackup.h"
#include "backup/zip/ZipDirectory.h"
#include "core/Clock.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "core/TextFile.h"

#include "app/ui/ModalHelper.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTableView>
#include <QTest>

using namespace backup;

namespace {

// Calls `act` with every window of type W as it is shown, for as long as it lives. Unlike a
// poll for the active modal window, it cannot miss a window that closes by itself at once.
template <class W> class OnShow : public QObject
{
public:
    explicit OnShow(std::function<void(W *)> act) : m_act(std::move(act))
    {
        qApp->installEventFilter(this);
    }
    ~OnShow() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *window = qobject_cast<W *>(watched))
                m_act(window);
        return false;
    }

private:
    std::function<void(W *)> m_act;
};

} // namespace

// The backup screen driven by objectName, with its chooser, destination and status windows;
// message boxes and file choosers are scripted.
class TMainformTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithItsTitleSizeColumnsAndButtons();
    void aNewcomerTicksTheAutomaticBoxAndSaves();
    void theChooserAddsOnceSortsOnceAndCancellingMakesNoArchive();
    void cancellingFromTheStatusWindowLeavesNoArchive();
    void theGridSortsByValueAndRestoresTheSelectedRows();
    void theButtonEndsTheSessionAfterARestore();

private:
    template <typename T> T *child(QWidget *parent, const char *name)
    {
        T *widget = parent->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }
    void click(QWidget *parent, const char *name)
    {
        QWidget *widget = child<QWidget>(parent, name);
        // A check box takes clicks on its box and text only, not on the rest of its row.
        const QPoint at = qobject_cast<QCheckBox *>(widget) ? QPoint(6, widget->height() / 2)
                                                            : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    }
    BackupPlaces places() const
    {
        return {m_dir.file("Data"), m_dir.file("BACKUP"), m_dir.file("AJUDA"), "2025", "JOAO"};
    }
    QString backup(const QString &name) const { return QDir(m_dir.file("BACKUP")).filePath(name); }
    QStringList entryNames(const QString &archive) const
    {
        QStringList names;
        for (const ZipEntry &entry : readZipDirectory(archive))
            names.append(entry.name);
        return names;
    }

    TempDir m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    QString m_cwd;
};

void TMainformTest::init()
{
    m_cwd = QDir::currentPath();
    core::pinClock(QDateTime(QDate(2026, 1, 9), QTime(20, 25)));
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    QDir(m_dir.path()).mkpath("Data");
    QDir(m_dir.path()).mkpath("outro");
    m_dir.write("Data/Quorvel.ini", "[Geral]\r\n");
    m_dir.write("Data/alunos.txt", QByteArray("ANA;BRUNO\r\n").repeated(500));
    m_dir.write("Data/c.txt", "c");
}

void TMainformTest::cleanup()
{
    m_dialogs.reset();
    core::pinClock(QDateTime());
    QDir::setCurrent(m_cwd);
    for (const char *folder : {"BACKUP", "Data", "outro"})
        QDir(m_dir.file(folder)).removeRecursively();
}

void TMainformTest::opensWithItsTitleSizeColumnsAndButtons()
{
    TMainform form(places());
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Back-Ups dos arquivos do sistema (padrão zip files)"));
    QCOMPARE(form.size(), QSize(734, 534));
    QCOMPARE(child<QLabel>(&form, "lblArquivo")->text(), QStringLiteral("(nenhum)"));
    QCOMPARE(child<QLabel>(&form, "lblArquivos")->text(), QStringLiteral("0"));
    auto *grid = child<QTableView>(&form, "StringGrid1");
    const QStringList titles = {"Nome do arquivo ", "Comprimido para", "Tamanho  Normal", "Data/Hora"};
    const QList<int> widths = {290, 94, 94, 120};
    for (int column = 0; column < 4; ++column) {
        QCOMPARE(grid->model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
        QVERIFY(grid->columnWidth(column) >= widths[column]);
        QVERIFY2(grid->columnWidth(column) >= grid->horizontalHeader()->sectionSizeHint(column),
                 "the title is not cut off");
    }
    QCOMPARE(grid->columnWidth(0), 290);
    for (const auto &[name, caption] : {std::pair{"cmdNovo", "&Novo"}, {"cmdAbrir", "&Abrir "},
                                        {"cmdSalvar", "&Salvar"}, {"cmdRecuperar", "&Recuperar"},
                                        {"cmdFechar", "&Fechar"}})
        QCOMPARE(child<QPushButton>(&form, name)->text(), QString::fromUtf8(caption));
    QVERIFY(!child<QPushButton>(&form, "cmdSalvar")->isEnabled());
    QVERIFY(!child<QPushButton>(&form, "cmdRecuperar")->isEnabled());
    QCOMPARE(child<QCheckBox>(&form, "chkAutomatico")->text(),
             QStringLiteral("Execute o Back-Up Automático"));
    click(&form, "cmdFechar");
    QVERIFY(!form.isVisible());
    QVERIFY(!form.closedAsRestore());
}

void TMainformTest::aNewcomerTicksTheAutomaticBoxAndSaves()
{
    TMainform form(places());
    form.show();
    click(&form, "chkAutomatico");
    QCOMPARE((*m_dialogs)->last().caption, QStringLiteral("Back-Up automático"));
    QVERIFY(child<QPushButton>(&form, "cmdSalvar")->isEnabled());
    const QString archive = backup("20260109_2025_JOAO.Zip");
    QCOMPARE(child<QLabel>(&form, "lblArquivo")->text(), QDir::toNativeSeparators(archive));

    // The chooser picks every file and confirms by itself.
    QStringList windows;
    const OnShow<TfrmArquivosBackup> chooser(
        [&](TfrmArquivosBackup *w) { windows.append(w->windowTitle()); });
    QStringList memo;
    const OnShow<TfrmStatusBackup> status([&](TfrmStatusBackup *w) {
        windows.append(w->windowTitle());
        connect(w, &QDialog::finished, w, [&memo, w, this] {
            memo = child<QPlainTextEdit>(w, "Memo1")->toPlainText().split('\n');
        });
    });
    (*m_dialogs)->clear();
    click(&form, "cmdSalvar");
    QCOMPARE((*m_dialogs)->texts(),
             QStringList({"Certifique-se que não há acessos ao Banco de Dados neste momento!",
                          "3 arquivos foram copiados no Back-Up"}));
    QCOMPARE(entryNames(archive), QStringList({"alunos.txt", "c.txt", "Quorvel.ini"}));
    QCOMPARE(child<QLabel>(&form, "lblArquivos")->text(), QStringLiteral("3"));
    const QStringList log = core::readTextLines(backup("20260109_2025_JOAO.log")).value();
    QCOMPARE(log.first(), "Preparando arquivo... " + archive);
    QVERIFY(log.contains("  adicionando: c.txt"));
    QCOMPARE(windows, QStringList({"Criar arquivo de Back-Up", "Status do andamento do Back-Up"}));
    QCOMPARE(memo, log);
}

void TMainformTest::theChooserAddsOnceSortsOnceAndCancellingMakesNoArchive()
{
    TMainform form(places());
    form.show();
    (*m_dialogs)->answerFile(backup("manual"));
    click(&form, "cmdNovo");
    QCOMPARE(child<QLabel>(&form, "lblArquivo")->text(), QDir::toNativeSeparators(backup("manual.zip")));

    auto pick = [this](TfrmArquivosBackup *chooser, const QStringList &names) {
        auto *files = child<QListWidget>(chooser, "FileListBox1");
        QTRY_COMPARE(files->count(), 3);
        for (int row = 0; row < files->count(); ++row)
            files->item(row)->setSelected(names.contains(files->item(row)->text()));
        click(chooser, "cmdAdd");
    };
    whenModal<TfrmArquivosBackup>([&](TfrmArquivosBackup *chooser) {
        pick(chooser, {"c.txt"});
        click(chooser, "cmdCancelar");
    });
    click(&form, "cmdSalvar");
    QVERIFY(!QFileInfo::exists(backup("manual.zip")));

    whenModal<TfrmArquivosBackup>([&](TfrmArquivosBackup *chooser) {
        pick(chooser, {"c.txt"});
        pick(chooser, {"c.txt", "alunos.txt"});
        auto *list = child<QListWidget>(chooser, "lstArquivos");
        QCOMPARE(list->count(), 2);
        click(chooser, "cmdOrdenar");
        QCOMPARE(list->item(0)->text(), QDir::toNativeSeparators(m_dir.file("Data/alunos.txt")));
        QVERIFY(!child<QPushButton>(chooser, "cmdOrdenar")->isEnabled());
        list->item(1)->setSelected(true);
        click(chooser, "cmdRemover");
        QCOMPARE(list->count(), 1);
        child<QCheckBox>(chooser, "chkDirNames")->setChecked(false);
        click(chooser, "cmdAddToZip");
    });
    click(&form, "cmdSalvar");
    QCOMPARE(entryNames(backup("manual.zip")), QStringList({"alunos.txt"}));
}

void TMainformTest::cancellingFromTheStatusWindowLeavesNoArchive()
{
    QByteArray big(12'000'000, Qt::Uninitialized);
    QRandomGenerator(5).fillRange(reinterpret_cast<quint32 *>(big.data()), big.size() / 4);
    m_dir.write("Data/grande.bin", big);
    TMainform form(places());
    form.show();
    click(&form, "chkAutomatico");
    QString buttonBefore;
    QString buttonAfter;
    const OnShow<TfrmStatusBackup> status([&](TfrmStatusBackup *w) {
        auto *button = child<QPushButton>(w, "cmdCancelar");
        buttonBefore = button->text();
        // Pressed while the engine works: the window lets the click through.
        QTimer::singleShot(0, w, [this, w] { click(w, "cmdCancelar"); });
        connect(w, &QDialog::finished, w, [&buttonAfter, button] { buttonAfter = button->text(); });
    });
    click(&form, "cmdSalvar");
    QVERIFY(!QFileInfo::exists(backup("20260109_2025_JOAO.Zip")));
    QCOMPARE((*m_dialogs)->texts().last(), QStringLiteral("0 arquivos foram copiados no Back-Up"));
    const QStringList log = core::readTextLines(backup("20260109_2025_JOAO.log")).value();
    QCOMPARE(log.last(), QStringLiteral("Operação cancelada: nenhum arquivo foi gravado."));
    QCOMPARE(buttonBefore, QStringLiteral("&Cancelar Operação"));
    QCOMPARE(buttonAfter, QStringLiteral("&Fechar"));
}

void TMainformTest::theGridSortsByValueAndRestoresTheSelectedRows()
{
    m_dir.write("Data/medio.txt", QByteArray(20, 'm'));
    {
        TMainform maker(places());
        maker.show();
        click(&maker, "chkAutomatico");
        click(&maker, "cmdSalvar");
    }
    TMainform form(places());
    form.show();
    (*m_dialogs)->answerFile(backup("20260109_2025_JOAO.Zip"));
    click(&form, "cmdAbrir");
    QVERIFY(child<QPushButton>(&form, "cmdRecuperar")->isEnabled());
    QVERIFY(!child<QPushButton>(&form, "cmdSalvar")->isEnabled());
    auto *grid = child<QTableView>(&form, "StringGrid1");
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->model()->index(0, 3).data().toString(),
             QFileInfo(m_dir.file("Data/alunos.txt")).lastModified().toString("dd/MM/yyyy  hh:mm"));
    // "Tamanho  Normal": 1, 9, 20, 5500 by value, not as text.
    QHeaderView *header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 10, header->height() / 2));
    QStringList sizes;
    for (int row = 0; row < 4; ++row)
        sizes.append(grid->model()->index(row, 2).data().toString());
    QCOMPARE(sizes, QStringList({"1", "9", "20", "5500"}));

    grid->selectRow(0);
    whenModal<TfrmDestino>([&](TfrmDestino *destination) {
        QCOMPARE(destination->windowTitle(), QStringLiteral("Confirme o diretório de destino"));
        QVERIFY(child<QRadioButton>(destination, "rbExpandirNao")->isChecked());
        QVERIFY(child<QRadioButton>(destination, "rbSobrescreverSim")->isChecked());
        QVERIFY(child<QRadioButton>(destination, "rbTodos")->isChecked());
        child<DirectoryTree>(destination, "DirectoryListBox1")
            ->showFolder(QDir::rootPath(), m_dir.file("outro"));
        child<QRadioButton>(destination, "rbSelecionados")->setChecked(true);
        click(destination, "cmdOk");
    });
    (*m_dialogs)->clear();
    click(&form, "cmdRecuperar");
    QCOMPARE((*m_dialogs)->texts().last(), QStringLiteral("1 arquivos foram recuperados"));
    QCOMPARE(QDir(m_dir.file("outro")).entryList(QDir::Files), QStringList({"c.txt"}));
    QVERIFY(form.closedAsRestore());
    QVERIFY(!form.isVisible());
}

namespace {

class RecordingHost : public app::CommandHost
{
public:
    void setCommand(const QString &, std::function<void()>) override {}
    void setMenuForm(const QString &, app::ModuleLauncher::OpenForm) override {}
    void setModuleForm(app::Module module, app::ModuleLauncher::OpenForm openForm) override
    {
        if (module == app::Module::Backup)
            backupForm = std::move(openForm);
    }
    app::ModuleLauncher::OpenForm backupForm;
};

} // namespace

void TMainformTest::theButtonEndsTheSessionAfterARestore()
{
    core::session().userName = "JOAO";
    core::session().schoolYear = "2025";
    core::session().dataDir = m_dir.file("Data");
    core::programDirs().backup = m_dir.file("BACKUP");
    int logOffs = 0;
    RecordingHost host;
    backup::installCommands(host, {nullptr, nullptr, nullptr, [&logOffs] { ++logOffs; }});
    QVERIFY(host.backupForm);
    app::ModuleLauncher launcher(m_dir.path(), {[](bool) {}, [](bool) {}});

    whenModal<TMainform>([this](TMainform *form) { click(form, "cmdFechar"); });
    launcher.startModule(app::Module::Backup, host.backupForm);
    QCOMPARE(logOffs, 0);

    // "&Recuperar" on an archive, then "Cancelar" to the question: the session ends anyway.
    m_dir.write("BACKUP/x.zip", QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    (*m_dialogs)->answerFile(backup("x.zip"));
    whenModal<TMainform>([this](TMainform *form) {
        QCOMPARE(child<QLabel>(form, "lblArquivo")->text(), QStringLiteral("(nenhum)"));
        click(form, "cmdAbrir");
        (*m_dialogs)->answer(core::Button::Cancel);
        click(form, "cmdRecuperar");
    });
    launcher.startModule(app::Module::Backup, host.backupForm);
    QCOMPARE((*m_dialogs)->last().text,
             QStringLiteral("Esta sessão será fechada para garantir a integridade da cópia recuperada."));
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Information);
    QCOMPARE(logOffs, 1);
    QCOMPARE(QDir::currentPath(), QDir(m_dir.path()).absolutePath());
    core::session().clearUser();
}

QTEST_MAIN(TMainformTest)
#include "TMainformTest.moc"
