#include "viewer/sent_view.h"

#include "common/address_book.h"
#include "common/displayed_subject.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/send_list_row.h"
#include "common/sjis.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "viewer/attachments.h"
#include "viewer/print_lines.h"
#include "viewer/viewer_drawing.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

// The recipient as the address book names it: name "<" address ">", else as stored.
std::string shown_recipient(const std::string& recipient) {
    std::string address = trim(recipient);
    if (auto name = book_name_for(address)) return *name + "<" + address + ">";
    return address;
}

}  // namespace

SentMail read_sent_mail(const std::vector<std::string>& lines) {
    SentMail mail;
    std::size_t body_line = lines.size();  // index of the first "BODY:" line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("BODY:")) {
            body_line = i;
            break;
        }
    }
    struct Tag { std::string_view tag; std::string* value; };
    const Tag tags[] = {{"DATE:", &mail.date}, {"FROM:", &mail.from}, {"TO:", &mail.to}, {"SUBJECT:", &mail.subject}};
    for (std::size_t i = 0; i < body_line; ++i) {
        for (const auto& t : tags) {
            if (lines[i].starts_with(t.tag)) *t.value = lines[i].substr(t.tag.size());
        }
    }
    std::size_t files_from = lines.size();
    std::size_t lowest = body_line == lines.size() ? 0 : body_line + 1;
    while (files_from > lowest && lines[files_from - 1].starts_with("FILE:")) --files_from;
    for (std::size_t i = files_from; i < lines.size(); ++i) mail.attachments.push_back(lines[i].substr(5));
    std::size_t first = body_line == lines.size() ? 1 : body_line + 2;
    for (std::size_t i = first; i < files_from; ++i) mail.body.push_back(lines[i]);
    return mail;
}

void show_sent_mail(const ViewMode& view) {
    auto& g = globals();
    pf::Form& f = pf::form("FORM3");
    const std::string to_label = "宛  先 ：  "_sj, date_label = "日　時 ：  "_sj, sender_label = "差出人 ：  "_sj,
                      subject_label = "件　名 ：  "_sj;
    f.caption = program_caption() + "  *** 送信メール ***"_sj;
    f.changed();
    draw_header(f, {{to_label, ""}, {date_label, ""}, {sender_label, ""}, {subject_label, ""}});
    pf::pause(150);

    std::string path = view_mail_path(view.mode, g.FOLDER_NO, g.MAIL_FILE_NAME);
    SentMail mail = read_sent_mail(path.empty() ? std::vector<std::string>{} : read_sent_file(path));
    std::string sender = mail.from;
    if (std::size_t close = sender.find('>'); close != std::string::npos) sender.resize(close + 1);
    std::string subject = trim(mail.subject);

    f.caption = subject + "  *** 送信メール ***"_sj;
    f.changed();
    draw_header(f, {{to_label, ""}, {date_label, mail.date}, {sender_label, sender}, {subject_label, ""}});
    set_box_text(f, "EDIT15", shown_recipient(mail.to));
    set_box_text(f, "EDIT22", view.mode == 2 ? subject : displayed_subject(subject));
    g.VIEW_SUBJECT = mail.subject;
    g.VIEW_DATE = mail.date;
    g.VIEW_TO = sender;
    std::string body;
    for (const auto& line : mail.body) body += line + "\r\n";
    set_box_text(f, "EDIT8", body);
    EDIT8_CHANGE();

    pf::Control& list = f.control("LIST4");
    for (const auto& recorded : mail.attachments) {
        std::string name = files::split_folder_name(trim(recorded)).second;
        if (is_blank(name)) continue;
        list.add_item(attachment_item(name, recorded));
    }

    f.set_focus("EDIT8");
    for (const char* control : {"LIST4", "BUTTON22", "BUTTON23"}) {
        f.control(control).enabled = false;
        f.control(control).changed();
    }
    for (pf::Form* w : {&f, &pf::form("MAINFORM")}) {
        w->pointer = pf::MousePointer::Arrow;
        w->changed();
    }
}

}  // namespace tv::viewer
