#include "answering_run.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "live_program.h"
#include "platform/forms.h"

namespace tv::bench {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

bool mode_waits() { return pf::form("MAINFORM").control("TIMER3").timer_enabled; }

}  // namespace

bool start_answering_mode(LiveProgram& program) {
    program.boxes().answer_next(pf::MsgAnswer::Yes);
    program.click("MAINFORM", "BUTTON30");
    return !program.ended() && mode_waits();
}

bool run_answering_check(LiveProgram& program, int limit_ms) {
    // A check runs inside one pass of the loop: once its receive has started and the pass is over,
    // the check has ended.
    int receives = program.script_starts("sam045.wsf");
    return program.run_until(
        [&] { return program.script_starts("sam045.wsf") > receives && globals().ANSWER_CHECK_RUNNING == 0; },
        limit_ms);
}

std::vector<std::string> stop_answering_mode(LiveProgram& program) {
    program.boxes().clear();
    program.restore("MAINFORM");
    std::vector<std::string> others;
    for (const auto& box : program.boxes().shown()) {
        if (box.title != "タルベノール停止"_sj) others.push_back(to_utf8(box.title) + ": " + to_utf8(trim(box.text)));
    }
    program.boxes().clear();
    if (!program.ended() && mode_waits()) others.push_back("the mode still waits after the window was restored");
    return others;
}

}  // namespace tv::bench
