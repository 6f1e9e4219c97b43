#include "grades/GradeBoard.h"

#include "data/modules/TDataModule1.h"
#include "data/settings/Settings.h"
#include "data/store/Query.h"
#include "data/store/Table.h"

namespace grades {

namespace {

QString quoted(const QString &text)
{
    QString doubled = text;
    doubled.replace(u'\'', QStringLiteral("''"));
    return u'\'' + doubled + u'\'';
}

data::Table &boardTable(data::TDataModule1 &module, int unit)
{
    return unit == 0 ? module.tblNotas() : module.tblNotasUni(unit);
}

QStringList codeLines(data::Query &q, bool tagConsolidated)
{
    QStringList lines;
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        QString line = q.asText(0) + u' ' + q.asText(1);
        if (tagConsolidated && q.asLogical(2))
            line += QString::fromUtf8(kConsolidatedTag);
        lines << line;
    }
    return lines;
}

} // namespace

QList<BoardColumn> boardColumns(int unit)
{
    if (unit == 0) {
        QList<BoardColumn> columns{{QStringLiteral("Esp"), QStringLiteral("Nº")},
                                   {QStringLiteral("MATRICULA"), QStringLiteral("MATRICULA")},
                                   {QStringLiteral("Nome"), QStringLiteral("Nome")}};
        for (int u = 1; u <= 4; ++u)
            columns += {{QStringLiteral("UND%1").arg(u), QStringLiteral("UND%1").arg(u)},
                        {QStringLiteral("FLT%1").arg(u), QStringLiteral("FLT%1").arg(u)}};
        columns += {{QStringLiteral("MD_ANUAL"), QStringLiteral("Média_ANO")},
                    {QStringLiteral("FALTAS"), QStringLiteral("Faltas")},
                    {QStringLiteral("PFINAL"), QStringLiteral("PFINAL"), true},
                    {QStringLiteral("MD_FINAL"), QStringLiteral("Média P.Final")},
                    {QStringLiteral("RESULTADO"), QStringLiteral("RESULTADO")}};
        return columns;
    }
    QList<BoardColumn> columns{{QStringLiteral("Esp"), QStringLiteral("Nº")},
                               {QStringLiteral("MATRICULA"), QStringLiteral("MATRICULA")},
                               {QStringLiteral("NOME"), QStringLiteral("NOME")},
                               {QStringLiteral("UNIDADE"), QStringLiteral("Und"), false, true}};
    for (int n = 1; n <= 5; ++n)
        columns += {QStringLiteral("NOTA%1").arg(n), QStringLiteral("NOTA%1").arg(n), true, true};
    columns += {{QStringLiteral("FALTAS"), QStringLiteral("FALTAS"), true, true},
                {QStringLiteral("PONTOS1"), QStringLiteral("Ptos(1)"), true, true},
                {QStringLiteral("cMedia"), QStringLiteral("Media")},
                {QStringLiteral("RECUP"), QStringLiteral("Recup"), true},
                {QStringLiteral("PONTOS2"), QStringLiteral("Ptos(2)"), true},
                {QStringLiteral("cMediaFinal"), QStringLiteral("Md.Final")},
                {QStringLiteral("RESULTADO"), QStringLiteral("RESULTADO")}};
    return columns;
}

QString boardFilter(const BoardChoice &choice, const data::Settings &settings)
{
    QString filter = QStringLiteral("(SIT <> 'T') AND (SIT<>'D') AND (Turma = %1) and (disc = %2)")
                         .arg(quoted(choice.turma), quoted(choice.disc));
    if (choice.recovery)
        filter += QStringLiteral(" and %1 < %2")
                      .arg(choice.unit == 0 ? QStringLiteral("MD_anual") : QStringLiteral("MD_FINAL"))
                      .arg(settings.Uni_Media);
    return filter;
}

bool isRecoveryRow(const data::Dataset &rows, int position, int unit, const data::Settings &settings)
{
    const auto below = [&](const char *field, double mark) {
        const QVariant value = rows.valueAt(position, rows.fieldIndex(field));
        return !value.isNull() && value.toDouble() < mark;
    };
    if (unit == 0)
        return below("MD_ANUAL", settings.unitPassMark) && below("MD_FINAL", settings.finalPassMark);
    return below("cMediaFinal", settings.unitPassMark);
}

QStringList classLines(const data::Database &db)
{
    data::Query q(db);
    q.setSql(QStringLiteral("select distinct notas.turma, tabturma.descricao from notas, tabturma "
                            "where notas.turma=tabturma.turma order by 1"));
    return codeLines(q, false);
}

QStringList subjectLines(const data::Database &db, const QString &turma)
{
    data::Query q(db);
    q.setSql(QStringLiteral("select discturm.codigo, discpl.descricao, discturm.consolidada from discturm, discpl "
                            "where discturm.codigo = discpl.codigo and discturm.serie = :serie order by discturm.codigo"));
    q.bind(QStringLiteral("serie"), turma.left(3));
    return codeLines(q, true);
}

QString codeOfLine(const QString &line)
{
    return line.section(u' ', 0, 0);
}

bool isConsolidatedLine(const QString &line)
{
    return line.endsWith(QString::fromUtf8(kConsolidatedTag));
}

void setBoardOrder(data::TDataModule1 &module, bool byRollNumber)
{
    const QString index = byRollNumber ? QStringLiteral("kTurmaOrdem") : QStringLiteral("kTurma");
    for (int unit = 0; unit <= 4; ++unit)
        boardTable(module, unit).setIndexName(index);
}

void closeBoard(data::TDataModule1 &module)
{
    for (int unit = 0; unit <= 4; ++unit) {
        data::Table &table = boardTable(module, unit);
        table.close();
        table.setFiltered(false);
        table.setFilter(QString());
        table.setIndexName(QString());
    }
}

data::Dataset &openBoard(data::TDataModule1 &module, const BoardChoice &choice, bool byRollNumber)
{
    data::Table &table = boardTable(module, choice.unit);
    table.setIndexName(byRollNumber ? QStringLiteral("kTurmaOrdem") : QStringLiteral("kTurma"));
    table.setFilter(boardFilter(choice, data::settings()));
    table.setFiltered(true);
    if (!table.isOpen())
        table.open();
    const QStringList integers{QStringLiteral("Esp"), QStringLiteral("MATRICULA"), QStringLiteral("FALTAS"),
                               QStringLiteral("FLT1"), QStringLiteral("FLT2"), QStringLiteral("FLT3"),
                               QStringLiteral("FLT4")};
    for (const BoardColumn &column : boardColumns(choice.unit)) {
        const data::DatasetField &field = table.field(column.field);
        if (field.type == data::FieldType::Float && !integers.contains(column.field))
            table.setDisplayFormat(column.field, QStringLiteral("0.0"));
    }
    return table;
}

QStringList boardLines(data::Dataset &rows, int unit, const data::Settings &settings)
{
    const QList<BoardColumn> columns = boardColumns(unit);
    QStringList titles;
    for (const BoardColumn &column : columns)
        titles << column.title;
    QStringList lines{titles.join(u';')};
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList cells;
        for (const BoardColumn &column : columns)
            cells << rows.displayText(column.field);
        if (isRecoveryRow(rows, rows.recNo(), unit, settings))
            cells << QStringLiteral("vermelho");
        lines << cells.join(u';');
    }
    return lines;
}

} // namespace grades
