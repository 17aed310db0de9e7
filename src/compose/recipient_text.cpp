#include "compose/recipient_text.h"

#include "common/sjis.h"

namespace tv::compose {

std::string recipient_text(std::string_view name, std::string_view address) {
    std::string shown;
    for (char c : trim(name)) {
        if (c == ',') {
            shown += '.';
        } else if (c != '<' && c != '>') {
            shown += c;
        }
    }
    shown = trim(shown);
    if (shown.empty()) return std::string(address);
    return shown + "<" + std::string(address) + ">";
}

}  // namespace tv::compose
