// Placeholder until the receive and send commands are built.
#include "mail/commands.h"

namespace tv::mail {
int run_receive() { return 1; }
int run_send() { return 1; }
}  // namespace tv::mail
