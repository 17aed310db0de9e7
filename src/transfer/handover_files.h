// The compose window's hand-over files: a recipient (SYSTEM_F\ATESAKI.txt) and a reply draft
// (SYSTEM_F\HENSIN.txt) that other windows prepare and the compose window's timer takes over.
// Every send, the compose window's close and the answering cycle put them back to idle.
#pragma once

#include <string>
#include <vector>

namespace tv::transfer {

inline constexpr const char* kRecipientHandover = "SYSTEM_F\\ATESAKI.txt";
inline constexpr const char* kReplyDraft = "SYSTEM_F\\HENSIN.txt";

// Writes the recipient as the file's one line and raises ATESAKI_PENDING; 20 ms pause.
void hand_over_recipient(const std::string& recipient);
// Writes the subject, the separator line " " and the body lines (one empty line for none), raises
// HENSIN_PENDING and sets COMPOSE_TICKS to 0; 20 ms pause.
void hand_over_draft(const std::string& subject, const std::vector<std::string>& body);
// Both files idle (one empty line; one blank line), both flags and COMPOSE_TICKS 0, each file
// followed by a 20 ms pause.
void set_handovers_idle();

}  // namespace tv::transfer
