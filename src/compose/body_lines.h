// The body of the compose window as lines: how the body box is split for the hidden list LIST14,
// and how each of those lines is written into a send request.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::compose {

// The body text split at every CR LF, each line as typed: the blanks that indent a line (a
// paragraph's full-width indent, code) are the mail's, the first line's too. Blanks after the last
// line go. An empty body is one empty line. The whole text is split, however long.
std::vector<std::string> split_body(std::string_view text);

// A body line as a request holds it, sent or saved alike: cut before a CR left inside it (it would
// end the line early), its trailing blanks removed, and guarded so that no reader takes it for an
// attachment or the end line.
std::string request_body_line(std::string_view line);

}  // namespace tv::compose
