// The viewer's small controls: previous and next mail, the web-address box and its buttons, and the
// focus handlers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv::viewer {

void BUTTON88_ON();
void BUTTON89_ON();
void BUTTON90_ON();
void BUTTON91_ON();
void EDIT34_SETFOCUS();
void EDIT15_SETFOCUS();
void FORM3_CLICK();

// The address the box's text stands for: one line that begins, letter case aside, with "http://",
// "https://" or "www." (then "http://" is put before it), blanks around it trimmed; nothing else is
// one.
std::optional<std::string> web_address(std::string_view text);

}  // namespace tv::viewer
