#pragma once

#include <QString>
#include <QStringList>

namespace data {
struct Settings;
}

// The income-tax declaration's "Informe o CPF": which parent declares, the students whose
// parent holds that CPF, and the editable declaration text kept in "declara.txt".
namespace reports {

enum class Declarant { Pai, Mae, Responsavel };

// "Pai", "Mãe", "Responsável".
QString declarantCaption(Declarant declarant);
// The student table's filter for the declarant's CPF ("cpf_pai = '...'").
QString cpfFilter(Declarant declarant, const QString &cpf);
// The field holding the declarant's name.
QString declarantNameField(Declarant declarant);

inline constexpr char kDeclarationFile[] = "declara.txt";
// Of the text, only this many lines are printed.
inline constexpr int kPrintedDeclarationLines = 8;

// The text the memo starts with: the reference year and the school's telephone filled in.
QStringList defaultDeclaration(const data::Settings &settings);
// "declara.txt" in the program folder (Windows-1252, CR LF). Both return false when the file
// can't be written or read; `lines` is then left as it was.
bool saveDeclaration(const QString &programDir, const QStringList &lines, QString *error = nullptr);
bool loadDeclaration(const QString &programDir, QStringList &lines);

} // namespace reports
