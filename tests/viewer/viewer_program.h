// The program started on a few received and sent mails, with what the viewer's tests look at.
#pragma once

#include <string>
#include <vector>

#include "common/globals.h"
#include "harness/harness.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/input.h"

namespace tv::viewer::test {

using namespace tv::literals;
namespace pf = tv::platform;
using Strings = std::vector<std::string>;

inline std::string mail_name(int i) { return "20261201_10000" + std::to_string(i) + ".eml"; }
inline std::string sent_name(int i) { return "20261201_20000" + std::to_string(i) + ".txt"; }

struct ViewerProgram {
    tv::test::Harness h;

    // Received mails 1..n, each file its own parse result; sent mails 1..n.
    explicit ViewerProgram(int mails = 3) {
        h.install_fake_parser();
        for (int i = 1; i <= mails; ++i) {
            std::string n = std::to_string(i);
            h.add_mail("JUSINBOX", mail_name(i), "Tue, 1 Dec 2026 10:00:0" + n, "s" + n + " <s" + n + "@example.jp>",
                       "mail " + n);
            h.write("SYSTEM_F\\F_D_F\\20261201_10000" + n + ".dxd",
                    "\"DATE: 2026/12/01 10:00:0" + n + "\",\"FROM: s" + n + "\",\"SUBJECT: " +
                        (i == 1 ? "<未>"_sj : std::string()) + "mail " + n + "\",\" \"\r\n");
            h.write_lines("SOUSINBOX\\" + sent_name(i), {"DATE:2026/12/01 20:00:0" + n, "FROM:me <me@example.jp>",
                                                         "TO:to" + n + "@example.jp", "SUBJECT:sent " + n, "BODY:", "",
                                                         "body " + n, "FILE:"});
        }
    }
    void start() {
        EXPECT_TRUE(h.start());
        h.boxes().clear();
    }

    static pf::Form& viewer() { return pf::form("FORM3"); }
    static pf::Control& control(const char* form, const char* name) { return pf::form(form).control(name); }
    static std::string text(const char* name) { return viewer().control(name).text; }
    static bool loaded(const char* form) { return pf::forms().is_loaded(form); }

    void double_click(const char* list, int row) {
        pf::input::double_click_row(control("MAINFORM", list), row);
        h.settle();
    }
    // Opens the received mail of LIST3 row `row` (or the sent mail of LIST1) in the viewer.
    void open_received(int row) { double_click("LIST3", row); }
    void open_sent(int row) { double_click("LIST1", row); }
    void close_viewer() {
        pf::input::request_close(viewer());
        h.settle();
    }
    // Loads the viewer for a mail as the trash and folder windows do.
    void open_view(int mode, const std::string& file) {
        globals().VIEW_MODE = mode;
        globals().MAIL_FILE_NAME = file;
        globals().SUBWIN_MAIL_FILE = file;
        pf::forms().take_child_slot("FORM3");
        pf::forms().load("FORM3");
        h.settle();
    }
    // The parse script answers with these lines (written as they are: no end line is added).
    void parse_answers(const Strings& lines) {
        h.scripts().on("sam046.wsf", [this, lines] { h.write_lines("SYSTEM_F\\YOMITORI.txt", lines); });
    }

    // Every text drawn on a window, in order.
    static Strings drawn(const char* form) {
        Strings out;
        for (const auto& op : pf::form(form).drawing()) {
            if (op.kind == pf::DrawOp::Kind::Text) out.push_back(op.text);
        }
        return out;
    }
    static bool was_drawn(const char* form, const std::string& text) {
        for (const auto& t : drawn(form)) {
            if (t == text) return true;
        }
        return false;
    }
    // A drawn text as the windows draw every text: white one pixel right and down, then black.
    static bool drawn_raised(const char* form, int x, int y, const std::string& text) {
        const auto& ops = pf::form(form).drawing();
        for (std::size_t i = 0; i + 1 < ops.size(); ++i) {
            const auto &white = ops[i], &black = ops[i + 1];
            if (white.kind == pf::DrawOp::Kind::Text && black.kind == pf::DrawOp::Kind::Text && white.text == text &&
                black.text == text && white.x1 == x + 1 && white.y1 == y + 1 && black.x1 == x && black.y1 == y &&
                white.color == pf::kWhite && black.color == pf::Rgb{0, 0, 0}) {
                return true;
            }
        }
        return false;
    }
    Strings titles() {
        Strings out;
        for (const auto& box : h.boxes().shown()) out.push_back(box.title);
        return out;
    }
};

// A window of another subsystem as a test needs it: loaded and shown, with these lists.
inline pf::Form& stand_in_window(const char* name, const Strings& lists) {
    pf::Form& f = pf::form(name);
    f.loaded = true;
    f.visible = true;
    for (const auto& list : lists) {
        if (!f.has(list)) f.add(list, pf::ControlKind::ListBox);
    }
    return f;
}

}  // namespace tv::viewer::test
