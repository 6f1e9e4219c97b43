#include "app/MainCommands.h"

#include "app/AboutInfo.h"

#include "app/Startup.h"
#include "core/Session.h"

#include <algorithm>

namespace app {

namespace {

MenuEntry menu(const char *name, const QString &caption, const char *parent, bool separator = false,
               Access access = Access::Always)
{
    return {QString::fromLatin1(name),
            caption,
            QString::fromLatin1(parent),
            EntryKind::Menu,
            access,
            separator,
            false};
}

MenuEntry command(const char *name, const QString &caption, const char *parent,
                  bool separator = false, Access access = Access::Always)
{
    return {QString::fromLatin1(name),
            caption,
            QString::fromLatin1(parent),
            EntryKind::Command,
            access,
            separator,
            false};
}

MenuEntry hidden(MenuEntry e)
{
    e.hidden = true;
    return e;
}

MenuEntry checkable(MenuEntry e)
{
    e.kind = EntryKind::CheckCommand;
    return e;
}

QList<MenuEntry> buildMainMenu()
{
    const StaffCaptions staff = staffTermCaptions(defaultStaffTerm());
    constexpr bool sep = true;
    return {
        menu("mnuUsuario", QStringLiteral("&Usuário"), ""),
        command("mnuPreferencias", QStringLiteral("&Preferências..."), "mnuUsuario", false,
                Access::Supervisor),
        command("mnuCadastroUsuarios", QStringLiteral("&Cadastro de Usuários..."), "mnuUsuario",
                sep, Access::Supervisor),
        command("mnuLogOnOff", QStringLiteral("&Log on / Log Off"), "mnuUsuario", sep),
        command("mnuSair", QStringLiteral("Sai&r"), "mnuUsuario", sep),

        menu("mnuRelatorios", QStringLiteral("&Relatórios"), "", false, Access::Session),
        menu("mnuRelCadastroAlunos", QStringLiteral("Cadastro de Alunos"), "mnuRelatorios"),
        command("mnuFichaAluno", QStringLiteral("Ficha de Aluno"), "mnuRelCadastroAlunos"),
        command("mnuAlunosTurma", QStringLiteral("Alunos na Turma"), "mnuRelCadastroAlunos"),
        command("mnuAlunosDiscIsoladas", QStringLiteral("Alunos com Disciplinas Isoladas"),
                "mnuRelCadastroAlunos"),
        menu("mnuAniversariantesTurma", QStringLiteral("Aniversariantes por Turma"),
             "mnuRelCadastroAlunos", sep),
        command("mnuAniversariantesMes", QStringLiteral("Aniversariantes do Mês"),
                "mnuAniversariantesTurma"),
        command("mnuAniversariantesDia", QStringLiteral("Aniversariantes do Dia"),
                "mnuAniversariantesTurma"),
        command("mnuAlunosDesconto", QStringLiteral("Alunos com Desconto na Mensalidade"),
                "mnuRelCadastroAlunos", sep),

        menu("mnuBoletim", QStringLiteral("Boletim"), "mnuRelatorios", sep),
        menu("mnuQuadroTurmaAluno", QStringLiteral("Quadro de Notas (Turma + Aluno)"),
             "mnuBoletim"),
        command("mnuBoletimResumo", QStringLiteral("Boletim Resumo (Médias das Unidades)"),
                "mnuQuadroTurmaAluno"),
        command("mnuBoletimNotasUnidade", QStringLiteral("Boletim com Todas as Notas da Unidade"),
                "mnuQuadroTurmaAluno"),
        command("mnuFichaIndividual", QStringLiteral("Ficha Individual"), "mnuQuadroTurmaAluno",
                sep),
        menu("mnuQuadroTurmaDisciplina", QStringLiteral("Quadro de Notas (Turma + Disciplina)"),
             "mnuBoletim", sep),
        command("mnuMediasUnidadeProf", QStringLiteral("Médias em cada Unidade (p/ Professor)"),
                "mnuQuadroTurmaDisciplina"),
        command("mnuNotasUnidadeProf", QStringLiteral("Todas as Notas da Unidade (p/ Professor)"),
                "mnuQuadroTurmaDisciplina"),
        command("mnuMediasDisciplinasCoord",
                QStringLiteral("Médias - Todas as Disciplinas (p/ Coordenação)"),
                "mnuQuadroTurmaDisciplina"),
        command("mnuMediasGraficosCoord", QStringLiteral("Médias - Gráficos (p/ Coordenação)"),
                "mnuQuadroTurmaDisciplina"),
        menu("mnuClassificacao", QStringLiteral("Classificação de Desempenho"), "mnuBoletim", sep),
        command("mnuClassPorTurma", QStringLiteral("Por Turma"), "mnuClassificacao"),
        command("mnuClassPorSerie", QStringLiteral("Por Série"), "mnuClassificacao"),
        command("mnuClass1GrauMenor", QStringLiteral("1º Grau Menor"), "mnuClassificacao"),
        command("mnuClass1GrauMaior", QStringLiteral("1º Grau Maior"), "mnuClassificacao"),
        command("mnuClass2Grau", QStringLiteral("2º Grau"), "mnuClassificacao"),
        command("mnuAtaResultados", QStringLiteral("Ata de Resultados Finais (p/ Sec.Educação)"),
                "mnuBoletim", sep),
        hidden(command("mnuBoletimGeral", QStringLiteral("Boletim Geral "), "mnuBoletim", sep)),
        command("mnuResultadosAvaliacao", QStringLiteral("Resultados após Avaliação"), "mnuBoletim",
                sep),

        menu("mnuMensalidades", QStringLiteral("Mensalidades"), "mnuRelatorios", sep,
             Access::CarnesOrSupervisor),
        command("mnuInadTurma", QStringLiteral("Inadimplentes por Turma (Valor Devido)"),
                "mnuMensalidades"),
        command("mnuInadAlfabetica",
                QStringLiteral("Inadimplentes em Ordem Alfabética - Visão Geral"),
                "mnuMensalidades"),
        command("mnuPagtoTurmaPeriodo", QStringLiteral("Pagamentos por Turma no Período"),
                "mnuMensalidades"),
        command("mnuPagtoAluno", QStringLiteral("Pagamentos por Aluno - Visão Geral"),
                "mnuMensalidades"),
        command("mnuReceitaAlunoTurma",
                QStringLiteral("Receita Prevista x Realizada - Total por Aluno/Turma"),
                "mnuMensalidades"),
        command("mnuReceitaTurma", QStringLiteral("Receita Prevista x Realizada - Total por Turma"),
                "mnuMensalidades"),
        command("mnuPlanilhaPagamentos",
                QStringLiteral("Planilha Geral de Pagamentos - Previsto x Realizado Anual"),
                "mnuMensalidades", false, Access::Supervisor),
        command("mnuPlanilhaMensalidades", QStringLiteral("Planilha Geral de Mensalidades"),
                "mnuMensalidades"),

        command("mnuAvisoInadimplencia", QStringLiteral("Aviso de Inadimplência"), "mnuRelatorios",
                sep),
        command("mnuDisciplinas", QStringLiteral("&h. Disciplinas"), "mnuRelatorios", sep),
        command("mnuTurmasMensalidade", QStringLiteral("&i. Turmas e Valor da Mensalidade"),
                "mnuRelatorios"),
        command("mnuDisciplinasTurma", QStringLiteral("&j. Disciplinas por Turma"),
                "mnuRelatorios"),
        command("mnuAtaPresenca", QStringLiteral("&p. Ata de Presença em Prova"), "mnuRelatorios"),
        command("mnuDeclaracaoIR", QStringLiteral("&q. Declaração para o Imposto de Renda"),
                "mnuRelatorios", sep),
        menu("mnuEtiquetas", QStringLiteral("&r. Etiquetas de Endereços"), "mnuRelatorios", sep),
        command("mnuEtqAniversariantes", QStringLiteral("&Aniversariantes do Mês"), "mnuEtiquetas"),
        command("mnuEtqSituacao", QStringLiteral("A&lunos com Situação Específica"),
                "mnuEtiquetas"),
        command("mnuEtqInadimplentes", QStringLiteral("&Inadimplentes"), "mnuEtiquetas", sep),
        command("mnuContratos", QStringLiteral("&s. Emissão de Contratos"), "mnuRelatorios", sep),
        command("mnuFichaFuncionario", staff.record, "mnuRelatorios", sep),
        command("mnuFuncAniversariantes", staff.birthdays, "mnuRelatorios"),
        command("mnuExportarTexto", QStringLiteral("Exportar para Texto / Planilha"),
                "mnuRelatorios", sep, Access::CarnesOrSupervisor),

        menu("mnuUtilitarios", QStringLiteral("&Utilitários"), "", false, Access::Session),
        command("mnuImportarAlunos", QStringLiteral("Importar Cadastro de Alunos"),
                "mnuUtilitarios"),
        command("mnuCriarNumOrdem", QStringLiteral("Criar Nº de Ordem para Alunos na Turma"),
                "mnuUtilitarios", sep),
        command("mnuGerarNotas", QStringLiteral("Gerar Tabela de Notas"), "mnuUtilitarios"),
        command("mnuImportarNotas", QStringLiteral("Importar Valores para Tabela de Notas"),
                "mnuUtilitarios"),
        command("mnuRecalcUnidades", QStringLiteral("Recalcular Médias das Unidades"),
                "mnuUtilitarios", sep),
        command("mnuRecalcConsolidadas", QStringLiteral("Recalcular Médias Consolidadas"),
                "mnuUtilitarios"),
        command("mnuCalcColocacao", QStringLiteral("Calcular Colocação do Aluno"), "mnuUtilitarios",
                sep),
        command("mnuImportarCarnes", QStringLiteral("Importar Valores de Carnês Emitidos"),
                "mnuUtilitarios", sep, Access::CarnesOrSupervisor),
        command("mnuAtualizarAniversario", QStringLiteral("Atualizar DIA e MÊS de Aniversário"),
                "mnuUtilitarios", sep),
        checkable(
            command("mnuAmbienteRede", QStringLiteral("Ambiente de Rede"), "mnuUtilitarios", sep)),
        command("mnuVerificarBanco", QStringLiteral("Verificar Banco de Dados..."),
                "mnuUtilitarios", sep),

        menu("mnuAjuda", QStringLiteral("&Ajuda"), ""),
        command("mnuTopicos", QStringLiteral("&Tópicos"), "mnuAjuda"),
        command("mnuSobre", QStringLiteral("&Sobre"), "mnuAjuda", sep),
    };
}

} // namespace

bool allows(Access access, const core::Session &s)
{
    switch (access) {
    case Access::Always:
        return true;
    case Access::Session:
        return s.isOpen();
    case Access::Supervisor:
        return s.isOpen() && s.supervisor;
    case Access::CarnesOrSupervisor:
        return s.isOpen() && (s.rights.carnes || s.supervisor);
    case Access::Alunos:
        return s.isOpen() && s.rights.alunos;
    case Access::TabelasOrNotas:
        return s.isOpen() && (s.rights.tabelas || s.rights.notas);
    case Access::Backup:
        return s.isOpen() && s.rights.backup;
    case Access::Carnes:
        return s.isOpen() && s.rights.carnes;
    case Access::CaixaOrSupervisor:
        return s.isOpen() && (s.rights.caixa || s.supervisor);
    case Access::Never:
        return false;
    }
    return false;
}

const QList<MenuEntry> &mainMenuEntries()
{
    static const QList<MenuEntry> entries = buildMainMenu();
    return entries;
}

QString menuPath(const QString &objectName)
{
    QStringList path;
    QString name = objectName;
    while (!name.isEmpty()) {
        const auto entry = std::find_if(mainMenuEntries().cbegin(), mainMenuEntries().cend(),
                                        [&name](const MenuEntry &e) { return e.objectName == name; });
        if (entry == mainMenuEntries().cend())
            return {};
        path.prepend(QString(entry->caption).remove(u'&').trimmed());
        name = entry->parent;
    }
    return path.join(QStringLiteral(" > "));
}

const QList<ButtonEntry> &buttonBarEntries()
{
    static const QList<ButtonEntry> buttons{
        {button::Alunos, QStringLiteral("Alunos"),
         QStringLiteral("Cadastro de Alunos com  pesquisa, relatórios etc"),
         QStringLiteral("aluno"), Access::Alunos},
        {button::Boleto, QStringLiteral("Cobrança"),
         QStringLiteral("Preparação de boletos de pagamentos e acompanhamento de inadimplentes"),
         QStringLiteral("carne"), Access::Carnes},
        {button::Tabelas, QStringLiteral("Tabelas"),
         QStringLiteral("Tabelas auxiliares: Turmas, Disciplinas, Notas, Funcionários"),
         QStringLiteral("tabela"), Access::TabelasOrNotas},
        {button::Caixa, QStringLiteral("Caixa"),
         QStringLiteral("Acompanhamento do caixa e cadastramento de despesas efetuadas"),
         QStringLiteral("caixa"), Access::CaixaOrSupervisor},
        {button::Backup, QStringLiteral("Back-Ups"),
         QStringLiteral("Execute este módulo regularmente para segurança de seus dados"),
         QStringLiteral("backup"), Access::Backup},
        {button::Logon, logOnButtonCaption(false),
         QStringLiteral("Inicia/Fechar sessão de trabalho"), QStringLiteral("log"), Access::Always},
        {button::Sair, QStringLiteral("Sair"), QString(), QStringLiteral("exit"), Access::Always},
    };
    return buttons;
}

QString mainCaption(const core::Session &s, const QString &schoolName)
{
    if (!s.isOpen())
        return applicationTitle() + QStringLiteral(" - *** Nenhum usuário definido ***");
    return applicationTitle() + QStringLiteral(" - Usuário: ") + s.userName +
           (s.supervisor ? QStringLiteral(" (S)") : QString()) + QStringLiteral(" - Ano Letivo: ") +
           s.schoolYear + QStringLiteral(" - ") + schoolName;
}

QString logOnButtonCaption(bool sessionOpen)
{
    return sessionOpen ? QStringLiteral("Log OFF") : QStringLiteral("Log ON");
}

QString defaultStaffTerm()
{
    return QStringLiteral("Funcionários");
}

StaffCaptions staffTermCaptions(const QString &staffTerm)
{
    return {QStringLiteral("&y. Ficha de ") + staffTerm.left(25),
            QStringLiteral("&z. ") + staffTerm.left(16) +
                QStringLiteral(" Aniversariantes do Mês")};
}

QString networkRefreshMessage(bool on)
{
    if (on)
        return QStringLiteral("O sistema atualizará os dados em tela a cada 10 segundos\r"
                              "de modo a refletir qualquer alteração feita\r"
                              "por outro usuário na rede.");
    return QStringLiteral("O sistema não atualizará os dados em tela mesmo que haja\r"
                          "alteração feita por outro usuário na rede.\r"
                          "Utilize assim se não há rede instalada.");
}

QString creditLine()
{
    return QStringLiteral("Lumesco - Sistema de Administração Escolar - equipe Lumesco");
}

QString dataLocationText(const QString &dataDir)
{
    return QStringLiteral("Localização da Base de dados: ") + dataDir;
}

bool showsStudentTotal(const core::Session &s)
{
    return s.rights.carnes || s.supervisor;
}

bool showsCashTotals(const core::Session &s)
{
    return s.supervisor;
}

} // namespace app
