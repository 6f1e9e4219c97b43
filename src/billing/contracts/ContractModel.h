#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

// The contract model: an RTF file the school edits, read as its source lines. The first line
// is the RTF header, the last the closing brace, the lines between are one contract's body.
// Placeholders such as "#aluno#" are filled line by line.
namespace billing {

inline constexpr char kContractModelFile[] = "Contrato.rtf";
inline constexpr char16_t kStartMarker[] =
    u"#inicio:nao remova esta linha (deve ser a 3a linha na janela RTF) #";
inline constexpr char16_t kEndMarker[] =
    u"#final:nao remova esta linha (deve ser a penultima linha na janela RTF) #";

// A placeholder and the plain text that replaces it (escaped for RTF when filled in).
using Placeholder = std::pair<QString, QString>;

// Every placeholder a model may hold, in the order they are filled in.
const QStringList &placeholderNames();

// Removes both markers and fills each placeholder at its first occurrence in the line, in the
// order of `values`. Only the model's own text is searched: a value that happens to contain a
// placeholder's text is written as it is.
QString fillContractLine(const QString &line, const QList<Placeholder> &values);

// The model's source lines (Windows-1252); nullopt when the file can't be read.
std::optional<QStringList> readContractModel(const QString &path);
// A model needs its header line, a body and its closing line.
bool isUsableContractModel(const QStringList &lines);

// The program folder's "Contrato.rtf"; the sample model that comes with the program is written
// there first when the folder has none. Returns the path.
QString defaultContractModel(const QString &programDir);
// The sample model's text.
QByteArray sampleContractModel();

} // namespace billing
