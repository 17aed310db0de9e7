// The header blocks of the mail copies that a bounce holds in its own text.
//
// A copy begins at a line that starts with a header a returned message begins with, either at the
// start of the line or behind quote marks (">", "> ", ">>", "> > "), as some servers return the
// message quoted like a reply. It runs to its blank line; the quote marks of its first line are
// taken off every line, so that a folded header stays folded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::mail {

// The header blocks of the copies in `text`, each with lines ended by LF; a text holds few, and
// at most the first 32 are given.
std::vector<std::string> copied_header_blocks(std::string_view text);

}  // namespace tv::mail
