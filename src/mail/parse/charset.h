// Mail text in any charset to the system's CP932.
//
// Japanese mail is labelled ISO-2022-JP, Shift_JIS or EUC-JP but written with the Windows
// repertoire (circled numbers, NEC and IBM rows, the wave dash of CP932). The decoders chosen here
// read those labels as CP932 reads them; every other label goes through iconv. Decoding never
// fails: a text that does not fit its label is guessed among the Japanese charsets, and what still
// does not fit becomes U+FFFD, and later "?".
#pragma once

#include <string>
#include <string_view>

namespace tv::mail {

// The text of a mail part (bytes as declared by `label`, which may be empty or wrong) as UTF-8.
std::string decode_to_utf8(std::string_view bytes, std::string_view label);

// Text without a label to trust (raw 8-bit header text and parameter values, a body without a
// label or one that does not fit its label) as UTF-8: of its readings as UTF-8 (also where only a
// few bytes break it, each then U+FFFD), EUC-JP (where that reading holds no C1 control) and CP932
// that hold the whole text, the likeliest as Japanese (common/reading_cost.h); else `fallback`
// with U+FFFD for what does not fit.
std::string guess_japanese(std::string_view bytes, const char* fallback = "CP932");

// Whether iconv reads text labelled `label` (a name GMime knows for a charset is taken as GMime
// hands it to iconv).
bool readable_charset(std::string_view label);

// CP932 bytes to UTF-8; invalid bytes become U+FFFD.
std::string cp932_to_utf8(std::string_view bytes);

// UTF-8 to CP932; characters CP932 cannot hold become `replacement`.
std::string utf8_to_cp932(std::string_view utf8, std::string_view replacement = "?");

// How a charset label is read.
enum class CharsetFamily { Jis, Cp932, EucJp, Utf8, Unlabelled, Other };
CharsetFamily charset_family(std::string_view label);

// The iconv name that reads a CP932 or EUC-JP label the Windows way ("CP932", "EUC-JP-MS"),
// or empty when the label is read as it is.
std::string_view windows_reading(std::string_view label);

}  // namespace tv::mail
