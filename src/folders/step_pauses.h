// The fixed pauses of each move, return and delete of a mail. They are part of how each action
// behaves, so each action has its own row; the steps of the one move and delete keep the order
// that loses nothing (files first, then the lists), and each pause stands after its step.
#pragma once

namespace tv::folders {

// Counts of 20 ms pauses (a 40 ms pause counts two).
struct StepPauses {
    int start = 0;          // before the first step
    int records = 0;        // while the store's records are looked up
    int mail_copy = 0;      // after the mail file's copy
    int record_copy = 0;    // after the record's copy
    int mail_remove = 0;    // after the mail file's delete
    int record_remove = 0;  // after the record's delete
    int cache = 0;          // around the rewrite of the received list's cache
    int rows = 0;           // after the received list is refilled
    int listing = 0;        // while the hidden file listing is refilled
};

enum class MailAction {
    TrashFromMain,   // SAKUJO
    FolderFromMain,  // IDOU
    BetweenWindows,  // *_IDOU_JUSIN, *_IDOU_SOUSIN, GOMIBAKO_IDOU_JU, GOMIBAKO_IDOU_SOU
    TrashRestore,    // BUTTON16_ON, BUTTON17_ON
    FolderReturn,    // BUTTON54_ON, BUTTON58_ON
    TrashDelete,     // SAKUJO_G
    FolderDelete,    // SAKUJO_FOR
};

const StepPauses& step_pauses(MailAction action, bool received);

// Pauses `count` times 20 ms.
void pause_steps(int count);

}  // namespace tv::folders
