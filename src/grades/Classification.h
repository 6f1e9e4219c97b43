#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace data {
class Database;
} // namespace data

// The classification prints ("Classificação de Desempenho"): the students of a class or of a
// group of grades placed again by one measure of the ranking table, best first.
namespace grades {

enum class ClassificationScope
{
    Class,        // "Por Turma"
    Grade,        // "Por Série"
    LowerPrimary, // "1º Grau Menor"
    UpperPrimary, // "1º Grau Maior"
    Secondary,    // "2º Grau"
};

struct ClassificationRequest
{
    ClassificationScope scope = ClassificationScope::Class;
    // The class code (by class) or the chosen grade entry ("1G1 - 1º Grau 1ª Série", by grade).
    QString choice;
    int measure = 0; // 1..4: the unit; 0: "Geral", the year
    // Group prints list the students placed up to this place (1..500).
    int limit = 5;
};

struct ClassifiedStudent
{
    double matricula = 0;
    QString nome;
    QString turma;
    double points = 0; // as stored: minus the average
    int posicao = 0;
};

// The grades ("GRUPO") a group scope covers; empty for a class.
QStringList scopeGroups(ClassificationScope scope, const QString &choice);

// "CLASSIFICAÇÃO GERAL - " followed by the measure ("1ª Unidade" .. "4ª Unidade", "Geral").
QString classificationTitle(int measure);

// Places the students in scope with the ranking's dense rule and no class restart, writes
// `Posicao`, and returns them best first; a group print keeps those placed up to the limit, so
// a tie at the last place keeps every student who shares it.
QList<ClassifiedStudent> classify(const data::Database &db, const ClassificationRequest &request);

} // namespace grades
