#include "compose/address_window.h"

#include "common/flag_files.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "transfer/send.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

struct ControlSpec {
    const char* name;
    pf::ControlKind kind;
    int x, y, width, height;
    const char* caption;  // UTF-8 source text, empty: none
    bool gothic;
    double points;
    bool sorted;
};

constexpr ControlSpec kControls[] = {
    {"LIST13", pf::ControlKind::ListBox, 18, 120, 672, 468, "", true, 14, true},
    {"EDIT33", pf::ControlKind::Edit, 480, 12, 210, 24, "", true, 16, false},
    {"RADIO19", pf::ControlKind::Radio, 480, 42, 120, 18, " 表示名で検索", false, 12, false},
    {"RADIO20", pf::ControlKind::Radio, 480, 60, 180, 18, " ｅメール・アドレスで検索", false, 12, false},
    {"LIST30", pf::ControlKind::ListBox, 18, 84, 942, 496, "", true, 14, false},
    {"LIST29", pf::ControlKind::ListBox, 0, 0, 0, 0, "", true, 14, true},
    {"BUTTON73", pf::ControlKind::Button, 684, 594, 84, 36, "１件削除", true, 14, false},
    {"BUTTON74", pf::ControlKind::Button, 774, 594, 90, 36, "全て削除", true, 14, false},
    {"BUTTON92", pf::ControlKind::Button, 876, 594, 84, 36, "閉じる", true, 14, false},
};

// Hidden at load; each layout shows its own.
constexpr const char* kLayoutControls[] = {"LIST30", "BUTTON73", "BUTTON74", "BUTTON92", "RADIO19", "RADIO20", "EDIT33"};

void define(pf::Form& f) {
    f.width = 984;
    f.height = 680;
    f.topmost = true;
    f.background = pf::kFace;
    for (const auto& spec : kControls) {
        auto& c = f.add(spec.name, spec.kind, spec.x, spec.y, spec.width, spec.height);
        c.caption = sj(spec.caption);
        c.font = spec.gothic ? pf::gothic(spec.points) : pf::mincho(spec.points);
        c.sorted = spec.sorted;
        c.menu = spec.kind == pf::ControlKind::Radio ? "search mode" : "";
        if (spec.kind == pf::ControlKind::ListBox) c.visible_rows = spec.height / 18;
    }
    f.control("LIST29").visible = false;
    auto& search = f.control("EDIT33");
    search.multiline = true;  // one line high: Enter types a line break, which starts the search
    search.max_length = 32767;
}

pf::Form& window() { return pf::form("FORM10"); }

void show_control(const char* name, bool shown) {
    pf::Control& c = window().control(name);
    c.visible = shown;
    c.changed();
}

}  // namespace

void define_address_window() { pf::forms().define("FORM10", define); }

void draw_labels(pf::Form& f, std::span<const WindowLabel> labels) {
    constexpr pf::Rgb kBlack{0, 0, 0};
    for (const auto& label : labels) {
        if (label.x1 >= 0) {
            pf::Rgb lit = label.raised ? pf::kWhite : pf::kGrey;
            pf::Rgb shaded = label.raised ? pf::kGrey : pf::kWhite;
            f.draw_line(label.x1, label.y1, label.x2, label.y1, lit);
            f.draw_line(label.x1, label.y1, label.x1, label.y2, lit);
            f.draw_line(label.x2, label.y1, label.x2, label.y2, shaded);
            f.draw_line(label.x1, label.y2, label.x2, label.y2, shaded);
        }
        f.font = pf::mincho(18, pf::SizeUnit::Points, false, label.italic);
        f.draw_text(label.x + 1, label.y + 1, sj(label.text), pf::kWhite);
        f.draw_text(label.x, label.y, sj(label.text), kBlack);
    }
}

void FORM10_START() {
    if (!pf::forms().is_loaded("FORM10")) return;
    pf::Form& f = window();
    f.hide();
    f.background = pf::kFace;
    f.clear_drawing();
    for (const char* name : kLayoutControls) show_control(name, false);
    Globals& g = globals();
    g.PICKER_SEARCH_MODE = open_flag_record(kPickerSearchModeFile);
    long long mode = numeric_value(g.PICKER_SEARCH_MODE);
    if (mode == 0 || mode == 1) {
        f.control("RADIO19").set_checked(mode == 0);
        f.control("RADIO20").set_checked(mode == 1);
        f.set_input_method(mode == 0 ? pf::InputMethod::Hiragana : pf::InputMethod::Off);
    }
    if (g.UNSENT_MODE > 0) {
        show_unsent_layout();
    } else {
        show_picker_layout();
    }
}

void FORM10_QUERYCLOSE() {
    if (!pf::forms().is_loaded("FORM10")) return;
    transfer::refresh_unsent_button();
    Globals& g = globals();
    pf::forms().unload("FORM10");
    if (g.UNSENT_MODE > 0) {
        pf::Form& main = pf::form("MAINFORM");
        main.set_enabled(true);
        main.show();
        g.UNSENT_MODE = 0;
        return;
    }
    // The desktop clipboard is the user's: closing the picker leaves it alone.
    if (pf::forms().is_loaded("FORM9")) {
        pf::Form& compose = pf::form("FORM9");
        compose.bring_to_front();
        compose.set_enabled(true);
        compose.show();
    }
}

void BUTTON92_ON() { FORM10_QUERYCLOSE(); }

void FORM10_CLICK() {
    if (!pf::forms().is_loaded("FORM10")) return;
    window().control(globals().UNSENT_MODE == 0 ? "LIST13" : "LIST30").select(-1);
}

}  // namespace tv::compose
