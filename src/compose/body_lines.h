// The body of the compose window as lines: how the body box is split for the hidden list LIST14,
// and how each of those lines is written into a send request.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::compose {

// The body text, trimmed, split at every CR LF: the first line trimmed, the others as typed.
// An empty body is one empty line. The whole text is split, however long.
std::vector<std::string> split_body(std::string_view text);

// How a writer trims a body line: sending keeps the blanks that begin a line, saving does not.
enum class BodyTrim { Trailing, Both };

// A body line as a request holds it: cut before a CR left inside it (it would end the line early),
// trimmed, and guarded so that no reader takes it for an attachment or the end line.
std::string request_body_line(std::string_view line, BodyTrim trim_mode);

}  // namespace tv::compose
