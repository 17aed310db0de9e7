#include "store/unread_mark.h"

#include <vector>

#include "common/globals.h"
#include "common/receive_list_row.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/receive_list.h"

namespace tv::store {

namespace pf = tv::platform;

namespace {
constexpr std::size_t kHeadWidth = receive_row::kSubject - 1;  // bytes 1-56
constexpr std::size_t kTailWidth = 27;                          // bytes 117-143
}  // namespace

std::string rebuilt_receive_row(std::string_view row, bool clear_marks) {
    std::string padded(row);
    padded.append(130, ' ');
    std::string head = padded.substr(0, kHeadWidth);
    std::string subject = padded.substr(kHeadWidth, receive_row::kSubjectWidth);
    std::string tail = padded.substr(kHeadWidth + receive_row::kSubjectWidth, kTailWidth);
    if (clear_marks) {
        for (const std::string* mark : {&UNREAD_MARK(), &ANSWER_MARK()}) {
            if (subject.starts_with(*mark)) subject = subject.substr(mark->size()) + std::string(mark->size(), ' ');
        }
    }
    return head + subject + tail;
}

void SAIBYOUGA_L3() {
    // Rebuilt from the list itself, not read back from the cache, so that a blank row cannot cut
    // off the rows after it.
    pf::Control& list = receive_list();
    int opened = globals().UNREAD_CLEAR_ROW;
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) rows.push_back(rebuilt_receive_row(list.item(i), i == opened));
    list.set_items(std::move(rows));
    pf::pause(20);
    write_receive_cache();
    pf::pause(20);
}

}  // namespace tv::store
