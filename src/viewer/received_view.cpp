#include "viewer/received_view.h"

#include <vector>

#include "common/displayed_subject.h"
#include "common/globals.h"
#include "common/parse_result.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "store/parse_exchange.h"
#include "transfer/new_mail.h"
#include "transfer/unsaved_attachments.h"
#include "viewer/attachments.h"
#include "viewer/html_conversion.h"
#include "viewer/html_hidden_parts.h"
#include "viewer/print_lines.h"
#include "viewer/viewer_drawing.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// Where the views of the trash and the folders depart from the receive box's.
struct ReceivedRules {
    bool whole_subject_in_box;         // else the displayed subject
    bool buttons_off_without_items;    // the attachment buttons
    int settle_pause_ms;               // after the attachment list and before the viewer is enabled
};

ReceivedRules rules_of(int mode) {
    if (mode == 1) return {true, true, 100};
    return {false, false, 0};
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// What the view keeps of the body: its text, and whether it is HTML (the lines for the conversion
// are handed over in HTML_LINES).
struct Body {
    std::string text;
    bool html = false;
};

Body scan_body(const ParseResult& result) {
    auto& g = globals();
    Body body;
    g.QUOTE_LINE_COUNT = 0;
    bool first = true;
    HtmlHiddenParts hidden;  // style, script and comments are handed over without their contents
    for (const auto& raw : result.body_lines()) {
        std::string line = ParseResult::shown_body_line(raw);
        body.text += line + "\r\n";
        std::string upper = upper_ascii(line);
        if (first && contains(upper, "<HTML>")) body.html = true;
        first = false;
        if (contains(upper, "DOCTYPE HTML PUBLIC") || contains(upper, "</HTML>")) body.html = true;
        std::string shown = hidden.visible(line);
        // A line break tag alone is handed over too: it keeps the mail's empty lines.
        if ((is_copyright_notice(shown) || has_line_break_tag(shown) || has_double_byte(shown)) &&
            g.QUOTE_LINE_COUNT + 1 < static_cast<int>(g.HTML_LINES.size())) {
            g.HTML_LINES[static_cast<std::size_t>(++g.QUOTE_LINE_COUNT)] = shown;
        }
    }
    return body;
}

}  // namespace

std::string cleaned_sender_line(std::string_view line) {
    bool escaped = false;
    for (std::size_t i = 0; i < line.size(); i += char_length(line, i)) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '(' || line[i + 1] == ')')) escaped = true;
    }
    if (!escaped) return std::string(line);
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = char_length(line, i);
        if (!(len == 1 && line[i] == '\\')) out.append(line.substr(i, len));
        i += len;
    }
    return out;
}

std::string receipt_time_text(std::string_view name) {
    auto part = [&](std::size_t start, std::size_t length) { return mid_bytes(name, start, length); };
    return part(1, 4) + "/" + part(5, 2) + "/" + part(7, 2) + " " + part(10, 2) + ":" + part(12, 2) + ":" + part(14, 2);
}

void show_received_mail(const ViewMode& view) {
    auto& g = globals();
    pf::Form& f = pf::form("FORM3");
    pf::Form& main = pf::form("MAINFORM");
    ReceivedRules rules = rules_of(view.mode);
    const std::string sender_label = "差出人 ：  "_sj, date_label = "日　時 ：  "_sj, to_label = "宛　先 ：  "_sj,
                      subject_label = "件　名 ：  "_sj;

    f.caption = program_caption() + "  *** 受信メール ***"_sj;
    f.changed();
    draw_header(f, {{sender_label, ""}, {date_label, ""}, {to_label, ""}, {subject_label, ""}});

    // A folder view with no folder (FOLDER_NO outside 1-4) shows an empty view: nothing is parsed.
    ParseResult result;
    std::string folder = view_mail_folder(view.mode, g.FOLDER_NO);
    if (!folder.empty()) {
        result = store::PARSE_MAIL(store::request_path(folder, g.MAIL_FILE_NAME), store::ParseCaller::Viewer);
    }

    Body body = scan_body(result);
    if (body.html) {
        pf::pause(20);
        HTM_HENKAN_TXT();
        pf::pause(20);
        body.text = g.HTML_TEXT;
    }
    set_box_text(f, "EDIT8", body.text);
    EDIT8_CHANGE();

    std::string subject = trim(result.subject());
    f.caption = trim(fit_width(subject, 130)) + "  *** 受信メール ***"_sj;
    f.changed();
    set_box_text(f, "EDIT15", from_byte(cleaned_sender_line(result.sender_line()), 7));
    draw_header(f, {{sender_label, ""},
                    {date_label, receipt_time_text(g.MAIL_FILE_NAME)},
                    {to_label, result.recipients()},
                    {subject_label, ""}});
    set_box_text(f, "EDIT22", rules.whole_subject_in_box ? subject : displayed_subject(subject));

    g.VIEW_SUBJECT = rules.whole_subject_in_box ? fit_width(subject, 130)
                                                 : (subject.size() + 118 <= 130 ? subject + std::string(118, ' ')
                                                                                 : fit_width(subject, 130));
    g.VIEW_DATE = result.date();
    g.VIEW_TO = result.recipients();

    pf::Control& list = f.control("LIST4");
    int items = 0;
    for (const auto& line : result.attachment_lines()) {
        std::string name = from_byte(line, 15);
        if (is_blank(name)) continue;
        ++items;
        list.add_item(attachment_item(name, received_attachment_path(name)));
    }
    if (items == 0 && rules.buttons_off_without_items) {
        for (const char* button : {"BUTTON22", "BUTTON23"}) {
            f.control(button).enabled = false;
            f.control(button).changed();
        }
    }

    pf::pause(rules.settle_pause_ms);
    main.pointer = pf::MousePointer::Arrow;
    main.changed();
    if (body.html) {
        pf::pause(20);
        pf::inform("FORM3", "HTML形式"_sj,
                   "このメールはHTML形式のため、正確に表示することができません。  "_sj + "\r\n" +
                       "(HTML形式のメールを閲覧する場合は、右クリック、ポップアップ・メニューによって「メールソフトから開く」をどうぞ)"_sj);
        f.set_focus("EDIT8");
    }

    if (!pf::forms().is_loaded("FORM3")) return;
    f.pointer = pf::MousePointer::Arrow;
    f.changed();
    f.bring_to_front();
    f.set_topmost(true);
    pf::pause(rules.settle_pause_ms);
    f.set_enabled(true);
    // An attachment the parse could not save is missing from the list: the user is told why, and
    // that opening the mail again saves it.
    transfer::tell_unsaved_attachments_in_view(transfer::unsaved_attachment(result), "FORM3");
    f.set_focus("EDIT8");
}

}  // namespace tv::viewer
