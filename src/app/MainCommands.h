#pragma once

#include <QList>
#include <QString>

namespace core {
struct Session;
}

// What the main window offers: every menu entry and button, the session state that allows
// each, and the captions that depend on the session or the settings. The window builds itself
// from these tables; nothing here needs a widget.
namespace app {

// Who may use an entry once it has a command behind it.
enum class Access
{
    Always,
    Session, // anyone logged on
    Supervisor,
    CarnesOrSupervisor,
    Alunos,
    TabelasOrNotas,
    Backup,
    Carnes,
    CaixaOrSupervisor,
    Never, // stays disabled
};

bool allows(Access access, const core::Session &session);

enum class EntryKind
{
    Menu,
    Command,
    CheckCommand
};

struct MenuEntry
{
    QString objectName;
    QString caption;
    QString parent; // objectName of the menu holding it; empty for the menu bar
    EntryKind kind = EntryKind::Command;
    Access access = Access::Always;
    bool separatorBefore = false;
    bool hidden = false;
};

// The main menu in display order, parents before their entries.
const QList<MenuEntry> &mainMenuEntries();

// Where an entry sits, as a person reads it: "Relatórios > i. Turmas e Valor da Mensalidade"
// (accelerator marks dropped). Empty for an unknown entry.
QString menuPath(const QString &objectName);

struct ButtonEntry
{
    QString objectName;
    QString caption;
    QString hint;
    QString picture; // base name of the pictures: <picture>_on, <picture>_off
    Access access = Access::Always;
};

// The left button bar, top to bottom.
const QList<ButtonEntry> &buttonBarEntries();

// Entries served by the main window itself.
namespace entry {
inline const QString Sair = QStringLiteral("mnuSair");
inline const QString LogOnOff = QStringLiteral("mnuLogOnOff");
inline const QString AmbienteRede = QStringLiteral("mnuAmbienteRede");
inline const QString Topicos = QStringLiteral("mnuTopicos");
inline const QString Sobre = QStringLiteral("mnuSobre");
inline const QString FichaFuncionario = QStringLiteral("mnuFichaFuncionario");
inline const QString FuncAniversariantes = QStringLiteral("mnuFuncAniversariantes");
inline const QString Relatorios = QStringLiteral("mnuRelatorios");
inline const QString Utilitarios = QStringLiteral("mnuUtilitarios");
inline const QString Preferencias = QStringLiteral("mnuPreferencias");
inline const QString CadastroUsuarios = QStringLiteral("mnuCadastroUsuarios");
} // namespace entry

namespace button {
inline const QString Alunos = QStringLiteral("cmdAlunos");
inline const QString Boleto = QStringLiteral("cmdBoleto");
inline const QString Tabelas = QStringLiteral("cmdTabelas");
inline const QString Caixa = QStringLiteral("cmdCaixa");
inline const QString Backup = QStringLiteral("cmdBackup");
inline const QString Logon = QStringLiteral("cmdLogon");
inline const QString Sair = QStringLiteral("ExplorerButton6");
} // namespace button

// Main window caption: the application title, then who is working on which year.
QString mainCaption(const core::Session &session, const QString &schoolName);
QString logOnButtonCaption(bool sessionOpen);

QString defaultStaffTerm();

struct StaffCaptions
{
    QString record;    // "&y. Ficha de " + term
    QString birthdays; // "&z. " + term + " Aniversariantes do Mês"
};
StaffCaptions staffTermCaptions(const QString &staffTerm);

// The message shown after switching the network refresh on or off.
QString networkRefreshMessage(bool on);

// Status panel 0 once a data directory is bound.
QString dataLocationText(const QString &dataDir);

// Rights applied to the module forms before they show.
bool showsStudentTotal(const core::Session &session);
bool showsCashTotals(const core::Session &session);

} // namespace app
