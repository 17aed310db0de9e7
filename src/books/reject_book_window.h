// The reject book window FORM12: the reject book in file order and its two options, forwarding
// and replying allowed for the senders it holds.
#pragma once

namespace tv::books {

inline constexpr const char* kRejectForwardFile = "SYSTEM_F\\KYOHI_TENSOU";
inline constexpr const char* kRejectReplyFile = "SYSTEM_F\\KYOHI_HENSIN";

void define_reject_book_window();

void KYOHI_ADDRESS_ON();  // the menu item that opens it
void FORM12_START();
void CHECK5_ON();  // forwarding allowed
void CHECK6_ON();  // replying allowed
void BUTTON35_ON();  // closes it
void FORM12_QUERYCLOSE();

}  // namespace tv::books
