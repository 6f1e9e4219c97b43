#pragma once

#include <QList>
#include <QString>

// The two choices above the student grid: "Ordenar por:" (the index of the student table) and
// "Visualizar Apenas" (its filter). Captions are the texts the lists show.
namespace students {

enum class SortChoice
{
    Matricula,
    Nome,
    TurmaNome,
    TurmaNumero,
    Pai,
    Mae,
    Responsavel,
    Nascimento,
    Endereco,
};

struct SortEntry
{
    SortChoice choice;
    QString caption;
    QString indexName; // empty: the primary key
};

// In list order; "Turma/Nome" is the one chosen when the window opens.
const QList<SortEntry> &sortEntries();
const SortEntry &sortEntry(SortChoice choice);

enum class ViewChoice
{
    Ativos,
    Todos,
    Aniversariantes,
    Desistentes,
    Transferidos,
    ComDesconto,
    Bolsistas,
    Situacao,
    Turma,
    Marcados,
};

struct ViewEntry
{
    ViewChoice choice;
    QString caption;
};

// In list order; "Alunos Ativos" is the one chosen when the window opens.
const QList<ViewEntry> &viewEntries();
const ViewEntry &viewEntry(ViewChoice choice);

// What some filters take from the boxes beside the list.
struct ViewParameters
{
    int month = 1;        // the month spinner, 1..12
    QString situation;    // the situation box
    QString schoolClass;  // the class list
};

// The filter text of the student table for a choice; empty for none. The typed situation and
// the chosen class are written as quoted literals (a quote doubled), which the filter turns
// into bound values.
QString filterExpression(ViewChoice choice, const ViewParameters &parameters);

// "Marcados p/ Relação Especial" shows this query in the grid instead of the table.
QString specialListSql();

// Shown after choosing "A Turma".
QString classOnlyWarning(const QString &schoolClass);

} // namespace students
