#include "reports/cards/CardRows.h"

#include "data/store/Query.h"

namespace reports {

namespace {

const QString kSelect = QStringLiteral(
    "select notas.Turma as TURMA, notas.UND1, notas.UND2, notas.UND3, notas.UND4, notas.FLT1, notas.FLT2, "
    "notas.FLT3, notas.FLT4, notas.FALTAS, notas.MD_ANUAL, notas.PFINAL, notas.MD_FINAL, notas.RECUP, "
    "notas.MD_RECUP, notas.DISC, alunos.TURMA as TurmaNota, alunos.NOME, alunos.MATRICULA, alunos.SIT, "
    "alunos.SEXO, alunos.DATASIT, alunos.OBSSIT, alunos.MARCADO, alunos.DATANASC, alunos.NACIONAL, "
    "alunos.ENDERECO, alunos.BAIRRO, alunos.CIDADE, alunos.CEP, discpl.DESCRICAO as discpl_desc, discpl.TIPO, "
    "discpl.DESC_RESUMO, tabturma.DESCRICAO as turma_desc, posicao.PONTOS1, posicao.PONTOS2, posicao.PONTOS3, "
    "posicao.PONTOS4, posicao.PONTOST, posicao.Pos1, posicao.Pos2, posicao.Pos3, posicao.Pos4, posicao.Postotal, "
    "cast(discturm.Imp_AtaFinal as integer) as Imp_AtaFinal, cast(discturm.Consolidada as integer) as Consolidada "
    "from NOTAS notas "
    "inner join ALUNOS alunos on alunos.MATRICULA = notas.MATRICULA "
    "inner join DISCPL discpl on notas.DISC = discpl.CODIGO "
    "inner join Tabturma tabturma on notas.Turma = tabturma.TURMA "
    "inner join posicao posicao on posicao.MATRICULA = notas.MATRICULA "
    "inner join Discturm discturm on discturm.CODIGO = notas.DISC "
    "and discturm.SERIE = substring(notas.Turma from 1 for 3)");

const QString kActive =
    QStringLiteral("((alunos.SIT <> 'D') and (alunos.SIT <> 'T') or (alunos.SIT is null))");

// Students whose result of the unit (1..4) or of the year is not yet a pass.
QString notInRecovery(int unit)
{
    if (unit >= 1 && unit <= 4) {
        return QStringLiteral("(notas.MATRICULA not in (select a.MATRICULA from NotasUni%1 a where "
                              "((a.RESULTADO <> 'Na Média*') or (a.RESULTADO is null))))")
            .arg(unit);
    }
    return QStringLiteral("(notas.MATRICULA not in (select a.MATRICULA from NOTAS a where "
                          "((a.RESULTADO <> 'APROVADO') or (a.RESULTADO is null))))");
}

} // namespace

CardStatement cardStatement(CardMember member, const CardOptions &options)
{
    CardStatement statement;
    QStringList conditions;
    if (member == CardMember::FourUnits)
        conditions << QStringLiteral("not (notas.MATRICULA is null)");
    if (options.skipLeavers)
        conditions << kActive;
    if (options.skipRecovery) {
        if (member == CardMember::FourUnits)
            conditions << notInRecovery(options.currentUnit);
        else if (member == CardMember::Photo)
            conditions << notInRecovery(kAnnualUnit);
    }
    switch (options.scope) {
    case CardScope::AllClasses:
        break;
    case CardScope::OneClass:
        conditions << QStringLiteral("(notas.Turma = :turma)");
        statement.params.insert(QStringLiteral("turma"), options.classCode);
        break;
    case CardScope::Students: {
        QStringList names;
        for (int i = 0; i < options.students.size(); ++i) {
            names << QStringLiteral(":m%1").arg(i);
            statement.params.insert(QStringLiteral("m%1").arg(i), double(options.students.at(i)));
        }
        conditions << QStringLiteral("(notas.MATRICULA in (%1))").arg(names.join(QStringLiteral(", ")));
        break;
    }
    }
    if (options.onlyConsolidated)
        conditions << QStringLiteral("(discturm.Imp_AtaFinal = 1)");

    statement.sql = kSelect;
    if (!conditions.isEmpty())
        statement.sql += QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    // The enrolment number keeps two students of the same name apart.
    statement.sql += QStringLiteral(" order by notas.Turma, alunos.NOME, notas.MATRICULA, notas.DISC");
    return statement;
}

std::unique_ptr<data::Query> openCardRows(const data::Database &db, CardMember member,
                                          const CardOptions &options)
{
    const CardStatement statement = cardStatement(member, options);
    auto query = std::make_unique<data::Query>(db);
    query->setSql(statement.sql);
    for (auto it = statement.params.constBegin(); it != statement.params.constEnd(); ++it)
        query->bind(it.key(), it.value());
    query->open();
    return query;
}

} // namespace reports
