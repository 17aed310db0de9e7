#include "answering/reparsed_attachments.h"

#include "answering/check_record.h"
#include "common/answering_log.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "transfer/new_mail.h"

namespace tv::answering {

bool attachment_names_forgotten(const LoggedMail& mail, const ForwardBody& body) {
    return !mail.items[kLogMailName].empty() && mail.attachments.empty() && !body.attachment_names.empty();
}

LoggedMail with_attachments_parsed_again(const LoggedMail& mail) {
    const std::string& name = mail.items[kLogMailName];
    // The log is a file anyone can change: only a mail of the receive box itself is parsed again.
    if (name.empty() || files::split_folder_name(name).second != name || trim(name) == "." || trim(name) == "..") {
        return mail;
    }
    std::string path = store::request_path(store::receive_box().mail_folder, name);
    if (!files::file_exists(path)) return mail;
    ParseResult result = store::PARSE_MAIL(path, store::ParseCaller::Receive);
    if (result.refused() || result.without_content()) return mail;
    // The body and files as the receive logs them, naming the files as this parse saved them.
    transfer::LoggedBody logged = transfer::logged_body(result);
    AnsweringLogItems items = mail.items;
    items[kLogBody] = logged.body;
    items[kLogAttachments] = logged.attachments;
    LoggedMail again = logged_mail(items);
    again.items = mail.items;
    return again;
}

}  // namespace tv::answering
