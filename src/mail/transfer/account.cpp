#include "mail/transfer/account.h"

#include "common/sjis.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {
constexpr long kDefaultTimeout = 180;
}  // namespace

AccountData read_account() {
    AccountData account = read_account_file();
    if (!account.is_set()) throw TransferError(Failure::kAccount, {});
    // A line break inside a value would reach the server as a command of its own.
    for (const std::string& value : account.values) {
        if (has_control_byte(value)) throw TransferError(Failure::kAccount, "改行などの制御文字を含む値があります"_sj);
    }
    return account;
}

int port_number(const std::string& value) {
    long long port = numeric_value(value);
    bool digits_only = value.find_first_not_of("0123456789") == std::string::npos;
    if (!digits_only || port < 1 || port > 65535) {
        throw TransferError(Failure::kAccount, "ポート番号 "_sj + value);
    }
    return static_cast<int>(port);
}

long timeout_seconds(const AccountData& account) {
    long long seconds = numeric_value(account.timeout());
    return seconds > 0 && seconds <= 24 * 3600 ? static_cast<long>(seconds) : kDefaultTimeout;
}

}  // namespace tv::mail
