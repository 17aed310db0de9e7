#include "viewer/viewer_controls.h"

#include <exception>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "viewer/main_boxes.h"
#include "viewer/openers.h"
#include "viewer/view_modes.h"
#include "viewer/viewer_window.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// Replaces the viewer by one for the mail `delta` rows away in its list; a beep at either end.
void step(int delta) {
    auto& g = globals();
    const MainBox* box = g.VIEW_MODE == 1 ? &kReceiveBox : g.VIEW_MODE == 2 ? &kSendBox : nullptr;
    if (!box) return;
    pf::Control& list = box_list(*box);
    int count = list.count(), top = list.top_index();
    // The row the viewer was opened on: the list's selection may have gone meanwhile (a save of a
    // sent mail clears it).
    int recorded = box->received ? g.VIEW_RECV_ROW : g.VIEW_SENT_ROW;
    int row = recorded >= 0 ? recorded : list.selected();
    record_row(*box, row);
    int next = row + delta;
    if (next < 0 || next > count - 1) {
        pf::beep();
        return;
    }
    if (box->received) g.UNREAD_CLEAR_ROW = next;
    g.MAIL_FILE_NAME = box_file_name(*box, next);
    if (is_blank(g.MAIL_FILE_NAME)) return;
    record_row(*box, next);
    pf::forms().unload("FORM3");
    pf::pause(20);
    pf::forms().take_child_slot("FORM3");
    pf::forms().load("FORM3");
    pf::form("MAINFORM").set_enabled(false);
    after_opening(*box, next, top, true);
}

// The text with blanks, tabs and line breaks around it taken off: a pasted line keeps its line end.
std::string without_surrounding_space(std::string_view text) {
    std::string out = trim(text);
    for (;;) {
        std::size_t start = out.find_first_not_of("\r\n\t");
        std::size_t end = out.find_last_not_of("\r\n\t");
        std::string inner = start == std::string::npos ? std::string() : trim(out.substr(start, end - start + 1));
        if (inner == out) return out;
        out = std::move(inner);
    }
}

}  // namespace

std::optional<std::string> web_address(std::string_view text) {
    std::string address = without_surrounding_space(text);
    if (address.empty() || address.find_first_of("\r\n") != std::string::npos) return std::nullopt;
    std::string upper = upper_ascii(address);
    if (upper.starts_with("HTTP://") || upper.starts_with("HTTPS://")) return address;
    if (upper.starts_with("WWW.")) return "http://" + address;
    return std::nullopt;
}

void BUTTON88_ON() { step(-1); }

void BUTTON89_ON() { step(+1); }

void BUTTON90_ON() {
    if (!pf::forms().is_loaded("FORM3")) return;
    pf::Form& f = pf::form("FORM3");
    auto address = web_address(f.control("EDIT34").text);
    if (!address) {
        pf::inform("FORM3", "Bad URL !", "URL が無効です。   "_sj);
        if (!pf::forms().is_loaded("FORM3")) return;
        f.control("EDIT34").select_all();
        f.set_focus("EDIT34");
        return;
    }
    int mode = globals().VIEW_MODE;
    pf::forms().unload("FORM3");
    return_from_viewer(mode, 20);
    const ViewMode* view = view_mode(mode);
    if (view && pf::forms().is_loaded(view->return_window)) {
        pf::form(view->return_window).set_window_state(pf::WindowState::Minimized);
    }
    try {
        pf::shell_open_address(*address);
    } catch (const std::exception&) {
        // The desktop shows its own failure; the viewer is gone already.
    }
}

void BUTTON91_ON() {
    if (!pf::forms().is_loaded("FORM3")) return;
    auto text = pf::clipboard_text();
    if (!text) {
        pf::beep();  // text the box cannot hold
        return;
    }
    pf::Control& box = pf::form("FORM3").control("EDIT34");
    box.text = *text;
    box.changed();
}

void EDIT34_SETFOCUS() {
    if (!pf::forms().is_loaded("FORM3")) return;
    pf::Form& f = pf::form("FORM3");
    f.set_input_method(pf::InputMethod::Off);
    f.control("EDIT34").select_all();
}

void EDIT15_SETFOCUS() {
    if (pf::forms().is_loaded("FORM3")) pf::form("FORM3").set_input_method(pf::InputMethod::Off);
}

void FORM3_CLICK() {
    if (pf::forms().is_loaded("FORM3")) pf::form("FORM3").set_focus("");
}

}  // namespace tv::viewer
