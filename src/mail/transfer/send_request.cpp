#include "mail/transfer/send_request.h"

#include <algorithm>

#include "common/exchange_files.h"
#include "common/request_lines.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

// The value after a line's prefix (any letter case), trimmed.
std::string value_after(const std::string& line, std::string_view prefix) {
    if (!starts_with_upper(line, prefix)) {
        throw TransferError(Failure::kRequest, "送信データの形式が正しくありません"_sj);
    }
    return trim(line.substr(prefix.size()));
}

// Whether the line reader cut the first line (the recipients) at its limit: a cut list would send
// to the addresses before the cut and to a wrong domain at it.
bool first_line_cut(std::string_view data) {
    std::string_view first = data.substr(0, data.find('\r'));
    auto bytes = static_cast<std::size_t>(std::count_if(first.begin(), first.end(), [](char c) { return c != '\0'; }));
    return bytes > files::kMaxLineBytes;
}

}  // namespace

SendRequest read_send_request() {
    auto data = files::read_bytes(exchange::kSendRequestFile);
    if (!data) throw TransferError(Failure::kRequest, "送信データがありません"_sj);
    if (first_line_cut(*data)) throw TransferError(Failure::kRequest, "宛先が長すぎます"_sj);
    std::vector<std::string> lines = files::split_lines(*data);
    auto [first_attachment, end] = request_attachment_run(lines);
    if (end == lines.size()) throw TransferError(Failure::kRequest, "送信データが途中で切れています"_sj);
    if (end < 3) throw TransferError(Failure::kRequest, "送信データの形式が正しくありません"_sj);

    SendRequest request;
    request.to = value_after(lines[0], "TO:");
    request.from = value_after(lines[1], "FROM:");
    request.subject = value_after(lines[2], "SUBJECT:");
    request.body.assign(lines.begin() + 3, lines.begin() + static_cast<std::ptrdiff_t>(first_attachment));
    for (std::size_t i = first_attachment; i < end; ++i) {
        std::string path = trim(lines[i].substr(kAttachmentPrefix.size()));
        if (!path.empty()) request.attachments.push_back(path);
    }
    if (request.to.empty()) throw TransferError(Failure::kRequest, "宛先がありません"_sj);
    return request;
}

}  // namespace tv::mail
