#pragma once

#include <QString>

// The contract model as the window shows it: a small reader of the RTF a model uses
// (paragraphs, alignment, bold, italic, underline, font size, \'xx and \uN characters, page
// breaks) that yields HTML for a read-only text box. Tables, pictures and the document's
// information, font and colour tables are skipped; what it does not know it leaves out.
namespace billing {

QString rtfToHtml(const QString &rtf);

} // namespace billing
