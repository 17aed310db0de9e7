#include "transfer/handover_files.h"

#include "common/globals.h"
#include "common/text_file.h"
#include "platform/platform.h"

namespace tv::transfer {

// Each flag is raised after its file is complete: a write that fails leaves nothing pending.
void hand_over_recipient(const std::string& recipient) {
    files::write_line(kRecipientHandover, recipient);
    globals().ATESAKI_PENDING = 1;
    platform::pause(20);
}

void hand_over_draft(const std::string& subject, const std::vector<std::string>& body) {
    std::vector<std::string> lines{subject, " "};
    if (body.empty()) {
        lines.emplace_back();
    } else {
        lines.insert(lines.end(), body.begin(), body.end());
    }
    files::write_lines(kReplyDraft, lines);
    Globals& g = globals();
    g.HENSIN_PENDING = 1;
    g.COMPOSE_TICKS = 0;
    platform::pause(20);
}

void set_handovers_idle() {
    Globals& g = globals();
    g.ATESAKI_PENDING = 0;
    files::write_line(kRecipientHandover, "");
    platform::pause(20);
    g.HENSIN_PENDING = 0;
    g.COMPOSE_TICKS = 0;
    files::write_line(kReplyDraft, " ");
    platform::pause(20);
}

}  // namespace tv::transfer
