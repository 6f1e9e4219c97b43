#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace data {
class Database;
class Dataset;
class TDataModule1;
struct Settings;
} // namespace data

// The grade-entry board of a class and a subject, as data: which rows it shows, its columns
// (captions, which may be typed in), which rows are drawn red and bold, and the lists to choose
// a class and a subject from. The "&Notas" tab shows it in a grid; the command line prints it.
namespace grades {

inline constexpr const char *kNoBoardRowsMessage =
    "Não há registros de notas para esta disciplina.\nUse menu [Utilitários] + [Gerar Tabela de Notas] para\n"
    "corrigir este problema.";
inline constexpr const char *kConsolidatedWarning = "Disciplinas Consolidadas Não precisam ser informadas neste quadro.";
inline constexpr const char *kConsolidatedTag = " ** Consolidada **";

struct BoardColumn
{
    QString field;
    QString title;
    bool editable = false;
    bool configurable = false; // one of "Und" .. "Ptos(1)", which "&Configurar Grade" may hide
};

struct BoardChoice
{
    QString turma;
    QString disc;
    int unit = 0; // 0: the year ("Quadro Médias por Unidade"); 1..4: that unit's marks
    bool recovery = false; // "Alunos p/ Recuperação": only the rows below the unit average
};

QList<BoardColumn> boardColumns(int unit);
// The filter of the board's table.
QString boardFilter(const BoardChoice &choice, const data::Settings &settings);
// A row drawn red and bold: in the year, both averages present and below the passing marks;
// in a unit, the average after recovery below the unit average.
// `position` is the row's place in the dataset's current order.
bool isRecoveryRow(const data::Dataset &rows, int position, int unit, const data::Settings &settings);

// "TURMA DESCRICAO" of the classes that have grade rows; the class is the text up to the blank.
QStringList classLines(const data::Database &db);
// "CODIGO DESCRICAO" of the subjects of the class's grade, consolidated ones tagged.
QStringList subjectLines(const data::Database &db, const QString &turma);
QString codeOfLine(const QString &line);
bool isConsolidatedLine(const QString &line);

// Puts the board on the module's year or unit table: order, filter and display formats, and
// opens it. `byRollNumber` orders by the roll number ("Ordenar po Nº na Turma"), else by name.
data::Dataset &openBoard(data::TDataModule1 &module, const BoardChoice &choice, bool byRollNumber);
// The order of all five grade tables.
void setBoardOrder(data::TDataModule1 &module, bool byRollNumber);
// Closes the five grade tables and gives them back unfiltered, in key order, as other screens
// expect them.
void closeBoard(data::TDataModule1 &module);

// The board as text: the captions, then one line per row, fields as displayed, ";" between
// them; the red rows end with ";vermelho".
QStringList boardLines(data::Dataset &rows, int unit, const data::Settings &settings);

} // namespace grades
