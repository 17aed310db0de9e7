#include "books/address_search.h"

#include "books/address_book_window.h"
#include "common/address_book.h"
#include "common/flag_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/enter_key.h"
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
    search_box().set_text("");
    write_flag_record(kSearchModeFile, mode);
    globals().ADDRESS_SEARCH_MODE = mode;
    bool as_typed = numeric_value(mode) == 0;
    pf::form("FORM7").set_input_method(as_typed ? pf::InputMethod::Hiragana : pf::InputMethod::Off);
    focus_search_box();
}

}  // namespace

void RADIO17_ON() { choose_mode("0"); }

void RADIO18_ON() { choose_mode("1"); }

void EDIT32_SETFOCUS() {
    if (!pf::forms().is_loaded("FORM7")) return;
    for (const char* name : {"EDIT9", "EDIT10"}) pf::form("FORM7").control(name).set_text("");
}

void EDIT32_CHANGE() {
    if (!pf::forms().is_loaded("FORM7")) return;
    pf::Control& box = search_box();
    bool nothing_typed = box.text == "\r\n";
    if (!pf::take_enter(box)) {  // plain typing searches nothing
        focus_search_box();
        return;
    }
    if (nothing_typed) return;

    pf::Control& list = pf::form("FORM7").control("LIST7");
    if (auto row = next_matching_row(list.items(), list.selected(), box.text, globals().ADDRESS_SEARCH_MODE)) {
        list.select(*row);
        focus_search_box();
        return;
    }
    pf::inform("FORM7", "NOT EXIST !", "検索できませんでした。　　　　"_sj);
    if (!pf::forms().is_loaded("FORM7")) return;
    pf::form("FORM7").control("LIST7").select(-1);
    focus_search_box();
}

}  // namespace tv::books
