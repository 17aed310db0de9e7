// The files the program and its mail component talvenor-mail exchange, named once for both
// processes: what one writes, the other reads, byte for byte.
#pragma once

#include <cstddef>
#include <string_view>

namespace tv::exchange {

// The one-line request the program writes before it starts the component: the path of the mail to
// parse, or the word below for the check, the receive and the send.
inline constexpr const char* kRequestFile = "SYSTEM_F\\CHECK.txt";
inline constexpr std::string_view kRequestWord = "CHECK";

// The parse result of one mail; complete only once its end line is written.
inline constexpr const char* kParseResultFile = "SYSTEM_F\\YOMITORI.txt";
inline constexpr std::string_view kEndLine = "ENDDAYOPPI_AKASATA_HONYOHOYNYO";
// The sender and subject of a mail the component could not read.
inline constexpr const char* kUnreadableMail = "can not read mail !";
// The most lines a reader keeps of a parse result; the writer makes every result fit them.
inline constexpr std::size_t kMaxResultLines = 9998;

// What the parse also tells of the mail it read, one mark a line: written before the result, and
// absent for a mail that earns no mark, so a complete result always finds it current.
inline constexpr const char* kParseMarksFile = "SYSTEM_F\\YOMITORI_MARKS.txt";
// A mailing list or a machine sent the mail (RFC 3834): no automatic reply may answer it.
inline constexpr std::string_view kMarkAutomatic = "AUTOMATIC";
// The mail returns one of the answering mode's own forwards (a bounce): forwarding it would loop.
inline constexpr std::string_view kMarkReturnedForward = "RETURNED-FORWARD";
// An attachment of the mail could not be saved in TENPFIL, so it has no attachment line: the mail
// has an attachment all the same, which a later parse saves once it can.
inline constexpr std::string_view kMarkAttachmentNotSaved = "ATTACHMENT-NOT-SAVED";
// Beside the mark above: the disk had no room for it.
inline constexpr std::string_view kMarkDiskFull = "DISK-FULL";

// The subjects of the answering mode's own mails begin with these (CP932): "<転>" a forward,
// "<返>Ｒｅ：" an automatic reply, which the send marks as one.
inline constexpr std::string_view kForwardSubjectMark = "<\x93\x5D>";
inline constexpr std::string_view kReplySubjectMark = "<\x95\xD4>\x82\x71\x82\x85\x81\x46";

// The send request, also the layout of every unsent mail.
inline constexpr const char* kSendRequestFile = "SYSTEM_F\\DEL_SOUSIN.txt";

// The results of a receive and of a send: emptied by the program before the run (the marker that
// nothing came yet), then one line that begins with one of the two words.
inline constexpr const char* kReceiveResultFile = "SYSTEM_F\\T_IN_DONE.txt";
inline constexpr const char* kSendResultFile = "SYSTEM_F\\T_OUT_DONE.txt";
inline constexpr std::string_view kResultDone = "DONE";
inline constexpr std::string_view kResultError = "ERROR";

// The check's result: a last item that is not blank proves that the component runs.
inline constexpr const char* kCheckResultFile = "SYSTEM_F\\VBS_CHECK.txt";

// The keep-on-server option: one line, "1" keeps received mail on the server.
inline constexpr const char* kKeepOnServerFile = "SYSTEM_F\\serv_del";

// Held (flock) by a receive or a send for its whole run: one transfer at a time per program folder.
// The program waits on it for a component that outlived a killed run before it lists that run's mail.
inline constexpr const char* kTransferLockFile = "SYSTEM_F\\.transfer.lock";

// The account: ten lines (account_file.h).
inline constexpr const char* kAccountFile = "SYSTEM_F\\MAIL_DATA.txt";

// The component's subcommands, one per script the program starts.
namespace command {
inline constexpr const char* kCheck = "check";
inline constexpr const char* kParse = "parse";
inline constexpr const char* kReceive = "receive";
inline constexpr const char* kSend = "send";
// `parse` with this flag stays for the program's whole run: each request line on its standard
// input (a socket) asks for one parse, and its answer line follows once the result file is there.
inline constexpr const char* kResidentFlag = "--resident";
inline constexpr std::string_view kResidentRequest = "parse\n";
inline constexpr std::string_view kResidentAnswer = "done\n";
// Sent to a new helper after a parse was stopped at its limit or its helper died in it: the mail
// gets the result of an unreadable mail, so that the program reads it so and goes on.
inline constexpr std::string_view kResidentStoppedRequest = "stopped\n";
}  // namespace command

}  // namespace tv::exchange
