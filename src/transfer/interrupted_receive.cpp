#include "transfer/interrupted_receive.h"

#include <charconv>
#include <optional>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "common/answering_log.h"
#include "common/errors.h"
#include "common/exchange_files.h"
#include "common/file_lock.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/receive_list_row.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/receive_list.h"
#include "transfer/new_mail.h"

namespace tv::transfer {

namespace {

namespace pf = tv::platform;

// A dot-file, in no listing: the count of mails the cache listed, the name of the last one, and
// "answering" when the receive ran inside an answering check.
constexpr const char* kReceiveNote = "SYSTEM_F\\.receive_under_way";
constexpr std::string_view kAnsweringWord = "answering";

// How long a load waits for a mail component that outlived the killed run: as long as the program
// would have waited for it.
constexpr int kComponentWaitMs = 2 * 60 * 60 * 1000;
constexpr int kComponentPollMs = 100;

struct ReceiveNote {
    std::size_t listed = 0;
    std::string last;
    bool answering = false;
};

std::optional<ReceiveNote> read_note() {
    auto lines = files::read_lines(kReceiveNote);
    if (!lines || lines->empty()) return std::nullopt;
    ReceiveNote note;
    const std::string& count = (*lines)[0];
    auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), note.listed);
    if (error != std::errc() || end != count.data() + count.size()) return std::nullopt;
    if (lines->size() > 1) note.last = (*lines)[1];
    note.answering = lines->size() > 2 && (*lines)[2] == kAnsweringWord;
    return note;
}

void write_note(const platform::Control& mails, bool answering) {
    std::vector<std::string> lines{std::to_string(mails.count()),
                                   mails.count() > 0 ? store::listed_name(mails, mails.count()) : std::string()};
    if (answering) lines.emplace_back(kAnsweringWord);
    files::write_lines_atomic(kReceiveNote, lines, 0600);
}

// The cache's rows when it still lists the box as the note found it, and the box holds mail beyond.
std::optional<std::vector<std::string>> rows_before_the_kill(const ReceiveNote& note, const platform::Control& mails) {
    std::vector<std::string> rows;
    if (files::file_exists(store::kReceiveCache)) rows = load_list_cache(store::kReceiveCache);
    std::size_t count = static_cast<std::size_t>(mails.count());
    bool pairs = rows.size() == note.listed && count > note.listed &&
                 (note.listed == 0 || files::same_name(store::listed_name(mails, static_cast<int>(note.listed)), note.last));
    if (!pairs) return std::nullopt;
    return rows;
}

// A mail component that outlived the killed run may still be storing its mail: the load waits for
// it under the hourglass (window messages go on), so that every mail it stores is listed now.
// False when it still works after the wait.
bool wait_for_component_of_killed_run() {
    if (!files::lock_held_elsewhere(exchange::kTransferLockFile)) return true;
    // The splash is what the user sees while the main window loads.
    std::vector<std::pair<pf::Form*, pf::MousePointer>> pointers;
    for (const char* name : {"MAINFORM", "FORM5"}) {
        if (!pf::forms().is_loaded(name)) continue;
        pf::Form& form = pf::form(name);
        pointers.emplace_back(&form, form.pointer);
        form.set_pointer(pf::MousePointer::Hourglass);
    }
    bool ended = false;
    for (int waited = 0; waited < kComponentWaitMs; waited += kComponentPollMs) {
        pf::pause(kComponentPollMs);
        if ((ended = !files::lock_held_elsewhere(exchange::kTransferLockFile))) break;
    }
    for (auto& [form, pointer] : pointers) form->set_pointer(pointer);
    return ended;
}

// The mails an answering check already wrote into the answering log before the kill.
std::set<std::string> logged_mail_names() {
    std::set<std::string> names;
    for (const auto& items : read_answering_log()) {
        if (!items[kLogMailName].empty()) names.insert(items[kLogMailName]);
    }
    return names;
}

}  // namespace

void note_receive_under_way() {
    const platform::Control& mails = store::work_list("LIST2");
    if (store::receive_list().count() != mails.count()) {
        forget_receive_under_way();
        return;
    }
    write_note(mails, globals().ANSWER_CHECK_RUNNING > 0);
}

void forget_receive_under_way() {
    try {
        files::remove_if_exists(kReceiveNote);
    } catch (const RuntimeError&) {
        // Left behind, it only describes a list that no longer pairs with the cache.
    }
}

void list_mail_of_interrupted_receive() {
    if (!files::file_exists(kReceiveNote)) return;
    // Inside a transfer or a parse no mail can be taken: a later load does it.
    if (globals().TRANSFER_RUNNING || store::parse_exchange_running()) return;
    bool component_ended = true;
    try {
        auto note = read_note();
        platform::Control& mails = store::work_list("LIST2");
        if (note) {
            component_ended = wait_for_component_of_killed_run();
            store::LIST_FOLDER_FILES(store::receive_box().mail_folder, mails);
        }
        auto rows = note ? rows_before_the_kill(*note, mails) : std::nullopt;
        if (rows) {
            files::remove_if_exists(exchange::kParseResultFile);
            files::remove_if_exists(exchange::kRequestFile);
            // An answering check's mail is listed as the check lists it, and goes into the answering
            // log once, so that the next check forwards and answers it.
            std::set<std::string> logged = note->answering ? logged_mail_names() : std::set<std::string>{};
            for (int i = static_cast<int>(note->listed) + 1; i <= mails.count(); ++i) {
                std::string name = store::listed_name(mails, i);
                NewMailTaking taking{false, note->answering && !logged.contains(name),
                                     note->answering ? ANSWER_MARK() : UNREAD_MARK()};
                rows->push_back(take_new_mail(name, taking).row);
            }
            write_list_cache(store::kReceiveCache, *rows);
        }
        // A component still at work after the wait: what it stores later is listed at a later
        // load, from the note of what the cache now lists.
        if (!component_ended) {
            if (rows) write_note(mails, note->answering);
            return;
        }
    } catch (const RuntimeError&) {
        // The load finds the cache out of step with the box and rebuilds the list.
    }
    forget_receive_under_way();
}

}  // namespace tv::transfer
