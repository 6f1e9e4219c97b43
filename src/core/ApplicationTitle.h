#pragma once

namespace core {

// The program's title: prefix of the main window's caption, first words of the report footer,
// the command line's version and the creator of the PDFs it writes.
inline constexpr char kApplicationTitle[] = "Lumesco v 2010.01.21";

} // namespace core
