// The actions the kill campaign drives: each moves, restores, returns or deletes mail through the
// windows, on a row and folders chosen by a seed.
#pragma once

#include <string>
#include <vector>

namespace tv::bench {

enum class Window { Main, Trash, Folder };
enum class Verb { ToTrash, ToFolder, Back, Delete, DeleteAll };

struct ActionKind {
    const char* name;
    Window window;
    bool received;
    Verb verb;
};

const std::vector<ActionKind>& action_kinds();
const ActionKind* find_action(const std::string& name);

// What one run does: the menu item that opens its window ("" for the main window), the list, the
// row and the handler that acts on it; `source` names the store the mail leaves.
struct ActionPlan {
    std::string opener;
    std::string form;
    std::string list;
    std::string handler;
    std::string source;
    int folder_no = -1;  // the window's FOLDER_NO; -1 for the main window
};

ActionPlan plan_action(const ActionKind& kind, unsigned long seed);

// The row the seed picks among `rows`.
int row_of(unsigned long seed, int rows);

}  // namespace tv::bench
