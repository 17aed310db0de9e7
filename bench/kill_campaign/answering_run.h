// The answering mode as the kill campaign runs it: started as its user starts it, one check let run
// to its end, stopped as its user stops it.
#pragma once

#include <string>
#include <vector>

namespace tv::bench {

class LiveProgram;

// The start button of the main window, its question answered Yes; whether the mode then waits.
bool start_answering_mode(LiveProgram& program);

// Runs the program until the mode's next check has ended (every check begins with a receive);
// false when none ended within `limit_ms`.
bool run_answering_check(LiveProgram& program, int limit_ms);

// Restores the minimised main window, which stops the mode and says so; the messages shown besides
// that one ("title: text", UTF-8), and one when the mode still waits.
std::vector<std::string> stop_answering_mode(LiveProgram& program);

}  // namespace tv::bench
