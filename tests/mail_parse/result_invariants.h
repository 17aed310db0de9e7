// What every parse result must give the program's readers, whatever the mail held.
#pragma once

#include <string>
#include <vector>

#include "harness/harness.h"

namespace tv::test {

// The result's lines (split at CR LF); fails the test when the file is not a sound result: CR LF
// after every line and no other line end, at most 9,998 lines of at most 32,767 bytes, the five
// prefixes, a 19-byte date, a sender ending in ">" when it holds "<", no body line the readers
// would take for anything else, attachment lines naming files in TENPFIL (or the bare "FILE:"),
// and the end line last.
std::vector<std::string> expect_sound_result(const Harness& h);

// The names of the attachment lines of a result.
std::vector<std::string> attachment_names(const std::vector<std::string>& lines);

}  // namespace tv::test
