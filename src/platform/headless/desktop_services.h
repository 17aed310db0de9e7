// The desktop's dialogs, printer, shell and clipboard for tests: answers scripted by the test,
// requests recorded for it to read.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/services.h"

namespace tv::platform::headless {

// Runs while a modal dialog or box is shown: the test's hook, then the timer ticks that fell due
// meanwhile are queued (they run after the dialog, as on the desktop).
void while_modal(const std::function<void()>& hook);

// Records every dialog; answers from a script of answers, else cancels. Input boxes answer with
// the Escape character when nothing is scripted; a scripted text is cut to the box's limit.
class ScriptedDialogs : public DialogService {
public:
    enum class Kind { InputBox, OpenFile, SaveFile, Folder };
    struct Shown {
        Kind kind = Kind::InputBox;
        InputBoxRequest input;   // InputBox
        FileDialogRequest file;  // OpenFile, SaveFile; Folder: the owner only
    };

    std::string input_box(const InputBoxRequest& request) override;
    DialogAnswer open_file(const FileDialogRequest& request) override;
    DialogAnswer save_file(const FileDialogRequest& request) override;
    DialogAnswer browse_folder(const std::string& owner) override;

    // The next input box answers this text (CP932); nothing: cancelled.
    void type_next(std::optional<std::string> text) { typed_.push_back(std::move(text)); }
    // The next file or folder dialog answers this path (CP932); nothing: cancelled. A path chosen
    // that CP932 cannot hold is scripted with choose_not_cp932_next.
    void choose_next(std::optional<std::string> path) { chosen_.push_back(DialogAnswer{path ? DialogAnswer::Outcome::Chosen : DialogAnswer::Outcome::Cancelled, path.value_or("")}); }
    void choose_not_cp932_next(std::string utf8_path) { chosen_.push_back(DialogAnswer{DialogAnswer::Outcome::NotCp932, std::move(utf8_path)}); }

    const std::vector<Shown>& shown() const { return shown_; }
    void clear() {
        shown_.clear();
        typed_.clear();
        chosen_.clear();
    }
    // Runs while a dialog is shown (window messages are dispatched then); may be empty.
    std::function<void(const Shown&)> while_shown;

private:
    // Records the dialog and runs what runs while it is up.
    void show(const Shown& shown);
    DialogAnswer next_choice(const Shown& shown);

    std::vector<Shown> shown_;
    std::deque<std::optional<std::string>> typed_;
    std::deque<DialogAnswer> chosen_;
};

// Records the print dialog's requests and every page of every document, as printed rows.
class RecordingPrinter : public PrinterService {
public:
    struct Row {
        std::string text;  // CP932, as handed over (an LF included)
        std::string face;
        double points = 0;
    };
    using Page = std::vector<Row>;
    struct Document {
        std::string name;
        std::vector<Page> pages;
        bool ended = false;
    };

    PrintChoice choose(const std::string& owner) override;
    bool start_document(const std::string& name) override;
    void set_font(const std::string& face, double points) override;
    PageRoom room() override;
    void print_row(const std::string& text) override;
    void new_page() override;
    void end_document() override;

    // The printable area of the paper, in points (a row is one font size high, a half-width
    // character half as wide): A4 portrait with margins of 10 mm unless a test chooses another.
    double printable_width = 538.58, printable_height = 785.2;

    // The next print dialogs answer these; then Print.
    void answer_next(PrintChoice choice) { answers_.push_back(choice); }
    const std::vector<std::string>& dialogs() const { return dialogs_; }  // their owners
    const std::vector<Document>& documents() const { return documents_; }

private:
    std::deque<PrintChoice> answers_;
    std::vector<std::string> dialogs_;
    std::vector<Document> documents_;
    bool printing_ = false;  // the last choice lets the document reach the printer
    std::string face_;
    double points_ = 0;
};

// Records what was opened. A missing file raises error 63; a file whose extension the test
// declares without a program raises 55.
class RecordingShell : public ShellService {
public:
    void open_document(const std::string& path) override;
    void open_document_as(const std::string& path, const std::string& mime_type) override;
    void open_address(const std::string& address) override;

    std::vector<std::string> documents;  // the system paths, as asked
    std::vector<std::string> document_types;  // the MIME type each was opened as ("" by its name)
    std::set<std::string> types_without_program;  // "message/rfc822"
    std::vector<std::string> addresses;
    std::set<std::string> extensions_without_program;  // upper case, without the dot: "EML"
};

// A clipboard the test fills; nothing in it reads as CP932 text that CP932 cannot hold.
class FakeClipboard : public ClipboardService {
public:
    std::optional<std::string> text() override { return content; }
    void clear() override {
        content = std::string();
        ++clears;
    }
    std::optional<std::string> content = std::string();  // nothing: text CP932 cannot hold
    int clears = 0;
};

}  // namespace tv::platform::headless
