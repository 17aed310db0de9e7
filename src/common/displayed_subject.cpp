#include "common/displayed_subject.h"

#include "common/sjis.h"

namespace tv {

std::string displayed_subject(std::string_view subject) {
    std::string s = trim(subject);
    if (s.size() <= 119) return s;
    return fit_width(s, 116) + "\xA5\xA5\xA5";
}

}  // namespace tv
