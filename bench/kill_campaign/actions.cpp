#include "actions.h"

#include "folders/mail_lists.h"
#include "store/mail_stores.h"

namespace tv::bench {

namespace {

const char* const kFolderMenu[] = {"", "JOB_F", "PRIVATE_F", "HOBBY_F", "ANOTHER_F"};
const char* const kFolderMovePrefix[] = {"", "JOB", "PRIV", "HOBB", "ANOTH"};

std::string store_name(int folder_no, bool received) {
    if (folder_no < 0) return received ? store::receive_box().name : "send box";
    return store::store_by_folder_no(folder_no).name;
}

// The folder (1-4) the seed picks, other than `besides`.
int folder_of(unsigned long seed, int besides) {
    if (besides < 1) return static_cast<int>(seed % 4) + 1;
    return (besides + static_cast<int>(seed % 3)) % 4 + 1;
}

std::string handler_of(const ActionKind& k, int from, int to) {
    bool r = k.received;
    switch (k.verb) {
        case Verb::ToTrash:
            if (k.window == Window::Main) return r ? "BUTTON11_ON" : "BUTTON12_ON";
            return r ? "GOMIBAKO_IDOU_JU" : "GOMIBAKO_IDOU_SOU";
        case Verb::ToFolder:
            if (k.window == Window::Main) return "BUTTON" + std::to_string(62 + 2 * (to - 1) + (r ? 0 : 1)) + "_ON";
            return std::string(kFolderMovePrefix[to]) + (r ? "_IDOU_JUSIN" : "_IDOU_SOUSIN");
        case Verb::Back:
            if (from == 0) return r ? "BUTTON16_ON" : "BUTTON17_ON";
            return r ? "BUTTON54_ON" : "BUTTON58_ON";
        case Verb::Delete:
            if (from == 0) return r ? "BUTTON14_ON" : "BUTTON15_ON";
            return r ? "BUTTON55_ON" : "BUTTON59_ON";
        case Verb::DeleteAll:
            if (from == 0) return r ? "BUTTON18_ON" : "BUTTON19_ON";
            return r ? "BUTTON56_ON" : "BUTTON60_ON";
        case Verb::Receive:
            return "BUTTON3";
        case Verb::Answer:
            return "BUTTON30";
        case Verb::Exit:
            return {};
    }
    return {};
}

}  // namespace

const std::vector<ActionKind>& action_kinds() {
    static const std::vector<ActionKind> kinds{
        {"main-recv-to-trash", Window::Main, true, Verb::ToTrash},
        {"main-sent-to-trash", Window::Main, false, Verb::ToTrash},
        {"main-recv-to-folder", Window::Main, true, Verb::ToFolder},
        {"main-sent-to-folder", Window::Main, false, Verb::ToFolder},
        {"trash-recv-restore", Window::Trash, true, Verb::Back},
        {"trash-sent-restore", Window::Trash, false, Verb::Back},
        {"trash-recv-to-folder", Window::Trash, true, Verb::ToFolder},
        {"trash-sent-to-folder", Window::Trash, false, Verb::ToFolder},
        {"folder-recv-to-trash", Window::Folder, true, Verb::ToTrash},
        {"folder-sent-to-trash", Window::Folder, false, Verb::ToTrash},
        {"folder-recv-to-folder", Window::Folder, true, Verb::ToFolder},
        {"folder-sent-to-folder", Window::Folder, false, Verb::ToFolder},
        {"folder-recv-return", Window::Folder, true, Verb::Back},
        {"folder-sent-return", Window::Folder, false, Verb::Back},
        {"trash-recv-delete", Window::Trash, true, Verb::Delete},
        {"trash-sent-delete", Window::Trash, false, Verb::Delete},
        {"folder-recv-delete", Window::Folder, true, Verb::Delete},
        {"folder-sent-delete", Window::Folder, false, Verb::Delete},
        {"trash-recv-delete-all", Window::Trash, true, Verb::DeleteAll},
        {"trash-sent-delete-all", Window::Trash, false, Verb::DeleteAll},
        {"folder-recv-delete-all", Window::Folder, true, Verb::DeleteAll},
        {"folder-sent-delete-all", Window::Folder, false, Verb::DeleteAll},
        // The receive button of the main window, and its closing with the trash emptied at exit.
        {"receive", Window::Main, true, Verb::Receive},
        {"exit-empty-trash", Window::Main, true, Verb::Exit},
        // The answering mode started with its button: its first check receives, forwards and answers.
        {"answer", Window::Main, true, Verb::Answer},
    };
    return kinds;
}

const ActionKind* find_action(const std::string& name) {
    for (const ActionKind& k : action_kinds()) {
        if (name == k.name) return &k;
    }
    return nullptr;
}

ActionPlan plan_action(const ActionKind& k, unsigned long seed) {
    ActionPlan plan;
    int from = k.window == Window::Main ? -1 : k.window == Window::Trash ? 0 : folder_of(seed, 0);
    int to = k.verb == Verb::ToFolder ? folder_of(seed / 4, from) : 0;
    plan.folder_no = from;
    plan.handler = handler_of(k, from, to);
    plan.source = store_name(from, k.received);
    if (k.verb == Verb::Receive || k.verb == Verb::Exit || k.verb == Verb::Answer) {
        plan.gesture = k.verb == Verb::Receive  ? Gesture::Button
                       : k.verb == Verb::Answer ? Gesture::StartMode
                                                : Gesture::Close;
        plan.form = "MAINFORM";
        plan.source = k.verb == Verb::Exit ? store::trash_store().name : "server";
        return plan;
    }
    if (from < 0) {
        folders::MailList list = k.received ? folders::main_received_list() : folders::main_sent_list();
        plan.form = list.form;
        plan.list = list.list;
        return plan;
    }
    plan.opener = from == 0 ? "GOMINAKO" : kFolderMenu[from];
    folders::MailList list = folders::window_list(from, k.received);
    plan.form = list.form;
    plan.list = list.list;
    return plan;
}

int row_of(unsigned long seed, int rows) { return rows > 0 ? static_cast<int>((seed / 16) % rows) : -1; }

}  // namespace tv::bench
