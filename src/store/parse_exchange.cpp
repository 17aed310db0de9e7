#include "store/parse_exchange.h"

#include <array>

#include "common/exchange_files.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/progress_window.h"

namespace tv::store {

namespace {

using Op = PreStep::Op;
using When = PreStep::When;
namespace pf = tv::platform;
using exchange::kParseResultFile;
using exchange::kRequestFile;

// The rebuilds and the silent re-index share their steps before the launch.
const std::vector<PreStep> kRebuildSteps{
    {Op::DeleteRequest, 20}, {Op::DeleteResult, 20}, {Op::CallerStep, 20}, {Op::WriteRequest, 20}};
// The list repairs: the request goes first, then a result that exists, 20 ms after it was found.
const std::vector<PreStep> kRepairSteps{
    {Op::DeleteRequest}, {Op::DeleteResult, 20, When::BeforeIfExists}, {Op::WriteRequest}};
const std::vector<PreStep> kRegisterSteps{
    {Op::DeleteResult, 20, When::AfterIfDeleted}, {Op::DeleteRequest, 20, When::AfterIfDeleted}, {Op::WriteRequest, 20}};

const std::array<ParseForm, 9> kForms{{
    //  caller                 script        before launch   after  miss  miss  incomplete stop  pumps
    {ParseCaller::Rebuild, "sam046.wsf", kRebuildSteps, 0, 20, 20, 20, true, 0},
    {ParseCaller::SilentReindex, "sam046.wsf", kRebuildSteps, 20, 20, 20, 20, false, 0},
    {ParseCaller::MainListRepair, "sam047.wsf", kRepairSteps, 0, 20, 0, 0, true, 0},
    {ParseCaller::Viewer, "sam046.wsf", {{Op::DeleteResult}, {Op::DeleteRequest}, {Op::WriteRequest, 20}}, 0, 20, 0, 0,
     true, 0, "FORM3"},
    {ParseCaller::Receive, "sam046.wsf",
     {{Op::DeleteRequest, 20}, {Op::DeleteResult, 20}, {Op::DeleteResult}, {Op::CallerStep, 20}, {Op::WriteRequest, 20}},
     20, 20, 0, 20, false, 0},
    {ParseCaller::RegisterOrReply, "sam046.wsf", kRegisterSteps, 0, 0, 0, 0, false, 2},
    {ParseCaller::Reply, "sam046.wsf",
     {{Op::DeleteResult, 20, When::AfterIfDeleted}, {Op::WriteRequest, 20}}, 0, 0, 0, 0, false, 2},
    {ParseCaller::RegisterQuietly, "sam046.wsf", kRegisterSteps, 0, 0, 0, 0, false, 0},
    {ParseCaller::FolderListRepair, "sam047.wsf", kRepairSteps, 0, 0, 0, 0, false, 0},
}};

bool g_running = false;

class RunningGuard {
public:
    RunningGuard() { g_running = true; }
    ~RunningGuard() { g_running = false; }
    RunningGuard(const RunningGuard&) = delete;
    RunningGuard& operator=(const RunningGuard&) = delete;
};

void run_step(const PreStep& step, const std::string& request, const std::function<void()>& caller_step) {
    auto delete_step = [&](const char* path) {
        if (step.when == When::BeforeIfExists) {
            if (files::file_exists(path)) {
                pf::pause(step.pause_ms);
                files::remove_if_exists(path);
            }
            return;
        }
        bool deleted = files::remove_if_exists(path);
        if (step.when == When::After || deleted) pf::pause(step.pause_ms);
    };
    switch (step.op) {
        case Op::DeleteRequest: delete_step(kRequestFile); return;
        case Op::DeleteResult: delete_step(kParseResultFile); return;
        case Op::CallerStep:
            if (caller_step) caller_step();
            break;
        case Op::WriteRequest: files::write_line(kRequestFile, request); break;
        case Op::Pause: break;
    }
    pf::pause(step.pause_ms);
}

void pump(int times) {
    for (int i = 0; i < times; ++i) pf::EVENT_PUMP();
}

// The parse's marks of the mail: written before the result, so current once a result is in.
std::vector<std::string> result_marks() {
    std::vector<std::string> marks;
    for (const auto& line : files::read_lines(exchange::kParseMarksFile).value_or(std::vector<std::string>{})) {
        if (!is_blank(line)) marks.push_back(trim(line));
    }
    return marks;
}

// The stopping forms end the program when line 1 is blank after the wait.
ParseResult finish(const ParseForm& form, ParseResult::Status status, std::vector<std::string> lines) {
    std::vector<std::string> marks = status == ParseResult::Status::CutShort ? std::vector<std::string>{} : result_marks();
    ParseResult result(status, std::move(lines), std::move(marks));
    if (form.stop_when_line1_blank && is_blank(result.date_line())) stop_script_not_answering(form.owner);
    return result;
}

}  // namespace

const ParseForm& parse_form(ParseCaller caller) {
    for (const auto& form : kForms) {
        if (form.caller == caller) return form;
    }
    return kForms[0];
}

std::string request_path(std::string_view mail_folder, std::string_view file_name) {
    return files::join(mail_folder, trim(file_name));
}

bool parse_exchange_running() { return g_running; }

ParseResult PARSE_MAIL(const std::string& request, ParseCaller caller, const std::function<void()>& caller_step) {
    // An event pumped inside a poll asked for a parse: the files belong to the running one.
    if (g_running) return ParseResult(ParseResult::Status::Refused, {});
    RunningGuard guard;
    const ParseForm& form = parse_form(caller);

    for (const auto& step : form.before_launch) run_step(step, request, caller_step);
    pf::services().script_host->run_and_wait(form.script);
    pf::pause(form.pause_after_script);

    int polls_without_result = 0;
    const int top_pumps = form.pumps_per_poll / 2;
    const int end_pumps = form.pumps_per_poll - top_pumps;
    std::vector<std::string> lines;
    for (;;) {
        pump(top_pumps);
        auto data = files::read_bytes(kParseResultFile);
        if (data) {
            lines.clear();
            for (auto& l : files::split_lines(*data)) {
                if (lines.size() >= exchange::kMaxResultLines) return finish(form, ParseResult::Status::Cut, std::move(lines));
                bool end = ParseResult::is_end_line(l);
                lines.push_back(std::move(l));
                if (end) return finish(form, ParseResult::Status::Complete, std::move(lines));
            }
            // The file ended before the end line: read it again from its first line.
            pump(end_pumps);
            pf::pause(form.incomplete_pause);
            if (++polls_without_result > kPollBound) return finish(form, ParseResult::Status::CutShort, std::move(lines));
        } else {
            pf::pause(form.miss_pause_before_count);
            if (++polls_without_result > kPollBound) return finish(form, ParseResult::Status::CutShort, {});
            pf::pause(form.miss_pause_after_count);
            pump(end_pumps);
        }
    }
}

void stop_script_not_answering(const std::string& owner) {
    using namespace tv::literals;
    auto& main = pf::form("MAINFORM");
    main.pointer = pf::MousePointer::Arrow;
    main.changed();
    close_progress_window();
    pf::inform(owner, program_caption(),
               "スクリプトが停止しました。      "_sj + "\r\n" + "プログラムを終了します。   "_sj);
    files::close_all_files();
    pf::end_program();
}

}  // namespace tv::store
