// The program's shared state, under the names the whole system uses.
#pragma once

#include <string>

namespace tv {

// The version shown after "タルベノールメーラー Ver." in titles.
inline const std::string VERSION_TEXT = "2.12";

}  // namespace tv
