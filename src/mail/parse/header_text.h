// Header values: the raw text GMime keeps, made ready for GMime's decoders, and decoded values
// made into one line of CP932.
//
// GMime decodes encoded words and RFC 2231 values with iconv's reading of their label, which
// loses the characters Japanese mail takes from CP932 (circled numbers, NEC and IBM rows) and
// garbles text whose bytes do not fit their label (Shift_JIS sent as UTF-8), down to a 0x5C trail
// byte left standing as a backslash. So the text of words and RFC 2231 values is read as a body
// is read (decode_to_utf8: by its label where the bytes fit it, else guessed), and raw
// ISO-2022-JP and raw 8-bit text (sent unencoded by old mailers) by guess_japanese, the rule for
// text without a label.
#pragma once

#include <gmime/gmime.h>

#include <string>
#include <string_view>

namespace tv::mail {

// A raw header value (folded, possibly with raw 8-bit or ISO-2022-JP text) prepared for GMime's
// text, phrase and address decoders.
std::string prepare_raw_header(std::string_view raw);

// The same for a Content-Type or Content-Disposition value, whose RFC 2231 parameters carry a
// charset label of their own: their bytes are handed to GMime untouched, to be read by
// parameter_text.
std::string prepare_raw_parameters(std::string_view raw);

// The value of a parameter that GMime parsed from prepared parameters, as UTF-8.
std::string parameter_text(GMimeParam* param);

// A decoded value as one line of CP932: control bytes (CR, LF, NUL, TAB and the others) become
// blanks, blanks at both ends go.
std::string one_line(std::string_view utf8);

}  // namespace tv::mail
