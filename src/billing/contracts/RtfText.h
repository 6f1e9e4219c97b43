#pragma once

#include <QString>

// Text put into an RTF document as text, never as markup: "\", "{" and "}" are escaped,
// letters beyond ASCII are written as \'xx in Windows-1252 (the code page the models declare)
// and anything outside that code page as \uN?, so a name like "JOÃO D'ÁVILA" reads the same in
// any word processor and no data can break the document.
namespace billing {

QString rtfEscaped(const QString &text);

} // namespace billing
