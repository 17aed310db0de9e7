// The popup menus of the six mail lists: their items, and what each item runs over each list.
#pragma once

#include <span>
#include <string>

namespace tv::shell {

struct PopupMenuItem {
    const char* name;
    const char* caption;           // UTF-8 source text
    int destination;               // where the item moves the mail: 0 trash, 1-4 folders, -1 none
    const char* procedure;         // handler run over a main or trash list; "" none
    const char* folder_procedure;  // handler run over a folder window's list; "" none
};

struct PopupMenuDefinition {
    const char* menu;   // "MENU2" .. "MENU5"
    const char* popup;  // "DUMMY" .. "DUMMY4"
    std::span<const PopupMenuItem> items;
};

enum class PopupWindow { Main, Trash, Folder };

// One list with a popup menu.
struct ListPopup {
    const char* window;
    const char* list;
    const char* other;  // the window's other mail list, whose selection a right click clears
    double divisor;     // rows per list height: the row pitch is the list's height divided by it
    const PopupMenuDefinition* menu;
    PopupWindow kind;
};

const PopupMenuDefinition& MENU2();
const PopupMenuDefinition& MENU3();
const PopupMenuDefinition& MENU4();
const PopupMenuDefinition& MENU5();

std::span<const ListPopup> list_popups();

// The handler an item runs over a list of this kind of window ("" none).
const char* item_procedure(const PopupMenuItem& item, PopupWindow kind);

}  // namespace tv::shell
