#include "mail/transfer/transfer_result.h"

#include <array>

#include "common/exchange_files.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

struct FailureWords {
    Failure failure;
    const char* receive;  // UTF-8 source text
    const char* send;
};

constexpr std::array<FailureWords, 13> kFailureWords{{
    {Failure::kAccount, "アカウント情報が正しく設定されていません。", "アカウント情報が正しく設定されていません。"},
    {Failure::kRequest, "メールの受信を開始できませんでした。", "メールを送信できませんでした。"},
    {Failure::kUnreachable, "メールの受信に失敗しました。受信サーバーに接続できません。",
     "CANT CONNECT SERVER 送信サーバーに接続できません。"},
    {Failure::kLoginRefused, "受信サーバーにログインできませんでした。ユーザーIDとパスワードを確認してください。",
     "送信サーバーにログインできませんでした。ユーザーIDとパスワードを確認してください。"},
    {Failure::kCertificate, "受信サーバーとの暗号化通信を確立できませんでした。サーバー証明書を確認してください。",
     "送信サーバーとの暗号化通信を確立できませんでした。サーバー証明書を確認してください。"},
    {Failure::kTlsRefused,
     "受信サーバーが暗号化通信（STARTTLS）を拒否しました。ユーザーIDとパスワードは送信していません。",
     "送信サーバーが暗号化通信（STARTTLS）を拒否しました。ユーザーIDとパスワードは送信していません。"},
    {Failure::kTlsMissing,
     "受信サーバーは以前は暗号化通信に対応していましたが、今回は対応していません。安全のため、ユーザーIDとパスワードは送信していません。",
     "送信サーバーは以前は暗号化通信に対応していましたが、今回は対応していません。安全のため、ユーザーIDとパスワードは送信していません。"},
    {Failure::kInterrupted, "メールの受信に失敗しました。通信が途中で切れました。",
     "メールを送信できませんでした。通信が途中で切れました。"},
    {Failure::kRefused, "メールの受信に失敗しました。受信サーバーがエラーを返しました。",
     "送信サーバーがメールを受け付けませんでした。"},
    {Failure::kBadAnswer, "受信サーバーの応答が正しくありません。応答が長すぎます。",
     "送信サーバーの応答が正しくありません。"},
    {Failure::kUnsupported, "受信サーバーがUIDLコマンドに対応していません。",
     "送信サーバーが必要な機能に対応していません。"},
    {Failure::kLocal, "受信したメールを保存できませんでした。ディスクの空きと書き込み権限を確認してください。",
     "メールを送信できませんでした。"},
    {Failure::kBusy, "別の送受信が終わらないため、メールを受信できませんでした。",
     "別の送受信が終わらないため、メールを送信できませんでした。"},
}};

// One line without the bytes the item reader splits at: they become their full-width forms
// (none of them can be the second byte of a double-byte character); control bytes become blanks.
std::string clean_line(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        std::size_t len = char_length(line, i);
        char c = line[i];
        if (len == 2) {
            out.append(line.substr(i, 2));
        } else if (c == ',') {
            out += "，"_sj;
        } else if (c == ':') {
            out += "："_sj;
        } else if (c == '"') {
            out += "”"_sj;
        } else if (is_control_byte(c)) {
            out += ' ';
        } else {
            out += c;
        }
        i += len;
    }
    return trim(out);
}

}  // namespace

std::string error_line(Direction direction, const TransferError& error) {
    std::string line(exchange::kResultError);
    for (const auto& words : kFailureWords) {
        if (words.failure == error.failure()) {
            line += sj(direction == Direction::kReceive ? words.receive : words.send);
            break;
        }
    }
    if (!error.detail().empty()) line += "（"_sj + error.detail() + "）"_sj;
    return line;
}

std::string done_line(std::string_view status) { return std::string(exchange::kResultDone) + std::string(status); }

void write_result(Direction direction, std::string_view line) {
    files::write_lines_atomic(direction == Direction::kReceive ? exchange::kReceiveResultFile : exchange::kSendResultFile,
                              {clean_line(line)});
}

}  // namespace tv::mail
