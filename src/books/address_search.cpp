#include "books/address_search.h"

#include "books/address_book_window.h"
#include "common/address_book.h"
#include "common/flag_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

pf::Control& search_box() { return pf::form("FORM7").control("EDIT32"); }

void focus_search_box() { pf::form("FORM7").set_focus("EDIT32"); }

void choose_mode(const char* mode) {
    if (!pf::forms().is_loaded("FORM7")) return;
    search_box().text.clear();
    search_box().changed();
    write_flag_record(kSearchModeFile, mode);
    globals().ADDRESS_SEARCH_MODE = mode;
    bool as_typed = numeric_value(mode) == 0;
    pf::form("FORM7").set_input_method(as_typed ? pf::InputMethod::Hiragana : pf::InputMethod::Off);
    focus_search_box();
}

// Whether a row holds the key in the current mode: as typed, or with ASCII letters upper-cased on
// both sides; any other mode finds nothing.
bool row_holds(const std::string& row, const std::string& key) {
    switch (numeric_value(globals().ADDRESS_SEARCH_MODE)) {
        case 0: return contains_text(row, key);
        case 1: return contains_text(upper_ascii(row), upper_ascii(key));
        default: return false;
    }
}

}  // namespace

void RADIO17_ON() { choose_mode("0"); }

void RADIO18_ON() { choose_mode("1"); }

void EDIT32_SETFOCUS() {
    if (!pf::forms().is_loaded("FORM7")) return;
    for (const char* name : {"EDIT9", "EDIT10"}) {
        pf::Control& box = pf::form("FORM7").control(name);
        box.text.clear();
        box.changed();
    }
}

void EDIT32_CHANGE() {
    if (!pf::forms().is_loaded("FORM7")) return;
    pf::Control& box = search_box();
    std::size_t at = box.text.find("\r\n");
    if (at == std::string::npos) {  // plain typing searches nothing
        focus_search_box();
        return;
    }
    std::string rest = box.text.substr(0, at) + box.text.substr(at + 2);
    std::string key = trim(rest);
    box.text = key;
    box.changed();
    if (rest.empty()) return;

    pf::Control& list = pf::form("FORM7").control("LIST7");
    int n = list.count();
    int selected = list.selected();
    int start = (selected < 0 || selected >= n - 1) ? 0 : selected + 1;
    for (int i = start; i < n; ++i) {
        if (!row_holds(list.item(i), key)) continue;
        list.select(i);
        focus_search_box();
        return;
    }
    pf::message_box("FORM7", "NOT EXIST !", "検索できませんでした。　　　　"_sj, pf::MsgButtons::Ok, pf::MsgIcon::Information);
    if (!pf::forms().is_loaded("FORM7")) return;
    pf::Control& shown = pf::form("FORM7").control("LIST7");
    if (shown.count() > 0) {
        shown.select(-1);
        shown.changed();
    }
    focus_search_box();
}

}  // namespace tv::books
