#include "viewer/viewer_window.h"

#include <exception>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "transfer/component_check.h"
#include "viewer/print_font.h"
#include "viewer/received_view.h"
#include "viewer/sent_view.h"
#include "viewer/view_modes.h"
#include "viewer/viewer_drawing.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::ControlKind;

namespace {

constexpr pf::Rgb kBlue{0, 0, 255};

struct ControlSpec {
    const char* name;
    ControlKind kind;
    int x, y, width, height;
    double points;        // "ＭＳ ゴシック"
    const char* caption;  // UTF-8 source text
};

constexpr ControlSpec kControls[] = {
    {"EDIT15", ControlKind::Edit, 84, 12, 594, 18, 12, ""},
    {"EDIT22", ControlKind::Edit, 84, 72, 744, 18, 12, ""},
    {"BUTTON13", ControlKind::Button, 696, 6, 132, 24, 14, "名前を付けて保存"},
    {"BUTTON53", ControlKind::Button, 696, 36, 132, 24, 14, "印　刷"},
    {"EDIT8", ControlKind::Edit, 12, 96, 816, 462, 18, ""},
    {"LIST23", ControlKind::ListBox, 36, 432, 780, 104, 12, ""},
    {"BUTTON88", ControlKind::Button, 12, 564, 66, 18, 12, "<<"},
    {"BUTTON89", ControlKind::Button, 78, 564, 66, 18, 12, ">>"},
    {"RADIO9", ControlKind::Radio, 672, 564, 48, 18, 14, " 小"},
    {"RADIO10", ControlKind::Radio, 720, 564, 48, 18, 14, " 中"},
    {"RADIO11", ControlKind::Radio, 768, 564, 54, 18, 14, " 大"},
    {"EDIT34", ControlKind::Edit, 54, 588, 552, 20, 12, ""},
    {"BUTTON91", ControlKind::Button, 612, 588, 54, 19, 14, "Paste"},
    {"BUTTON90", ControlKind::Button, 672, 588, 102, 19, 14, "Go Internet!"},
    {"LIST4", ControlKind::ListBox, 54, 612, 588, 86, 16, ""},
    {"BUTTON22", ControlKind::Button, 648, 612, 180, 42, 14, "添付ファイルを保存する"},
    {"BUTTON23", ControlKind::Button, 648, 660, 180, 37, 14, "添付ファイルを開く"},
};

// The print-font buttons and the size each stands for.
struct FontRadio {
    const char* name;
    const char* size;
};
constexpr FontRadio kFontRadios[] = {{"RADIO9", "8"}, {"RADIO10", "10"}, {"RADIO11", "12"}};

void define(pf::Form& f) {
    // 847 x 747 outside, a title bar with a close box only.
    f.set_outer_size(847, 747, 8, 30);
    f.left = 80;
    f.top = 20;
    f.minimize_box = false;
    f.topmost = true;
    f.caption = program_caption();
    for (const auto& spec : kControls) {
        pf::Control& c = f.add(spec.name, spec.kind);
        c.x = spec.x;
        c.y = spec.y;
        c.width = spec.width;
        c.height = spec.height;
        c.font = pf::gothic(spec.points);
        c.caption = sj(spec.caption);
    }
    for (const char* line : {"EDIT15", "EDIT22"}) {
        pf::Control& c = f.control(line);
        c.read_only = true;
        c.back_color = pf::kFace;
    }
    pf::Control& body = f.control("EDIT8");
    body.multiline = true;
    body.read_only = true;
    body.word_wrap = true;
    body.scroll_bars = pf::ScrollBars::Vertical;
    body.back_color = pf::kWhite;
    f.control("EDIT34").back_color = pf::kWhite;
    f.control("LIST23").visible = false;
    f.control("LIST4").back_color = pf::kWhite;
    for (const auto& radio : kFontRadios) {
        pf::Control& c = f.control(radio.name);
        c.menu = "PRINT_FONT";  // one group
        c.back_color = pf::kFace;
    }
}

// The drawn face of the viewer: the print-font text, the URL frame and the attachment frame.
void draw_face(pf::Form& f) {
    f.font = pf::gothic(14);
    raised_text(f, 475, 566, "* 印刷時のフォントサイズ ： "_sj);
    struct Frame { int top, bottom; };
    for (auto [top, bottom] : {Frame{588, 606}, Frame{612, 697}}) {
        f.draw_box(13, top, 48, bottom, kBlue);
        f.draw_line(48, top, 48, bottom, pf::kWhite);
        f.draw_line(13, bottom, 48, bottom, pf::kWhite);
        if (top == 588) {
            f.font = pf::mincho(14);
            raised_text(f, 21, 591, "URL");
        } else {
            f.font = pf::mincho(18);
            raised_text(f, 22, 629, "添"_sj);
            raised_text(f, 22, 664, "付"_sj);
        }
    }
}

void select_font_radio(pf::Form& f) {
    auto& g = globals();
    g.PRINT_FONT_SIZE = read_print_font_size();
    long long size = numeric_value(g.PRINT_FONT_SIZE);
    for (const auto& radio : kFontRadios) {
        pf::Control& c = f.control(radio.name);
        c.checked = numeric_value(radio.size) == size;
        c.changed();
    }
}

// Every control as the load prepares it for any view.
void set_up_controls(pf::Form& f) {
    bool steps = globals().VIEW_MODE <= 2;
    for (const char* step : {"BUTTON88", "BUTTON89"}) {
        pf::Control& c = f.control(step);
        c.visible = steps;
        c.changed();
    }
    for (const char* name : {"BUTTON22", "BUTTON23", "LIST4"}) {
        pf::Control& c = f.control(name);
        c.enabled = true;
        c.changed();
    }
    f.control("LIST4").clear();
    f.control("EDIT34").text.clear();
    f.set_focus("EDIT8");
    select_font_radio(f);
}

void choose_font(const FontRadio& radio) {
    if (!pf::forms().is_loaded("FORM3")) return;
    auto& g = globals();
    if (pf::form("FORM3").control(radio.name).checked) g.PRINT_FONT_SIZE = radio.size;
    write_print_font_size(g.PRINT_FONT_SIZE);
}

}  // namespace

void define_viewer_window() { pf::forms().define("FORM3", define); }

void FORM3_START() {
    if (!pf::forms().is_loaded("FORM3")) return;
    auto& g = globals();
    pf::Form& f = pf::form("FORM3");
    pf::Form& main = pf::form("MAINFORM");
    if (pf::forms().is_loaded("FORM9")) pf::form("FORM9").hide();
    main.set_enabled(false);
    f.set_topmost(true);
    f.background = pf::kFace;
    f.clear_drawing();
    // Without the mail component the program ends before anything of the viewer shows.
    transfer::BASP_CHECK("FORM3");
    f.show();
    main.pointer = pf::MousePointer::Hourglass;
    main.changed();
    f.caption = program_caption();
    f.changed();
    set_up_controls(f);
    draw_face(f);
    f.set_focus("EDIT8");

    const ViewMode* view = view_mode(g.VIEW_MODE);
    if (!view) return;
    if (view->received) {
        f.set_enabled(false);
        show_received_mail(*view);
    } else {
        show_sent_mail(*view);
    }
}

void FORM3_QUERYCLOSE() {
    int mode = globals().VIEW_MODE;
    pf::forms().unload("FORM3");
    return_from_viewer(mode, 50);
}

void FORM3_RESIZE() {}

void RADIO9_ON() { choose_font(kFontRadios[0]); }
void RADIO10_ON() { choose_font(kFontRadios[1]); }
void RADIO11_ON() { choose_font(kFontRadios[2]); }

bool open_viewer(bool disable_first) {
    if (!pf::forms().child_slot().empty()) return false;
    pf::Form& main = pf::form("MAINFORM");
    try {
        if (disable_first) {
            main.set_enabled(false);
            pf::pause(20);
        }
        pf::forms().take_child_slot("FORM3");
        pf::forms().load("FORM3");
        if (!disable_first) main.set_enabled(false);
    } catch (const std::exception&) {
        pf::forms().free_child_slot("FORM3");
        main.set_enabled(true);
        pf::inform("MAINFORM", program_caption(), "メールを開くことができませんでした。    "_sj);
        return false;
    }
    return true;
}

void return_from_viewer(int mode, int compose_pause_ms) {
    const ViewMode* view = view_mode(mode);
    std::string back = view ? view->return_window : "MAINFORM";
    if (pf::forms().is_loaded(back)) {
        pf::Form& w = pf::form(back);
        if (w.minimized) w.set_window_state(pf::WindowState::Normal);
        w.show();
        w.set_enabled(true);
    }
    // Shown only now, so that a main window that an opened attachment had hidden brings it back too.
    if (pf::form("MAINFORM").visible) {
        pf::pause(compose_pause_ms);
        if (pf::forms().is_loaded("FORM9")) pf::form("FORM9").show();
    }
}

}  // namespace tv::viewer
