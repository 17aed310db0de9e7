#include "common/globals.h"

#include "common/sjis.h"

namespace tv {

Globals& globals() {
    static Globals state;
    return state;
}

const std::string& program_caption() {
    static const std::string caption = sj("タルベノールメーラー Ver.") + VERSION_TEXT;
    return caption;
}

void reset_globals() { globals() = Globals{}; }

}  // namespace tv
