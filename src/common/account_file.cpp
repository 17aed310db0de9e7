#include "common/account_file.h"

#include <vector>

#include "common/exchange_files.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv {

bool AccountData::is_set() const {
    if (!exists) return false;
    for (const auto& v : values) {
        if (is_blank(v)) return false;
    }
    return true;
}

std::string AccountData::from_line() const { return "FROM:" + sender_name() + "<" + sender_address() + ">"; }

AccountData read_account_file() {
    AccountData account;
    auto lines = files::read_lines(exchange::kAccountFile);
    if (!lines) return account;
    account.exists = true;
    for (std::size_t i = 0; i < account.values.size() && i < lines->size(); ++i) account.values[i] = trim((*lines)[i]);
    return account;
}

void write_account_file(const std::array<std::string, 10>& values) {
    std::vector<std::string> lines;
    // A pasted line break (or any control byte) would split a value over two lines and shift the rest.
    for (const auto& v : values) lines.push_back(trim(without_control_bytes(v)));
    files::write_lines_atomic(exchange::kAccountFile, lines, 0600);
}

}  // namespace tv
