// The text of an address book another program exported, in CP932 as the book holds it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv::books {

// A byte-order mark names the charset (UTF-8, UTF-16 LE or BE). Without one the whole file is
// read as UTF-8 or as CP932, whichever reading looks like names (see export_charset.cpp); text of
// ASCII alone is the same in both. What CP932 cannot hold becomes "?".
// nullopt when the file is not text: a control byte other than tab and the line ends (a final
// Ctrl-Z ends the data), or UTF-16 that does not convert.
std::optional<std::string> exported_text(std::string_view bytes);

}  // namespace tv::books
