#include "cashbook/TableExport.h"

#include "data/store/Query.h"

namespace cashbook {

namespace {

const QString kAlunosPorTurma = QStringLiteral(
    "select alunos.matricula, alunos.nome, alunos.turma, alunos.SIT, tabturma.descricao as TURMA, "
    "alunos.datanasc, alunos.sexo, alunos.nome_pai, alunos.nome_mae, alunos.nome_resp "
    "from alunos inner join tabturma on (alunos.turma = tabturma.turma) "
    "where ((alunos.SIT <> 'D') AND (alunos.SIT <> 'T') or (alunos.sit is null)) "
    "order by alunos.turma, alunos.nome, alunos.matricula");

// A student's rows together and in due order: the table has no key, and an engine may hand tied
// rows over in any order (a server moves a changed row to the end of its table).
const QString kMensalidades =
    QStringLiteral("select * from Ccorrent order by nome, Matricula, ParcelaData, Tipo, ParcelaNum");

// Left joins, so a movement whose account or group was removed is still written.
const QString kMovimentacao = QStringLiteral(
    "select m.CodGrupo_MovFin as tipo, m.CodGrupo_Grupo as grupo, g.Descricao_Grupo as grupo_desc, "
    "m.CodConta_MovFin as conta, c.Descricao_Conta as conta_desc, m.Data_MovFin as data, "
    "m.Cheque_MovFin as cheque, m.Valor_MovFin as valor, m.Descricao_MovFin as descricao, "
    "m.NotaFiscal_MovFin as notafiscal "
    "from MovFin m "
    "left join GrupoConta g on (g.Tipo_Grupo = m.CodGrupo_MovFin) and (g.CodGrupo_Grupo = m.CodGrupo_Grupo) "
    "left join Conta c on (c.CodGrupo_Conta = m.CodGrupo_MovFin) and (c.CodGrupo_Grupo = m.CodGrupo_Grupo) "
    "and (c.CodConta_Conta = m.CodConta_MovFin) "
    "where (m.Data_MovFin >= :de) and (m.Data_MovFin <= :ate) "
    "order by m.Data_MovFin, m.CodMovFin_MovFin");

const QString kAlunosComTurma = QStringLiteral(
    "select alunos.matricula, alunos.nome, alunos.turma, tabturma.descricao as TURMA_DESC "
    "from alunos left join tabturma on (alunos.turma = tabturma.turma) "
    "order by alunos.turma, alunos.nome, alunos.matricula");

} // namespace

QList<ExportEntry> exportEntries()
{
    return {ExportEntry::AlunosPorTurma, ExportEntry::Mensalidades,
            ExportEntry::MovimentacaoFinanceira, ExportEntry::VisaoGeral};
}

QString exportEntryText(ExportEntry entry)
{
    switch (entry) {
    case ExportEntry::AlunosPorTurma:
        return QStringLiteral("01-ALUNOS POR TURMA");
    case ExportEntry::Mensalidades:
        return QStringLiteral("02-MENSALIDADES");
    case ExportEntry::MovimentacaoFinanceira:
        return QStringLiteral("03-MOVIMENTAÇÃO FINANCEIRA ");
    case ExportEntry::VisaoGeral:
        return QStringLiteral("04-MENSALIDADES - VISÃO GERAL");
    }
    return {};
}

std::optional<ExportEntry> exportEntryByName(const QString &name)
{
    const QString wanted = name.trimmed();
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber);
    const QList<ExportEntry> entries = exportEntries();
    if (isNumber)
        return number >= 1 && number <= entries.size() ? std::optional(entries.at(number - 1))
                                                       : std::nullopt;
    for (ExportEntry entry : entries) {
        if (exportEntryText(entry).trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return std::nullopt;
}

bool asksForPeriod(ExportEntry entry)
{
    return entry == ExportEntry::MovimentacaoFinanceira;
}

bool loadsRows(ExportEntry entry)
{
    return entry != ExportEntry::VisaoGeral;
}

void selectEntryRows(data::Query &query, ExportEntry entry, const Period &period)
{
    switch (entry) {
    case ExportEntry::AlunosPorTurma:
        query.setSql(kAlunosPorTurma);
        break;
    case ExportEntry::Mensalidades:
        query.setSql(kMensalidades);
        break;
    case ExportEntry::MovimentacaoFinanceira:
        query.setSql(kMovimentacao);
        query.bind(QStringLiteral("de"), period.from);
        query.bind(QStringLiteral("ate"), period.to);
        break;
    case ExportEntry::VisaoGeral:
        query.setSql(QString());
        break;
    }
}

void selectInitialRows(data::Query &query)
{
    query.setSql(kAlunosComTurma);
}

void applyExportFormats(data::Query &query)
{
    if (query.isOpen() && query.hasField(QStringLiteral("valor")))
        query.setDisplayFormat(QStringLiteral("valor"), QStringLiteral("###,##0.00"));
}

QString exportFileName(ExportEntry entry)
{
    return exportEntryText(entry) + QStringLiteral(".csv");
}

} // namespace cashbook
