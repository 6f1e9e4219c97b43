#include "students/StudentFilters.h"

namespace students {

namespace {

const QString kActive = QStringLiteral("((SIT <> 'D') AND (SIT <> 'T'))");

QString quoted(const QString &text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

} // namespace

const QList<SortEntry> &sortEntries()
{
    static const QList<SortEntry> entries{
        {SortChoice::Matricula, QStringLiteral("Nº de Matrícula"), QString()},
        {SortChoice::Nome, QStringLiteral("Nome do Aluno"), QStringLiteral("kNome")},
        {SortChoice::TurmaNome, QStringLiteral("Turma/Nome"), QStringLiteral("kTurma")},
        {SortChoice::TurmaNumero, QStringLiteral("Turma/Nº"), QStringLiteral("kTurmaOrdem")},
        {SortChoice::Pai, QStringLiteral("Nome do Pai"), QStringLiteral("kPai")},
        {SortChoice::Mae, QStringLiteral("Nome da Mãe"), QStringLiteral("kMAe")},
        {SortChoice::Responsavel, QStringLiteral("Nome do Resp."), QStringLiteral("kResp")},
        {SortChoice::Nascimento, QStringLiteral("Data Nascimento"), QStringLiteral("kAniversario")},
        {SortChoice::Endereco, QStringLiteral("Endereço"), QStringLiteral("kEndereco")},
    };
    return entries;
}

const SortEntry &sortEntry(SortChoice choice)
{
    for (const SortEntry &entry : sortEntries())
        if (entry.choice == choice)
            return entry;
    return sortEntries().first();
}

const QList<ViewEntry> &viewEntries()
{
    static const QList<ViewEntry> entries{
        {ViewChoice::Ativos, QStringLiteral("Alunos Ativos")},
        {ViewChoice::Todos, QStringLiteral("Todos os Alunos ")},
        {ViewChoice::Aniversariantes, QStringLiteral("Aniversariantes do Mês")},
        {ViewChoice::Desistentes, QStringLiteral("Desistentes ")},
        {ViewChoice::Transferidos, QStringLiteral("Transferidos")},
        {ViewChoice::ComDesconto, QStringLiteral("Alunos c/ Desconto na Mensalidade")},
        {ViewChoice::Bolsistas, QStringLiteral("Bolsistas (Desconto 100%)")},
        {ViewChoice::Situacao, QStringLiteral("Situação igual a")},
        {ViewChoice::Turma, QStringLiteral("A Turma")},
        {ViewChoice::Marcados, QStringLiteral("Marcados p/ Relação Especial")},
    };
    return entries;
}

const ViewEntry &viewEntry(ViewChoice choice)
{
    for (const ViewEntry &entry : viewEntries())
        if (entry.choice == choice)
            return entry;
    return viewEntries().first();
}

QString filterExpression(ViewChoice choice, const ViewParameters &parameters)
{
    switch (choice) {
    case ViewChoice::Ativos:
        return kActive;
    case ViewChoice::Todos:
    case ViewChoice::Marcados:
        return QString();
    case ViewChoice::Aniversariantes:
        return QStringLiteral(" (ORD = %1)").arg(parameters.month);
    case ViewChoice::Desistentes:
        return QStringLiteral("(SIT = 'D')");
    case ViewChoice::Transferidos:
        return QStringLiteral("(SIT = 'T')");
    case ViewChoice::ComDesconto:
        return kActive + QStringLiteral(" AND  (ABAT > 0)");
    case ViewChoice::Bolsistas:
        return QStringLiteral("(SIT = 'B') OR ((ABAT = 100) AND (IMP = '%'))");
    case ViewChoice::Situacao:
        return QStringLiteral("(SIT = %1)").arg(quoted(parameters.situation));
    case ViewChoice::Turma:
        return kActive + QStringLiteral(" AND (Turma = %1)").arg(quoted(parameters.schoolClass));
    }
    return QString();
}

QString specialListSql()
{
    // In the order of the numbers, as the register's key keeps them: a server would give the rows
    // in the order they were last written, so the last one marked at the end.
    return QStringLiteral("select TURMA, MATRICULA, NOME, MARCADO from Alunos where CAST(marcado AS INTEGER) = 1 "
                          "order by MATRICULA");
}

QString classOnlyWarning(const QString &schoolClass)
{
    return QStringLiteral("Atenção:\rNão tente INSERIR registros para turmas\rdiferentes de ") + schoolClass +
           QStringLiteral(", pois, ") + QStringLiteral("\r") + QStringLiteral("você não poderá visualizá-los em virtude de ") +
           QStringLiteral("\r") + QStringLiteral("não pertencerem ao grupo desta turma.");
}

} // namespace students
