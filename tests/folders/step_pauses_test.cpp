#include <gtest/gtest.h>

#include "folder_program.h"

namespace tv::folders {
namespace {

// One action on the first row of a list, and the time it spends in its fixed pauses. A restore's
// time is counted up to the refill of the main window, whose own pauses are its business.
struct PauseCase {
    const char* opener;  // menu item that opens the window first, or ""
    const char* form;
    const char* list;
    const char* handler;
    std::int64_t ms;
};

TEST(StepPauses, EachActionPausesAsLong) {
    const std::vector<PauseCase> cases{
        {"", "MAINFORM", "LIST3", "BUTTON11_ON", 240},
        {"", "MAINFORM", "LIST1", "BUTTON12_ON", 100},
        {"", "MAINFORM", "LIST3", "BUTTON62_ON", 220},
        {"", "MAINFORM", "LIST1", "BUTTON63_ON", 100},
        {"GOMINAKO", "FORM8", "LIST10", "JOB_IDOU_JUSIN", 220},
        {"GOMINAKO", "FORM8", "LIST11", "JOB_IDOU_SOUSIN", 80},
        {"PRIVATE_F", "FORM16", "LIST27", "GOMIBAKO_IDOU_JU", 220},
        {"PRIVATE_F", "FORM16", "LIST28", "GOMIBAKO_IDOU_SOU", 80},
        {"GOMINAKO", "FORM8", "LIST10", "BUTTON14_ON", 220},
        {"GOMINAKO", "FORM8", "LIST11", "BUTTON15_ON", 100},
        {"PRIVATE_F", "FORM16", "LIST27", "BUTTON55_ON", 200},
        {"PRIVATE_F", "FORM16", "LIST28", "BUTTON59_ON", 100},
        {"GOMINAKO", "FORM8", "LIST10", "BUTTON16_ON", 180},
        {"GOMINAKO", "FORM8", "LIST11", "BUTTON17_ON", 80},
        {"PRIVATE_F", "FORM16", "LIST27", "BUTTON54_ON", 180},
        {"PRIVATE_F", "FORM16", "LIST28", "BUTTON58_ON", 20},
        // Every mail and every record of a list: the cache, then 20 ms a file.
        {"GOMINAKO", "FORM8", "LIST10", "BUTTON18_ON", 20 + 2 * 20 + 40 + 2 * 20},
        {"GOMINAKO", "FORM8", "LIST11", "BUTTON19_ON", 2 * 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handler);
        FolderProgram p;
        for (const store::MailStore* s : {&store::receive_box(), &trash(), &store::store_by_folder_no(2)}) {
            for (int i = 1; i <= 2; ++i) {
                p.add_received(*s, i);
                p.add_sent(s->sent_folder, i);
            }
        }
        p.start();
        if (*c.opener) p.choose(c.opener);
        std::int64_t at_refill = -1;
        pf::handlers().set("MAINFORM_START", [&] { at_refill = p.h.clock().paused_ms(); });
        p.h.click_row(c.form, c.list, 0);
        p.h.clock().reset_pauses();
        p.h.run_trapped([&] { pf::handlers().run(c.handler); });
        EXPECT_EQ(at_refill >= 0 ? at_refill : p.h.clock().paused_ms(), c.ms);
        EXPECT_FALSE(p.h.program_ended());
    }
}

}  // namespace
}  // namespace tv::folders
