// The program started on the headless platform, with stand-in trash and folder windows (their
// lists where their definitions put them) and every popup procedure recorded instead of run.
#pragma once

#include <string>
#include <vector>

#include "common/globals.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/list_registration.h"
#include "shell/popup_menus.h"
#include "shell/right_click.h"

namespace tv::shell {

namespace pf = tv::platform;

struct PopupProgram {
    test::Harness h;
    std::vector<std::string> ran;  // popup procedures, in order

    PopupProgram() {
        h.start();
        define_list_window("FORM8", "LIST10", 284, "LIST11", 228);
        define_list_window("FORM16", "LIST27", 286, "LIST28", 216);
        pf::handlers().set("FORM8_START", [] {
            globals().FOLDER_NO = 0;
            pf::EXTATTACH("FORM8", "LIST10");
            pf::EXTATTACH("FORM8", "LIST11");
        });
        pf::handlers().set("FORM16_START", [] {
            pf::EXTATTACH("FORM16", "LIST27");
            pf::EXTATTACH("FORM16", "LIST28");
        });
        for (const ListPopup& p : list_popups()) {
            for (const PopupMenuItem& item : p.menu->items) {
                for (const char* name : {item.procedure, item.folder_procedure}) {
                    if (*name) pf::handlers().set(name, [this, n = std::string(name)] { ran.push_back(n); });
                }
            }
        }
        activate("MAINFORM");
        h.boxes().clear();
    }

    // A window without a menu bar: its frame is the main window's less the menu bar.
    static void define_list_window(const char* name, const char* upper, int upper_height, const char* lower,
                                   int lower_height) {
        pf::forms().define(name, [=](pf::Form& f) {
            f.width = 632;
            f.height = 700;
            f.frame_width = 8;
            f.frame_height = 34;
            for (auto [list, y, height] : {std::tuple{upper, 78, upper_height}, std::tuple{lower, 450, lower_height}}) {
                pf::Control& c = f.add(list, pf::ControlKind::ListBox);
                c.x = 12, c.y = y, c.width = 600, c.height = height;
                c.visible_rows = height / 14;
            }
        });
    }

    void activate(const std::string& window) {
        pf::input::activate(pf::form(window));
        h.settle();
    }
    // Opens the trash or folder window as its button would: the main window steps aside.
    void open(const std::string& window) {
        pf::forms().load(window);
        pf::Form& f = pf::form(window);
        f.visible = true;
        f.changed();
        pf::form("MAINFORM").visible = false;
        activate(window);
    }
    void close(const std::string& window) {
        pf::forms().unload(window);
        pf::form("MAINFORM").visible = true;
        activate("MAINFORM");
    }
    // A right click at a point of a window's client area, through the event loop.
    void right_click(const std::string& window, int x, int y) {
        pf::input::press_right_button(pf::form(window), x, y);
        h.settle();
    }
    static pf::Control& list(const std::string& window, const std::string& name) {
        return pf::form(window).control(name);
    }
    static void fill(const std::string& window, const std::string& name, int rows) {
        pf::Control& l = list(window, name);
        l.clear();
        for (int i = 0; i < rows; ++i) l.add_item(name + " row " + std::to_string(i));
    }
    pf::headless::ScriptedPopupMenu& popups() { return h.platform.popup_menu; }
};

}  // namespace tv::shell
