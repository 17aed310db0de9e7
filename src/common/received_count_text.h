// What a receive says of the mail it took, in its result and in the main window's status panel:
// the mail component and the program say it alike.
#pragma once

#include <cstddef>
#include <string>

namespace tv {

// "新着メールはありませんでした。" for none, else "<n>通のメールを受信しました。" (CP932).
std::string received_count_text(std::size_t count);

}  // namespace tv
