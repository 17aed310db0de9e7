// The actions the kill campaign drives: each moves, restores, returns or deletes mail through the
// windows, on a row and folders chosen by a seed; or receives mail with the main window's button,
// or closes the main window with the trash to be emptied at exit, or starts the answering mode and
// lets its first check run.
#pragma once

#include <string>
#include <vector>

namespace tv::bench {

enum class Window { Main, Trash, Folder };
enum class Verb { ToTrash, ToFolder, Back, Delete, DeleteAll, Receive, Exit, Answer };

struct ActionKind {
    const char* name;
    Window window;
    bool received;
    Verb verb;
};

const std::vector<ActionKind>& action_kinds();
const ActionKind* find_action(const std::string& name);

// How the user sets an action off: the handler of a chosen row run as its event would be, a button
// of the window clicked, the window closed, or the answering mode's start button clicked and its
// question answered Yes (the action then is the mode's first check).
enum class Gesture { RowHandler, Button, Close, StartMode };

// What one run does: the menu item that opens its window ("" for the main window), the list, the
// row and the handler that acts on it (or the button clicked, or nothing when the window is
// closed); `source` names the store the mail leaves ("server" for a receive or an answering check).
struct ActionPlan {
    Gesture gesture = Gesture::RowHandler;
    std::string opener;
    std::string form;
    std::string list;
    std::string handler;  // the handler, or the button's control name
    std::string source;
    int folder_no = -1;  // the window's FOLDER_NO; -1 for the main window
};

ActionPlan plan_action(const ActionKind& kind, unsigned long seed);

// The row the seed picks among `rows`.
int row_of(unsigned long seed, int rows);

}  // namespace tv::bench
