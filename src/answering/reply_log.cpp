#include "answering/reply_log.h"

#include "common/address_book.h"
#include "common/answering_files.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "store/mail_stores.h"

namespace tv::answering {

namespace pf = tv::platform;

namespace {

std::string log_path(const std::string& stamp) { return files::join(kReplyLogFolder, stamp + "_TODAY_HENSIN.txt"); }

// Today's stamp yyyymmdd.
std::string day_stamp() { return pf::format_yyyymmdd(pf::now()); }

}  // namespace

bool answered_today(const std::string& sender) {
    std::string text = trim(sender);
    if (text.empty()) return false;
    auto lines = files::read_lines(log_path(day_stamp()));
    if (!lines) return false;
    for (const auto& line : *lines) {
        std::string answered = trim(line);
        if (!answered.empty() && contains_text(text, answered)) return true;
    }
    return false;
}

void record_reply(const std::string& address) {
    pf::pause(20);
    std::string path = log_path(day_stamp());
    pf::pause(20);
    files::append_lines(path, {trim(address)});
    pf::pause(20);
}

void purge_reply_logs() {
    pf::Control& list = store::work_list("LIST24");
    store::LIST_FOLDER_FILES(kReplyLogFolder, list);
    pf::pause(20);
    if (list.count() == 0) return;
    std::string today = day_stamp();
    for (int i = 1; i <= list.count(); ++i) {
        std::string name = store::listed_name(list, i);
        if (trim(left_bytes(name, 8)) == today) continue;
        std::string path = files::join(kReplyLogFolder, name);
        if (!files::file_exists(path)) continue;
        try {
            files::remove_file(path);
        } catch (const RuntimeError&) {
            // Held or protected: the next purge tries again.
        }
        pf::pause(20);
    }
}

}  // namespace tv::answering
