#include "books/sender_registration.h"

#include <optional>
#include <string>

#include "books/sender_split.h"
#include "common/address_book.h"
#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/folder_places.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "store/receive_list.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// What a registration tells the user about one book.
struct BookTexts {
    const char* book;
    const char* title;     // of the confirmation
    const char* sentence;  // ends the confirmation
    const char* already;   // the address is in the book
};

const BookTexts kAddressBookTexts{kAddressBook, "アドレス帳に登録", "この１件のアドレスをアドレス帳に登録します。  ",
                                  "このアドレスは既にアドレス帳に登録されています。     "};
const BookTexts kRejectBookTexts{kRejectBook, "転送(返信)拒否アドレス帳に登録",
                                 "この１件のメールを転送(返信)拒否アドレス帳に登録します。  ",
                                 "このアドレスは既に転送(返信)拒否アドレス帳に登録されています。     "};
const BookTexts kPriorityRejectBookTexts{kPriorityRejectBook, "優先的返信拒否アドレス帳に登録",
                                         "この１件のメールを優先的返信拒否アドレス帳に登録します。  ",
                                         "このアドレスは既に優先的返信拒否アドレス帳に登録されています。     "};
const BookTexts kSpecificSenderBookTexts{kSpecificSenderBook, "特定差出人アドレス帳に登録",
                                         "この１件のメールを特定差出人アドレス帳に登録します。  ",
                                         "このアドレスは既に特定差出人アドレス帳に登録されています。     "};

constexpr const char* kNoSenderSelected = "差出人が選択されていません。　";
constexpr const char* kNoMailSelected = "受信メールを選択して下さい。    ";

enum class Source { ReceiveBox, TrashOrFolder };

struct Registration {
    const char* handler;
    const BookTexts* texts;
    Source source;
    const char* no_selection;
    bool address_book_name;   // commas to full stops, backslashes out when it holds "\(" or "\)"
    bool name_from_book;      // the address book's name for the address, when it has one
    store::ParseCaller parse; // how the request is prepared; whether queued events run while the result is awaited
    bool pump_per_record;     // a queued event runs after every book record without a hit
};

const Registration kRegistrations[] = {
    {"BUTTON10_ON", &kAddressBookTexts, Source::ReceiveBox, kNoSenderSelected, true, false,
     store::ParseCaller::RegisterOrReply, false},
    {"BUTTON34_ON", &kRejectBookTexts, Source::ReceiveBox, kNoMailSelected, false, true,
     store::ParseCaller::RegisterOrReply, true},
    {"YUUSENTEKI_TORO", &kPriorityRejectBookTexts, Source::ReceiveBox, kNoMailSelected, false, true,
     store::ParseCaller::RegisterOrReply, false},
    {"BUTTON49_ON", &kSpecificSenderBookTexts, Source::ReceiveBox, kNoMailSelected, false, true,
     store::ParseCaller::RegisterQuietly, true},
    {"GOMI_KYOHI", &kRejectBookTexts, Source::TrashOrFolder, kNoMailSelected, false, true,
     store::ParseCaller::RegisterOrReply, true},
    // These three prepare the parse as the replies do: the request is written afresh, not deleted
    // first; events run while they wait as with the others.
    {"GOMI_YUUSEN", &kPriorityRejectBookTexts, Source::TrashOrFolder, kNoMailSelected, false, true,
     store::ParseCaller::Reply, false},
    {"GOMI_TOKUTEI", &kSpecificSenderBookTexts, Source::TrashOrFolder, kNoMailSelected, false, true,
     store::ParseCaller::Reply, false},
    {"ADO_TOUROKU_GOMI_F", &kAddressBookTexts, Source::TrashOrFolder, kNoSenderSelected, true, false,
     store::ParseCaller::Reply, false},
};

// Where the selected mail is: the window that owns the boxes and the pointer, its visible list,
// the hidden list of file names beside it and the folder of the files.
struct MailSource {
    std::string window;
    std::string list;
    std::string files;
    std::string folder;
};

std::optional<MailSource> mail_source(Source source) {
    if (source == Source::ReceiveBox) {
        const store::MailStore& box = store::receive_box();
        return MailSource{"MAINFORM", store::receive_list().name(), box.mail_list, box.mail_folder};
    }
    const Globals& g = globals();
    int folder_no;
    if (g.TRASH_WINDOW_OPEN > 0) {
        folder_no = 0;
    } else if (g.FOLDER_WINDOW_OPEN > 0) {
        folder_no = g.FOLDER_NO;
    } else {
        return std::nullopt;
    }
    const store::FolderWindowLists& lists = store::folder_place(folder_no).lists;
    return MailSource{lists.window, lists.received_list, lists.received_files,
                      store::store_by_folder_no(folder_no).mail_folder};
}

// The window of the mail while the registration runs: disabled, so that nothing started from it
// can replace the parse files or its lists meanwhile; the hourglass or the arrow.
class BusyWindow {
public:
    explicit BusyWindow(std::string name) : name_(std::move(name)), was_enabled_(pf::form(name_).enabled) {
        pf::form(name_).set_enabled(false);
        pointer(pf::MousePointer::Hourglass);
    }
    ~BusyWindow() {
        pf::Form& f = pf::form(name_);
        if (!f.loaded) return;
        f.set_pointer(pf::MousePointer::Arrow);
        f.set_enabled(was_enabled_);
    }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

    void pointer(pf::MousePointer p) { pf::form(name_).set_pointer(p); }

private:
    std::string name_;
    bool was_enabled_;
};

void clear_selection(const MailSource& source) {
    if (!pf::forms().is_loaded(source.window)) return;
    pf::form(source.window).control(source.list).select(-1);
}

void REGISTER_SENDER(const Registration& r) {
    auto source = mail_source(r.source);
    if (!source) return;
    pf::Control& list = pf::form(source->window).control(source->list);
    int selected = list.selected();
    if (selected < 0) {
        pf::inform(source->window, "NOT SELECT", sj(r.no_selection));
        return;
    }
    std::string file_name = trim(pf::form(source->window).control(source->files).item(selected));
    globals().MAIL_FILE_NAME = file_name;
    if (file_name.empty()) return;

    BusyWindow busy(source->window);
    pf::pause(20);
    ParseResult result = store::PARSE_MAIL(store::request_path(source->folder, file_name), r.parse);
    if (!pf::forms().is_loaded(source->window) || result.refused()) return;
    if (!result.complete()) {
        busy.pointer(pf::MousePointer::Arrow);
        pf::inform(source->window, "NOT READ", "メールを読み取れませんでした。    "_sj);
        return;
    }

    std::string sender = result.sender();
    AddressEntry entry = split_sender(sender, r.address_book_name);
    if (is_blank(entry.address) || sender.find(exchange::kUnreadableMail) != std::string::npos) {
        busy.pointer(pf::MousePointer::Arrow);
        pf::inform(source->window, "NOT EXIST ADDRESS",
                "差出人のｅメール・アドレスがありません。    "_sj + "\r\n" + "登録できません。"_sj);
        return;
    }
    if (r.name_from_book) {
        auto known = book_name_for(entry.address);
        if (known && !is_blank(*known)) entry.name = *known;
    }
    if (is_blank(entry.name)) entry.name = entry.address;

    busy.pointer(pf::MousePointer::Arrow);
    std::string question = "差出人： "_sj + entry.name + "\r\n" + "ｅメール・アドレス： "_sj + entry.address + "\r\n\r\n" +
                           sj(r.texts->sentence);
    if (pf::message_box(source->window, sj(r.texts->title), question, pf::MsgButtons::OkCancel,
                        pf::MsgIcon::Information) != pf::MsgAnswer::Ok) {
        clear_selection(*source);
        return;
    }
    busy.pointer(pf::MousePointer::Hourglass);
    auto after_miss = r.pump_per_record ? std::function<void()>(pf::EVENT_PUMP) : std::function<void()>();
    if (book_has_address(r.texts->book, entry.address, after_miss)) {
        busy.pointer(pf::MousePointer::Arrow);
        pf::inform(source->window, "ALREADY EXIST", sj(r.texts->already));
        return;
    }
    append_book_entry(r.texts->book, entry, [] { pf::pause(20); });
    clear_selection(*source);
}

}  // namespace

std::vector<pf::NamedHandler> registration_handlers() {
    std::vector<pf::NamedHandler> table;
    for (const Registration& r : kRegistrations) table.push_back({r.handler, [&r] { REGISTER_SENDER(r); }});
    return table;
}

}  // namespace tv::books
