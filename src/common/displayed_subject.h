// A subject shortened for a one-line box or a reply: trimmed, and when longer than 119 bytes its
// first 116 bytes followed by "･･･" (three half-width middle dots), 119 bytes in all.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// A double-byte character across byte 116 leaves a blank in place of its lead byte, so the text
// stays valid CP932 and keeps its 119 bytes.
std::string displayed_subject(std::string_view subject);

}  // namespace tv
