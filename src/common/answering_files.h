// The files of the answering mode that other subsystems meet: the answering log the receive writes
// during a check, and the folders and icons the start-up, the check and its windows share.
#pragma once

namespace tv {

// One AnsweringLogRecord (answering_log.h) per mail received during a check and not yet handled.
inline constexpr const char* kAnsweringLog = "SYSTEM_F\\TALVENOR.txt";
// Where an older version kept the records a finished check could not reach; the next check takes
// them into the answering log.
inline constexpr const char* kWaitingLog = "SYSTEM_F\\TALVENOR_WAIT.txt";
// Daily reply logs, "<yyyymmdd>_TODAY_HENSIN.txt".
inline constexpr const char* kReplyLogFolder = "SYSTEM_F\\TODAY_HENSIN";
// Reply texts and reply attachments.
inline constexpr const char* kReplyTextFolder = "SYSTEM_F\\HENSINYOU";
inline constexpr const char* kReplyAttachmentFolder = "SYSTEM_F\\TEMPF_HENSIN";
// The main window's icon while the mode is on, and after mail has come.
inline constexpr const char* kNormalIcon = "SYSTEM_F\\TLVN.ico";
inline constexpr const char* kArrivalIcon = "SYSTEM_F\\TLVG.ico";

}  // namespace tv
