#include "store/mail_program.h"

#include <exception>

#include "common/atomic_file.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "platform/platform.h"

namespace tv::store {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {
const std::string kMailType = "message/rfc822";
}  // namespace

std::string mail_copy_path(std::string_view mail_path) {
    std::string name = files::split_folder_name(trim(mail_path)).second;
    std::size_t dot = find_last_char(name, '.');
    if (dot != std::string::npos) name.resize(dot);
    return files::join(kMailCopyFolder, name + ".eml");
}

bool open_in_mail_program(const std::string& mail_path, const std::string& owner) {
    if (!files::file_exists(mail_path)) {
        pf::inform(owner, "NOT EXIST FILE !", "メールファイルが見つかりません。    "_sj);
        return false;
    }
    std::string copy = mail_copy_path(mail_path);
    try {
        files::make_folder(kMailCopyFolder);
        files::copy_file(mail_path, copy);
    } catch (const std::exception&) {
        pf::inform(owner, "OPEN ERROR !", "メールをコピーできませんでした。    "_sj);
        return false;
    }
    pf::pause(20);
    try {
        // By its type, not by its content: a stored mail begins with the program's own header,
        // which a guess from the content would not take for a mail.
        pf::shell_open_document_as(copy, kMailType);
    } catch (const RuntimeError& e) {
        pf::inform(owner, "OPEN ERROR !",
                   e.number() == err::kBadName ? "メールを開くメールソフトが設定されていません。    "_sj
                                               : "メールソフトで開くことができませんでした。    "_sj);
        return false;
    }
    return true;
}

}  // namespace tv::store
