#include "transfer/account.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/platform.h"

namespace tv::transfer {

using namespace tv::literals;

bool Account::is_set() const {
    if (!exists) return false;
    for (const auto& v : values) {
        if (is_blank(v)) return false;
    }
    return true;
}

std::string Account::from_line() const { return "FROM:" + trim(values[1]) + "<" + trim(values[2]) + ">"; }

Account read_account() {
    Account account;
    // Line by line: a comma, colon or quote inside a value never shifts the values after it.
    auto lines = files::read_lines(kAccountFile);
    if (!lines) return account;
    account.exists = true;
    for (std::size_t i = 0; i < account.values.size() && i < lines->size(); ++i) account.values[i] = trim((*lines)[i]);
    return account;
}

void write_account(const std::array<std::string, 10>& values) {
    std::vector<std::string> lines;
    for (const auto& v : values) lines.push_back(trim(v));
    files::write_lines_atomic(kAccountFile, lines, 0600);
}

void show_account_not_set() {
    platform::message_box("MAINFORM", "タルベノールメーラー Ver."_sj + VERSION_TEXT,
                          "アカウント情報が設定されていません。      "_sj, platform::MsgButtons::Ok,
                          platform::MsgIcon::Information);
}

}  // namespace tv::transfer
