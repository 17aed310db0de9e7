#include "mail/transfer/account.h"

#include <array>

#include "common/sjis.h"
#include "common/text_file.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {
constexpr const char* kAccountFile = "SYSTEM_F\\MAIL_DATA.txt";
constexpr long kDefaultTimeout = 180;
}  // namespace

Account read_account() {
    auto lines = files::read_lines(kAccountFile);
    std::array<std::string, 10> values;
    for (std::size_t i = 0; lines && i < values.size() && i < lines->size(); ++i) values[i] = trim((*lines)[i]);
    for (const auto& value : values) {
        if (value.empty()) throw TransferError(Failure::kAccount, {});
    }
    return Account{values[0], values[1], values[2], values[3], values[4],
                   values[5], values[6], values[7], values[8], values[9]};
}

int port_number(const std::string& value) {
    long long port = numeric_value(value);
    bool digits_only = value.find_first_not_of("0123456789") == std::string::npos;
    if (!digits_only || port < 1 || port > 65535) {
        throw TransferError(Failure::kAccount, "ポート番号 "_sj + value);
    }
    return static_cast<int>(port);
}

long timeout_seconds(const Account& account) {
    long long seconds = numeric_value(account.timeout);
    return seconds > 0 && seconds <= 24 * 3600 ? static_cast<long>(seconds) : kDefaultTimeout;
}

}  // namespace tv::mail
