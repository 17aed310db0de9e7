// talvenor-mail parse --resident: the parse helper the program keeps for its whole run. Each line
// on standard input (a socket to the program) asks for one parse, exactly as a `parse` run does it;
// the answer line follows once the result file is in place. The end of the input ends the helper.
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "common/exchange_files.h"
#include "mail/commands.h"

namespace tv::mail {

namespace {
constexpr std::string_view kAnswer = exchange::command::kResidentAnswer;
}  // namespace

int run_parse_resident() {
    std::string pending;
    char buffer[256];
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return 0;  // the program ended
        pending.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            pending.erase(0, end + 1);
            run_parse();
            if (::send(STDIN_FILENO, kAnswer.data(), kAnswer.size(), MSG_NOSIGNAL) < 0) return 0;
        }
    }
}

}  // namespace tv::mail
