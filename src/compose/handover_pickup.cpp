#include "compose/handover_pickup.h"

#include <optional>

#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "compose/attachments.h"
#include "compose/compose_window.h"
#include "compose/messages.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/timers.h"
#include "transfer/handover_files.h"

namespace tv::compose {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

pf::Form& compose_form() { return pf::form("FORM9"); }

// Reads a hand-over file; a file that cannot be read is told once and taken as missing.
std::optional<std::vector<std::string>> read_handover(const char* path) {
    try {
        return files::read_lines(path);
    } catch (const RuntimeError&) {
        files::close_all_files();
        report_file_error("FORM9", "ファイルを読み込めませんでした。   "_sj, path);
        return std::nullopt;
    }
}

// The recipient is the whole line, so a comma or colon in a display name does not cut it.
void take_recipient() {
    auto lines = read_handover(transfer::kRecipientHandover);
    if (lines) {
        compose_form().control("EDIT12").set_text(trim(lines->empty() ? std::string() : lines->front()));
        compose_form().set_focus("EDIT14");
    }
    globals().ATESAKI_PENDING = 0;
}

void take_draft() {
    if (auto lines = read_handover(transfer::kReplyDraft)) {
        pf::Control& body_lines = compose_form().control("LIST14");
        if (!lines->empty()) compose_form().control("EDIT14").set_text(trim(lines->front()));
        for (std::size_t i = 2; i < lines->size(); ++i) body_lines.add_item((*lines)[i]);
        pf::pause(20);
        std::string body = "  \r\n  \r\n  \r\n";
        for (const auto& line : body_lines.items()) body += trim_right(line) + "\r\n";
        compose_form().control("EDIT11").set_text(body);
    }
    globals().HENSIN_PENDING = 0;
    pf::pause(20);
    EDIT11_CHANGE();
    pf::pause(20);
    compose_form().set_focus("EDIT11");
    pf::pause(20);
}

}  // namespace

void TIMER2_TIMER() {
    if (!pf::forms().is_loaded("FORM9")) return;
    pf::Control& timer = compose_form().control("TIMER2");
    // A tick that was waiting when the timer was stopped (the To box or the attachment line took
    // the focus) does not run.
    if (!timer.timer_enabled) return;
    pf::stop_timer(timer);
    Globals& g = globals();
    ++g.COMPOSE_TICKS;
    if (g.ATESAKI_PENDING > 0) take_recipient();
    pf::pause(20);
    // A draft is taken only on the first tick after it was handed over.
    if (g.COMPOSE_TICKS > 1) {
        g.COMPOSE_TICKS = 2;
    } else if (g.HENSIN_PENDING > 0) {
        take_draft();
        if (pf::forms().is_loaded("FORM9")) pf::start_timer(timer);
        return;
    }
    compose_form().control("EDIT13").set_text(attachment_line(compose_form().control("LIST12").items()));
    pf::start_timer(timer);
}

}  // namespace tv::compose
