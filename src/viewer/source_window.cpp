#include "viewer/source_window.h"

#include <algorithm>

#include "common/globals.h"
#include "common/iso2022jp.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/mail_stores.h"
#include "store/receive_list.h"
#include "viewer/viewer_drawing.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr int kMinWidth = 656, kMinHeight = 300;  // outer size

void define(pf::Form& f) {
    // 846 x 472 outside, sizable, with minimise and maximise boxes.
    f.set_outer_size(846, 472, 8, 30);
    f.left = 90;
    f.top = 60;
    f.sizable = true;
    f.maximize_box = true;
    f.topmost = true;
    f.caption = "詳細"_sj;
    pf::Control& text = f.add("EDIT7", pf::ControlKind::Edit);
    text.x = 18;
    text.y = 12;
    text.width = 798;
    text.height = 408;
    text.multiline = true;
    text.read_only = true;
    text.word_wrap = true;
    text.scroll_bars = pf::ScrollBars::Vertical;
    text.font = pf::gothic(16);
}

// The folder of the mail: the trash, the folder FOLDER_NO, or the receive box; empty for a folder
// window showing no folder.
std::string mail_folder() {
    auto& g = globals();
    if (g.TRASH_WINDOW_OPEN > 0) return store::trash_store().mail_folder;
    if (g.FOLDER_WINDOW_OPEN > 0) {
        if (g.FOLDER_NO < 0 || g.FOLDER_NO > 4) return {};
        return store::store_by_folder_no(g.FOLDER_NO).mail_folder;
    }
    return store::receive_box().mail_folder;
}

void draw_hints(pf::Form& f) {
    int y = f.outer_height() - 80;
    f.font = pf::mincho(14);
    raised_text(f, 20, y, "* 添付ファイルのファイルサイズが大きい場合、読み込みに時間がかかる場合があります。"_sj);
    raised_text(f, 20, y + 16, "  読み込みを途中でキャンセルしたい場合は[Esc]keyをどうぞ。"_sj);
}

void set_pointer(pf::Form& f, pf::MousePointer pointer) {
    f.pointer = pointer;
    f.changed();
}

// The mail's lines, trimmed and converted, each with CR LF. Window messages are dispatched once per
// line; Esc ends the reading (the line read then is dropped). False when the window was closed
// meanwhile: then nothing more is done to it.
bool gather(const std::string& path, std::string& text) {
    auto data = files::read_bytes(path);
    if (!data) return true;
    pf::forget_escape_presses();  // an Esc pressed before this reading began is not meant for it
    for (const auto& line : files::split_lines(*data)) {
        bool escape = pf::escape_key_pressed();
        if (!pf::forms().is_loaded("FORM2")) return false;
        if (escape) break;
        text += jis_to_cp932(trim(line)) + "\r\n";
    }
    return true;
}

}  // namespace

void define_source_window() { pf::forms().define("FORM2", define); }

std::string source_caption(std::string_view row, bool folder_row) {
    std::string subject = trim(folder_row ? mid_bytes(row, 52, 56) : mid_bytes(row, 57, 61));
    std::string date = trim(from_byte(row, folder_row ? 110 : 119));
    return "詳細 ･･･ "_sj + subject + (folder_row ? "  ( " : " ( ") + date + " )";
}

void BUTTON4_ON() {
    auto& g = globals();
    pf::Control& list = store::receive_list();
    int row = list.selected();
    g.DETAIL_ROW_TEXT = row >= 0 ? list.item(row) : std::string();
    if (row < 0) {
        pf::inform("MAINFORM", "NOT SELECT", "受信メールを選択して下さい。    "_sj);
        return;
    }
    g.MAIL_FILE_NAME = store::listed_name(store::work_list("LIST2"), row + 1);
    if (is_blank(g.MAIL_FILE_NAME)) return;
    pf::forms().load("FORM2");
    pf::Form& source = pf::form("FORM2");
    source.show();
    pf::Form& main = pf::form("MAINFORM");
    main.set_enabled(false);
    main.hide();
    source.set_topmost(true);
}

void FORM2_START() {
    if (!pf::forms().is_loaded("FORM2")) return;
    auto& g = globals();
    pf::Form& f = pf::form("FORM2");
    f.background = pf::kFace;
    f.clear_drawing();
    set_pointer(f, pf::MousePointer::Hourglass);
    pf::Control& box = f.control("EDIT7");
    box.font = pf::gothic(16);
    box.width = 798;
    box.height = 380;
    box.changed();

    std::string folder = mail_folder();
    std::string path = folder.empty() ? std::string() : files::join(folder, g.MAIL_FILE_NAME);
    if (!path.empty() && files::file_exists(path)) {
        f.caption = source_caption(g.DETAIL_ROW_TEXT, g.TRASH_WINDOW_OPEN > 0 || g.FOLDER_WINDOW_OPEN > 0);
        f.changed();
        std::string text;
        if (!gather(path, text)) return;
        box.text = std::move(text);
        box.changed();
        f.set_focus("EDIT7");
    }
    draw_hints(f);
    set_pointer(f, pf::MousePointer::Arrow);
}

void FORM2_RESIZE() {
    if (!pf::forms().is_loaded("FORM2")) return;
    pf::Form& f = pf::form("FORM2");
    if (f.minimized) return;
    f.background = pf::kFace;
    f.clear_drawing();
    int w = f.outer_width(), h = f.outer_height();
    pf::Control& box = f.control("EDIT7");
    box.width = std::max(0, w - 50);
    box.height = std::max(0, h - 100);
    box.changed();
    // Too small a window grows back to the least size; each change raises this event again.
    if (w < kMinWidth) {
        f.set_window_state(pf::WindowState::Normal);
        f.set_size(kMinWidth - f.frame_width, h - f.frame_height);
    }
    if (h < kMinHeight) {
        f.set_window_state(pf::WindowState::Normal);
        f.set_size(w - f.frame_width, kMinHeight - f.frame_height);
    }
    draw_hints(f);
}

void FORM2_QUERYCLOSE() {
    auto& g = globals();
    pf::forms().unload("FORM2");
    std::string back = g.TRASH_WINDOW_OPEN > 0 ? "FORM8" : g.FOLDER_WINDOW_OPEN > 0 ? "FORM16" : "MAINFORM";
    // A window that is gone cannot come back: the main window does, so the user is never left
    // without one.
    if (!pf::forms().is_loaded(back)) back = "MAINFORM";
    pf::Form& w = pf::form(back);
    w.show();
    if (back != "MAINFORM") w.set_topmost(true);
    w.set_enabled(true);
}

}  // namespace tv::viewer
