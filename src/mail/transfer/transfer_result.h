// The result file of a transfer, SYSTEM_F\T_IN_DONE.txt or SYSTEM_F\T_OUT_DONE.txt: one CP932 line,
// "DONE" and a status text, or "ERROR" and a message. The program reads it item by item, so the
// line holds no ASCII comma, colon or double quote.
#pragma once

#include <string>
#include <string_view>

#include "mail/transfer/transfer_error.h"

namespace tv::mail {

enum class Direction { kReceive, kSend };

// The line for a failure: the message for its kind and direction, then the detail in brackets.
// A receive failure that a retry may mend holds "受信に失敗"; a refused login holds
// "パスワードを確認してください"; a send that could not reach its server holds "CANT CONNECT SERVER".
std::string error_line(Direction direction, const TransferError& error);

// "DONE" followed by the status text.
std::string done_line(std::string_view status);

// Writes the result file of the direction; the line is cleaned of the bytes the reader splits at.
void write_result(Direction direction, std::string_view line);

}  // namespace tv::mail
