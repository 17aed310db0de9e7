#include "platform/headless/desktop_services.h"

#include "common/errors.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/platform.h"
#include "platform/timers.h"

namespace tv::platform::headless {

void while_modal(const std::function<void()>& hook) {
    if (hook) hook();
    if (auto* windows = services().window_system) windows->dispatch_pending_messages();
    poll_timers();
}

void ScriptedDialogs::show(const Shown& shown) {
    shown_.push_back(shown);
    while_modal([&] {
        if (while_shown) while_shown(shown);
    });
}

std::string ScriptedDialogs::input_box(const InputBoxRequest& request) {
    show(Shown{Kind::InputBox, request, {}});
    if (typed_.empty() || !typed_.front()) {
        if (!typed_.empty()) typed_.pop_front();
        return "\x1b";
    }
    std::string text = *typed_.front();
    typed_.pop_front();
    if (request.max_bytes > 0) text = left_whole_chars(text, request.max_bytes);
    return text;
}

DialogAnswer ScriptedDialogs::next_choice(const Shown& shown) {
    show(shown);
    if (chosen_.empty()) return {};
    DialogAnswer answer = chosen_.front();
    chosen_.pop_front();
    return answer;
}

DialogAnswer ScriptedDialogs::open_file(const FileDialogRequest& request) {
    return next_choice(Shown{Kind::OpenFile, {}, request});
}

DialogAnswer ScriptedDialogs::save_file(const FileDialogRequest& request) {
    return next_choice(Shown{Kind::SaveFile, {}, request});
}

DialogAnswer ScriptedDialogs::browse_folder(const std::string& owner) {
    FileDialogRequest request;
    request.owner = owner;
    return next_choice(Shown{Kind::Folder, {}, request});
}

PrintChoice RecordingPrinter::choose(const std::string& owner) {
    dialogs_.push_back(owner);
    while_modal({});
    PrintChoice choice = PrintChoice::Print;
    if (!answers_.empty()) {
        choice = answers_.front();
        answers_.pop_front();
    }
    printing_ = choice == PrintChoice::Print;
    return choice;
}

bool RecordingPrinter::start_document(const std::string& name) {
    if (!printing_) return false;
    documents_.push_back(Document{name, {Page{}}, false});
    return true;
}

void RecordingPrinter::set_font(const std::string& face, double points) {
    face_ = face;
    points_ = points;
}

PageRoom RecordingPrinter::room() {
    if (points_ <= 0) return {};
    return {static_cast<int>(printable_width / (points_ / 2)), static_cast<int>(printable_height / points_)};
}

void RecordingPrinter::print_row(const std::string& text) {
    if (documents_.empty() || documents_.back().ended) return;
    documents_.back().pages.back().push_back(Row{text, face_, points_});
}

void RecordingPrinter::new_page() {
    if (documents_.empty() || documents_.back().ended) return;
    documents_.back().pages.emplace_back();
}

void RecordingPrinter::end_document() {
    if (!documents_.empty()) documents_.back().ended = true;
    printing_ = true;
}

void RecordingShell::open_document(const std::string& path) {
    if (!files::file_exists(path)) raise_error(err::kNotFound, "no file " + path);
    auto [folder, name] = files::split_folder_name(path);
    std::size_t dot = find_last_char(name, '.');
    std::string extension = dot == std::string::npos ? "" : upper_ascii(name.substr(dot + 1));
    if (extensions_without_program.count(extension)) raise_error(err::kBadName, "no program opens " + path);
    documents.push_back(path);
    document_types.emplace_back();
}

void RecordingShell::open_document_as(const std::string& path, const std::string& mime_type) {
    if (!files::file_exists(path)) raise_error(err::kNotFound, "no file " + path);
    if (types_without_program.count(mime_type)) raise_error(err::kBadName, "no program for " + mime_type);
    documents.push_back(path);
    document_types.push_back(mime_type);
}

void RecordingShell::open_address(const std::string& address) { addresses.push_back(address); }

}  // namespace tv::platform::headless
