// talvenor-mail parse --resident: the parse helper the program keeps for its whole run. Each line
// on standard input (a socket to the program) asks for one parse, exactly as a `parse` run does it,
// or, after the program stopped a parse, for that mail's unreadable result; the answer line follows
// once the result file is in place. The end of the input, or of the program, ends the helper.
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

#include <cerrno>
#include <string>
#include <string_view>

#include "common/exchange_files.h"
#include "mail/commands.h"

namespace tv::mail {

namespace {
constexpr std::string_view kAnswer = exchange::command::kResidentAnswer;
constexpr std::string_view kStopped = exchange::command::kResidentStoppedRequest;
}  // namespace

int run_parse_resident() {
    // The helper ends with its program, also in the middle of a parse: a program killed and started
    // again at once would otherwise take the late result for the one of its own first parse.
    pid_t program = ::getppid();
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != program) return 0;
    std::string pending;
    char buffer[256];
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 0;  // the program ended
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            bool stopped = std::string_view(pending).substr(0, end + 1) == kStopped;
            pending.erase(0, end + 1);
            if (stopped) {
                run_parse_stopped();
            } else {
                run_parse();
            }
            if (::send(STDIN_FILENO, kAnswer.data(), kAnswer.size(), MSG_NOSIGNAL) < 0) return 0;
        }
    }
}

}  // namespace tv::mail
