// Header values: the raw text GMime keeps, made ready for GMime's decoders, and decoded values
// made into one line of CP932.
//
// GMime decodes encoded words and RFC 2231 values with iconv's reading of their label, which
// loses the characters Japanese mail takes from CP932 (circled numbers, NEC and IBM rows). So
// before GMime decodes a word, Japanese labels are turned into the reading that keeps them, and
// raw ISO-2022-JP and raw 8-bit text (sent unencoded by old mailers) into UTF-8; RFC 2231 values
// are read as a body is read (decode_to_utf8: by their label where the bytes fit it, else
// guessed). Raw 8-bit text, and the text of words in a charset iconv does not know, is read by
// guess_japanese, the rule for bodies without a label.
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
