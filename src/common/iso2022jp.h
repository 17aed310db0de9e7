// ISO-2022-JP as Japanese mail writes it, with the rows CP932 adds (NEC row 13, the NEC-selected
// IBM rows 89 to 92), to CP932 bytes: the parse reads mail text with it, the raw-source view shows
// a mail's bytes with it.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Bytes outside the shifted runs pass unchanged; a line end returns to ASCII, as a broken mail
// would otherwise garble what follows; JIS X 0212 and broken pairs become "?".
std::string jis_to_cp932(std::string_view bytes);

}  // namespace tv
