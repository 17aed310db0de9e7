#include "books/book_windows.h"

#include <algorithm>
#include <map>
#include <optional>

#include "common/address_book.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/enter_key.h"
#include "platform/platform.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

std::string address_book() { return kAddressBook; }
std::string reject_book() { return kRejectBook; }
std::string sender_book() {
    return globals().SENDER_BOOK_KIND == 2 ? kPriorityRejectBook : kSpecificSenderBook;
}

// Fills started per window: a fill that finds a later one has started gives way to it.
std::map<std::string, int>& fill_generations() {
    static std::map<std::string, int> generations;
    return generations;
}

pf::Control& control(const BookWindow& w, const char* name) { return pf::form(w.form).control(name); }

void empty_boxes(const BookWindow& w) {
    control(w, w.name_box).set_text("");
    control(w, w.address_box).set_text("");
}

void clear_selection(const BookWindow& w) { control(w, w.list).select(-1); }

// The record (index into all records of the book) behind each row of a window's list, in the
// list's order: every row is one record, so two rows that show alike stay two records.
std::map<std::string, std::vector<std::size_t>>& row_records() {
    static std::map<std::string, std::vector<std::size_t>> records;
    return records;
}

// The record the selected row shows, when the book still holds it there.
std::optional<std::size_t> record_of_row(const BookWindow& w, const std::vector<AddressEntry>& records, int row) {
    const auto& behind = row_records()[w.form];
    if (row < 0 || static_cast<std::size_t>(row) >= behind.size()) return std::nullopt;
    std::size_t at = behind[static_cast<std::size_t>(row)];
    if (at >= records.size() || book_list_row(records[at]) != control(w, w.list).item(row)) return std::nullopt;
    return at;
}

// Whether a book holds nothing but blank records (the placeholder among them): only such a book is
// written anew by an add. A book whose lines do not read as records is appended to, never lost.
bool holds_nothing(const std::vector<AddressEntry>& records) {
    for (const auto& r : records) {
        if (!is_blank_entry(r)) return false;
    }
    return true;
}

const char* const kNotFoundTitle = "NOT EXIST DATA";
std::string not_found_text() {
    return "選択されたデータがファイルに見つかりません。    "_sj + "\r\n" +
           "アドレス帳が他で変更された可能性があります。"_sj;
}

// The values typed into the two boxes as they would be stored.
AddressEntry typed_values(const BookWindow& w) {
    return {trim(clean_book_value(control(w, w.name_box).text)), trim(clean_book_value(control(w, w.address_box).text))};
}

void ROW_SELECTION(const BookWindow& w) {
    if (!pf::forms().is_loaded(w.form)) return;
    int row = control(w, w.list).selected();
    if (row < 0) return;
    auto records = read_book_records(w.book());
    auto at = record_of_row(w, records, row);
    control(w, w.name_box).set_text(at ? trim(records[*at].name) : "");
    control(w, w.address_box).set_text(at ? trim(records[*at].address) : "");
}

void ENTER_IN_BOX(const BookWindow& w, bool address_box) {
    if (!pf::forms().is_loaded(w.form)) return;
    if (!pf::take_enter(control(w, address_box ? w.address_box : w.name_box), address_box)) return;
    pf::form(w.form).set_focus(address_box ? w.name_box : w.address_box);
}

// Names are typed in Japanese, addresses in ASCII.
void ime_for(const BookWindow& w, bool name_box) {
    if (!pf::forms().is_loaded(w.form)) return;
    pf::form(w.form).set_input_method(name_box ? pf::InputMethod::Hiragana : pf::InputMethod::Off);
}

// Rewrites the book with the record the row shows replaced (or left out); says so when the row
// matches no record any more. A first record that is not the placeholder is kept as an entry.
void change_record(const BookWindow& w, int row, const std::optional<AddressEntry>& replacement) {
    std::string book = w.book();
    auto records = read_book_records(book);
    auto at = record_of_row(w, records, row);
    if (!at) {
        pf::form(w.form).set_pointer(pf::MousePointer::Arrow);
        pf::inform(w.form, kNotFoundTitle, not_found_text());
        return;
    }
    std::vector<AddressEntry> kept;
    for (std::size_t i = records.empty() || is_blank_entry(records[0]) ? 1 : 0; i < records.size(); ++i) {
        if (i != *at) {
            kept.push_back(records[i]);
        } else if (replacement) {
            kept.push_back(*replacement);
        }
    }
    rewrite_book(book, kept);
}

void ADD_OR_EDIT(const BookWindow& w) {
    if (!pf::forms().is_loaded(w.form)) return;
    pf::Control& list = control(w, w.list);
    int selected = list.selected();
    int top = list.top_index();
    AddressEntry typed = typed_values(w);
    if (typed.name.empty() && typed.address.empty()) {
        if (selected < 0) {
            pf::inform(w.form, "NOT EXIST DATA", "新規入力データまたは、編集データがありません。        "_sj);
            return;
        }
        pf::inform(w.form, "NOT EXIST DATA",
                "空欄では編集できません。        "_sj + "\r\n" + "データを削除する場合は、ダブルクリックして下さい。"_sj);
        if (!pf::forms().is_loaded(w.form)) return;
        clear_selection(w);
        empty_boxes(w);
        return;
    }
    if (typed.name.empty() || typed.address.empty()) {
        pf::inform(w.form, "BAD DATA", "表示名及びｅメール・アドレス、両方を入力して下さい。   "_sj);
        return;
    }
    // The window takes no input until the list is refilled, so that no click stores a change twice.
    set_busy(w.form, true);
    if (selected >= 0) {
        change_record(w, selected, typed);
        fill_book_list(w);
        if (!pf::forms().is_loaded(w.form)) return;
        clear_selection(w);
    } else {
        std::string book = w.book();
        if (holds_nothing(read_book_records(book))) {
            rewrite_book(book, {typed});  // blank records of an empty book go with it
        } else {
            append_book_entry(book, typed);
        }
        fill_book_list(w);
        if (!pf::forms().is_loaded(w.form)) return;
    }
    empty_boxes(w);
    set_busy(w.form, false);
    if (!pf::forms().is_loaded(w.form)) return;
    control(w, w.list).set_top_index(top);
}

void DELETE_ENTRY(const BookWindow& w) {
    if (!pf::forms().is_loaded(w.form)) return;
    pf::Control& list = control(w, w.list);
    int row = list.selected();
    if (row < 0) return;
    int top = list.top_index();
    std::string text = "表示名："_sj + trim(control(w, w.name_box).text) + "\r\n" + "ｅメール・アドレス："_sj +
                       trim(control(w, w.address_box).text) + "\r\n\r\n" + "この１件のアドレスを削除します。   "_sj;
    if (pf::message_box(w.form, "DELETE", text, pf::MsgButtons::OkCancel, pf::MsgIcon::Information) !=
        pf::MsgAnswer::Ok) {
        if (!pf::forms().is_loaded(w.form)) return;
        clear_selection(w);
        empty_boxes(w);
        return;
    }
    if (!pf::forms().is_loaded(w.form)) return;
    set_busy(w.form, true);
    change_record(w, row, std::nullopt);
    fill_book_list(w);
    if (!pf::forms().is_loaded(w.form)) return;
    clear_selection(w);
    empty_boxes(w);
    set_busy(w.form, false);
    if (!pf::forms().is_loaded(w.form)) return;
    control(w, w.list).set_top_index(top);
}

}  // namespace

const BookWindow kAddressBookWindow{"FORM7", "LIST7", "EDIT9", "EDIT10", "BUTTON9", true, address_book};
const BookWindow kRejectBookWindow{"FORM12", "LIST16", "EDIT16", "EDIT17", "BUTTON36", false, reject_book};
const BookWindow kSenderBookWindow{"FORM14", "LIST22", "EDIT23", "EDIT24", "BUTTON47", false, sender_book};

void fill_book_list(const BookWindow& w, int pause_ms) {
    if (!pf::forms().is_loaded(w.form)) return;
    int generation = ++fill_generations()[w.form];
    pf::Control& list = control(w, w.list);
    auto& behind = row_records()[w.form];
    behind.clear();
    if (pause_ms > 0) {
        // The import lists each entry as it is stored, at its pace.
        list.clear();
        auto records = read_book_records(w.book());
        for (std::size_t i = 1; i < records.size(); ++i) {
            if (is_blank_entry(records[i])) continue;
            pf::pause(pause_ms);
            pf::EVENT_PUMP();
            if (!pf::forms().is_loaded(w.form) || fill_generations()[w.form] != generation) return;
            int at = control(w, w.list).add_item(book_list_row(records[i]));
            behind.insert(behind.begin() + at, i);
        }
        return;
    }
    // Every other fill lists the whole book in one step, so that a long book shows at once: no
    // event runs in between and the list sorts once.
    struct Hourglass {
        pf::Form& form;
        pf::MousePointer before = form.pointer;
        explicit Hourglass(pf::Form& f) : form(f) { form.set_pointer(pf::MousePointer::Hourglass); }
        ~Hourglass() { form.set_pointer(before); }  // also when the book cannot be read
    } hourglass(pf::form(w.form));
    auto records = read_book_records(w.book());
    std::vector<std::pair<std::string, std::size_t>> rows;
    rows.reserve(records.size());
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (!is_blank_entry(records[i])) rows.emplace_back(book_list_row(records[i]), i);
    }
    // Rows that sort alike keep the order of their records, as rows added one by one would.
    if (w.sorted) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return files::name_less(a.first, b.first); });
    }
    std::vector<std::string> items;
    items.reserve(rows.size());
    for (auto& [row, record] : rows) {
        items.push_back(std::move(row));
        behind.push_back(record);
    }
    list.set_items(std::move(items));
}

void set_busy(const char* form, bool busy) {
    pf::Form& f = pf::form(form);
    f.set_pointer(busy ? pf::MousePointer::Hourglass : pf::MousePointer::Arrow);
    // What the user clicked or typed while the window was busy waits in the window system; it
    // reaches the window while it is still disabled and so is dropped, not taken as new input
    // once the change is done (a second click on the add button said nothing had been typed).
    if (!busy) {
        if (auto* windows = pf::services().window_system) windows->dispatch_pending_messages();
        if (!pf::forms().is_loaded(form)) return;
    }
    f.set_enabled(!busy);
}

void open_book_window(const char* form) {
    pf::forms().take_child_slot(form);
    pf::forms().load(form);
    pf::form("MAINFORM").set_enabled(false);
}

void restore_main_window() {
    pf::Form& main = pf::form("MAINFORM");
    main.set_enabled(true);
    main.show();
}

void close_book_window(const char* form) {
    pf::forms().unload(form);
    restore_main_window();
}

void define_book_window(pf::Form& f, const BookWindow& w, int width, int height, const char* caption) {
    f.width = width;
    f.height = height;
    f.left = 69;
    f.top = height > 680 ? 20 : 57;
    f.topmost = true;
    f.minimize_box = false;
    f.caption = caption ? sj(caption) : std::string();
    pf::Control& list = f.add(w.list, pf::ControlKind::ListBox, 24, 84, 852, 358);
    list.sorted = w.sorted;
    list.font = pf::gothic(16);
    list.visible_rows = 358 / 22;
    for (auto [name, x, width] : {std::tuple{w.name_box, 24, 414}, std::tuple{w.address_box, 444, 432}}) {
        pf::Control& box = f.add(name, pf::ControlKind::Edit, x, 450, width, 26);
        box.multiline = true;
        box.font = pf::gothic(16);
    }
}

void add_button(pf::Form& f, const char* name, const char* caption, int x, int y, int width, int height,
                double points) {
    pf::Control& b = f.add(name, pf::ControlKind::Button, x, y, width, height);
    b.caption = sj(caption);
    b.font = pf::mincho(points);
}

void draw_column_heads(pf::Form& f) {
    for (auto [x1, x2] : {std::pair{26, 438}, std::pair{442, 873}}) {
        f.draw_box(x1 + 1, 49, x2 + 1, 78, pf::kWhite);
        f.draw_box(x1, 48, x2, 77, pf::kGrey);
    }
    f.font = pf::mincho(18);
    pf::engraved_text(f, 199, 54, "表 示 名"_sj);
    pf::engraved_text(f, 575, 54, "ｅメール・アドレス"_sj);
}

void draw_usage_text(pf::Form& f) {
    pf::sunken_frame(f, 175, 494, 761, 569);
    f.font = pf::mincho(14);
    const char* lines[] = {
        "上記のテキストボックスに表示名及び、ｅメール・アドレスを入力して、左記のボタンによ",
        "って、ファイル登録して下さい。　修正・編集する場合は、上記のリストをクリックして選",
        "択後編集し左記のボタンで登録します。また、入力済みアドレスを削除する場合は、リスト",
        "の各項目をダブルクリックによって削除することができます。",
    };
    // The white copies of all lines first, then the grey ones, so no grey line is overdrawn.
    for (int i = 0; i < 4; ++i) f.draw_text(182, 501 + 17 * i, sj(lines[i]), pf::kWhite);
    for (int i = 0; i < 4; ++i) f.draw_text(181, 500 + 17 * i, sj(lines[i]), pf::kGrey);
}

void clear_face(pf::Form& f) {
    f.background = pf::kFace;
    f.clear_drawing();
    f.set_topmost(true);
    f.show();
}

std::vector<pf::NamedHandler> book_window_handlers() {
    std::vector<pf::NamedHandler> table;
    for (const BookWindow* w : {&kAddressBookWindow, &kRejectBookWindow, &kSenderBookWindow}) {
        std::string list = w->list, name_box = w->name_box, address_box = w->address_box;
        table.push_back({list + "_CLICK", [w] { ROW_SELECTION(*w); }});
        table.push_back({list + "_DBLCLICK", [w] { DELETE_ENTRY(*w); }});
        table.push_back({name_box + "_SETFOCUS", [w] { ime_for(*w, true); }});
        table.push_back({address_box + "_SETFOCUS", [w] { ime_for(*w, false); }});
        table.push_back({name_box + "_CHANGE", [w] { ENTER_IN_BOX(*w, false); }});
        table.push_back({address_box + "_CHANGE", [w] { ENTER_IN_BOX(*w, true); }});
        table.push_back({std::string(w->add_button) + "_ON", [w] { ADD_OR_EDIT(*w); }});
    }
    return table;
}

}  // namespace tv::books
