#include "common/mail_origin.h"

#include <algorithm>

#include "common/exchange_files.h"
#include "common/sjis.h"

namespace tv {

bool same_address(std::string_view a, std::string_view b) {
    std::string left = lower_ascii(trim(a));
    return !left.empty() && left == lower_ascii(trim(b));
}

bool is_bounce_sender(std::string_view address) {
    std::string local = lower_ascii(trim(address));
    local.resize(std::min(local.size(), find_first_char(local, '@')));
    return local == "mailer-daemon" || local == "postmaster";
}

bool is_own_forward(std::string_view subject, std::string_view sender_address, std::string_view own_address) {
    return trim(subject).starts_with(exchange::kForwardSubjectMark) && same_address(sender_address, own_address);
}

}  // namespace tv
