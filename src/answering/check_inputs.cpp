#include "answering/check_inputs.h"

#include "common/answering_files.h"
#include "common/answering_settings.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::answering {

namespace pf = tv::platform;

namespace {

constexpr std::size_t kReplyTextLines = 999;

// Every entry counts, however long the book: a sender the user refused must stay refused.
std::vector<AddressEntry> load_book(const char* path) {
    std::vector<AddressEntry> entries;
    auto records = read_book_records(path);
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (!is_blank_entry(records[i])) entries.push_back({trim(records[i].name), trim(records[i].address)});
    }
    return entries;
}

}  // namespace

CheckInputs load_check_inputs() {
    Globals& g = globals();
    CheckInputs in;
    in.specific = load_book(kSpecificSenderBook);
    in.priority = load_book(kPriorityRejectBook);
    in.reject = load_book(kRejectBook);
    in.spam_words = read_spam_words_for_check();
    in.reply_text_name = trim(g.REPLY_TEXT_FILE);
    if (!in.reply_text_name.empty()) {
        std::string path = files::join(kReplyTextFolder, in.reply_text_name);
        if (files::file_exists(path)) {
            in.reply_text_lines = files::read_lines(path).value_or(std::vector<std::string>{});
            if (in.reply_text_lines.size() > kReplyTextLines) in.reply_text_lines.resize(kReplyTextLines);
            for (auto& line : in.reply_text_lines) line = trim(line);
        } else {
            in.reply_text_name.clear();
        }
    }
    in.reply_text_file_count = pf::form("MAINFORM").control("LIST19").count();
    return in;
}

}  // namespace tv::answering
