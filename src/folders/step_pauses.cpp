#include "folders/step_pauses.h"

#include <array>

#include "platform/platform.h"

namespace tv::folders {

namespace {

struct ActionPauses {
    MailAction action;
    StepPauses received, sent;
};

// start, records, mail copy, record copy, mail remove, record remove, cache, rows, listing
constexpr std::array<ActionPauses, 7> kPauses{{
    {MailAction::TrashFromMain, {1, 2, 1, 1, 1, 1, 2, 1, 2}, {1, 0, 1, 0, 1, 0, 0, 0, 2}},
    {MailAction::FolderFromMain, {0, 2, 1, 1, 1, 1, 2, 1, 2}, {1, 0, 1, 0, 1, 0, 0, 0, 2}},
    {MailAction::BetweenWindows, {0, 2, 1, 1, 1, 1, 2, 1, 2}, {0, 0, 1, 0, 1, 0, 0, 0, 2}},
    {MailAction::TrashRestore, {0, 1, 1, 1, 0, 0, 2, 1, 2}, {0, 0, 1, 0, 0, 0, 0, 0, 2}},
    {MailAction::FolderReturn, {0, 1, 1, 1, 0, 1, 2, 1, 1}, {0, 0, 1, 0, 0, 0, 0, 0, 0}},
    {MailAction::TrashDelete, {0, 3, 0, 0, 2, 1, 2, 1, 2}, {1, 0, 0, 0, 2, 0, 0, 0, 2}},
    {MailAction::FolderDelete, {0, 3, 0, 0, 1, 1, 2, 1, 2}, {1, 0, 0, 0, 2, 0, 0, 0, 2}},
}};

}  // namespace

const StepPauses& step_pauses(MailAction action, bool received) {
    for (const auto& row : kPauses) {
        if (row.action == action) return received ? row.received : row.sent;
    }
    return kPauses[0].received;
}

void pause_steps(int count) {
    for (int i = 0; i < count; ++i) platform::pause(20);
}

}  // namespace tv::folders
