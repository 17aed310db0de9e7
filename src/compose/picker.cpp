#include "compose/picker.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "common/address_book.h"
#include "common/errors.h"
#include "common/flag_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "compose/address_window.h"
#include "compose/messages.h"
#include "compose/recipient_text.h"
#include "platform/enter_key.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "transfer/handover_files.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr std::array<WindowLabel, 6> kLabels{{
    {"宛   先", 80, 12, 18, 5, 200, 35},
    {"検 索", 289, 12, 265, 5, 355, 35, true},
    {"Key word ：", 375, 14, -1, 0, 0, 0, false, true},
    {"表 示 名", 130, 94, 18, 88, 310, 115},
    {"ｅメール・アドレス", 422, 94, 314, 88, 690, 115},
    {"ダブルクリックによって宛先を選択して下さい。", 23, 600, 18, 593, 690, 625},
}};

// The book entry behind each row of LIST13, in the list's order, so that a chosen row hands over
// exactly its own entry.
std::vector<AddressEntry> g_entries;

pf::Form& picker() { return pf::form("FORM10"); }
pf::Control& rows() { return picker().control("LIST13"); }
pf::Control& search_box() { return picker().control("EDIT33"); }

void fill_rows() {
    std::vector<AddressEntry> entries = read_book(kAddressBook);
    std::vector<std::string> row_texts;
    for (const auto& e : entries) row_texts.push_back(picker_row(e.name, e.address));
    // The list keeps its rows in the one sorted order; the entries follow them.
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return files::name_less(row_texts[a], row_texts[b]); });
    g_entries.clear();
    for (std::size_t i : order) g_entries.push_back(entries[i]);
    rows().set_items(row_texts);
}

void choose_mode(const char* mode, pf::InputMethod method) {
    if (!pf::forms().is_loaded("FORM10")) return;
    search_box().set_text("");
    try {
        write_flag_record(kPickerSearchModeFile, mode);
    } catch (const RuntimeError&) {
        // The mode still holds for this opening; it is only not remembered.
    }
    globals().PICKER_SEARCH_MODE = mode;
    picker().set_input_method(method);
    picker().set_focus("EDIT33");
}

}  // namespace

std::string picker_row(std::string_view name, std::string_view address) {
    return fit_width(name, 40) + "  " + fit_width(address, 50);
}

void BUTTON26_ON() {
    if (!pf::forms().is_loaded("FORM9")) return;
    if (child_slot_taken("FORM10", "FORM9")) return;
    pf::Form& main = pf::form("MAINFORM");
    if (!main.minimized) main.set_window_state(pf::WindowState::Minimized);
    if (globals().UNSENT_MODE > 0) {
        pf::inform("FORM9", "CAN NOT CHANGE !"_sj, "未送信メールのため変更できません。    "_sj);
        return;
    }
    pf::Form& compose = pf::form("FORM9");
    pf::pause(20);
    pf::start_timer(compose.control("TIMER2"));
    pf::pause(20);
    load_into_child_slot("FORM10", "FORM9");
    compose.set_enabled(false);
}

void show_picker_layout() {
    pf::Form& f = picker();
    f.set_size(714, 684);
    f.show();
    f.set_topmost(true);
    f.caption = "宛  先"_sj;
    f.changed();
    draw_labels(f, kLabels);
    for (const char* name : {"RADIO19", "RADIO20", "EDIT33"}) {
        f.control(name).visible = true;
        f.control(name).changed();
    }
    fill_rows();
}

void EDIT33_CHANGE() {
    if (!pf::forms().is_loaded("FORM10")) return;
    pf::Control& box = search_box();
    bool nothing_typed = box.text == "\r\n";
    if (!pf::take_enter(box)) {
        picker().set_focus("EDIT33");
        return;
    }
    if (nothing_typed) return;
    pf::Control& list = rows();
    if (auto row = next_matching_row(list.items(), list.selected(), box.text, globals().PICKER_SEARCH_MODE)) {
        list.select(*row);
        picker().set_focus("EDIT33");
        return;
    }
    pf::inform("FORM10", "NOT EXIST !"_sj, "検索できませんでした。　　　　"_sj);
    list.select(-1);
    picker().set_focus("EDIT33");
}

void EDIT33_SETFOCUS() {}

void RADIO19_ON() { choose_mode("0", pf::InputMethod::Hiragana); }
void RADIO20_ON() { choose_mode("1", pf::InputMethod::Off); }

void LIST13_DBLCLICK() {
    if (!pf::forms().is_loaded("FORM10")) return;
    int selected = rows().selected();
    if (selected < 0 || selected >= static_cast<int>(g_entries.size())) return;
    const AddressEntry& entry = g_entries[static_cast<std::size_t>(selected)];
    try {
        transfer::hand_over_recipient(recipient_text(entry.name, trim(entry.address)));
    } catch (const RuntimeError&) {
        files::close_all_files();
        report_file_error("FORM10", "宛先を渡せませんでした。   "_sj, transfer::kRecipientHandover);
    }
    pf::forms().unload("FORM10");
    if (!pf::forms().is_loaded("FORM9")) pf::forms().load("FORM9");
    pf::Form& compose = pf::form("FORM9");
    compose.show();
    compose.bring_to_front();
    compose.set_enabled(true);
}

}  // namespace tv::compose
