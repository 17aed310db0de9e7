// PARSE_MAIL: has one stored received mail read by the parse script and returns its result lines.
//
// The program writes the mail's path to SYSTEM_F\CHECK.txt, starts the parse script, waits for it
// and polls SYSTEM_F\YOMITORI.txt until its end line. Every caller uses one row of the table of
// forms below: the steps before the launch, the pauses while polling, the bound and what happens
// at the bound.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/parse_result.h"

namespace tv::store {

// Polls without a complete result after which a wait gives up.
inline constexpr int kPollBound = 1000;

// One step before the script is started.
struct PreStep {
    enum class Op { DeleteRequest, DeleteResult, CallerStep, WriteRequest, Pause };
    // When the step's pause falls: after the step always, after it only when a file was deleted,
    // or before the deletion when the file exists.
    enum class When { After, AfterIfDeleted, BeforeIfExists };
    Op op;
    int pause_ms = 0;
    When when = When::After;
};

enum class ParseCaller {
    Rebuild,          // FIRST_RUN_REBUILD, REBUILD_STORE_PASS
    SilentReindex,    // D_SAIK_AOUTO
    MainListRepair,   // MAINFORM_START
    Viewer,           // FORM3_START
    Receive,          // JUSIN
    RegisterOrReply,  // BUTTON10_ON, BUTTON34_ON, YUUSENTEKI_TORO, GOMI_KYOHI, ...
    Reply,            // BUTTON32_ON, GOMIBAKO_HENSIN, FORDA_HENSIN, GOMI_YUUSEN, GOMI_TOKUTEI, ADO_TOUROKU_GOMI_F
    RegisterQuietly,  // BUTTON49_ON: no event runs while it waits
    FolderListRepair, // FORM8_START, FORM16_START
};

struct ParseForm {
    ParseCaller caller;
    const char* script;              // "sam046.wsf" or "sam047.wsf"
    std::vector<PreStep> before_launch;
    int pause_after_script = 0;
    int miss_pause_before_count = 0;  // a poll that finds no result file
    int miss_pause_after_count = 0;   // ... when the wait goes on
    int incomplete_pause = 0;         // a read that ends before the end line
    bool stop_when_line1_blank = false;
    int pumps_per_poll = 0;           // queued events run at the top and at the end of every poll
    const char* owner = "MAINFORM";   // the window that owns the stop message
};

// The table of forms, one row per caller.
const ParseForm& parse_form(ParseCaller caller);

// The request path of a mail: the store's mail folder, "\", the listed name trimmed.
std::string request_path(std::string_view mail_folder, std::string_view file_name);

// Runs the exchange. `caller_step` runs at the caller's own step before the launch.
// The stopping forms end the program when line 1 is blank after the wait.
ParseResult PARSE_MAIL(const std::string& request, ParseCaller caller,
                       const std::function<void()>& caller_step = {});

// Ends the program because the parse script stopped answering; `owner` owns the message.
[[noreturn]] void stop_script_not_answering(const std::string& owner = "MAINFORM");

// Whether an exchange is running (a nested call is refused).
bool parse_exchange_running();

}  // namespace tv::store
