#pragma once

#include <QString>

namespace zupri {

QString aboutText();

// A modal box without owner when the host runs a widget application on this thread; the text
// goes to standard error otherwise (a console host, or a call from another thread).
void showAboutBox();

} // namespace zupri
