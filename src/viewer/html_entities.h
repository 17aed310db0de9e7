// Character references of an HTML body: "&amp;", "&nbsp;", "&#12354;", "&#x3042;" and the other
// named entities of HTML 4, as the reader of the mail sees them.
#pragma once

#include <string>
#include <string_view>

namespace tv::viewer {

// The text with every reference it knows replaced by its character in CP932: a no-break space is a
// blank, a control character a blank, a character CP932 cannot hold "?". An unknown name, or an "&"
// that begins no reference, stays as it stands.
std::string decode_html_entities(std::string_view text);

}  // namespace tv::viewer
