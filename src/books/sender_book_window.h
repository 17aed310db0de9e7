// The book window FORM14 in its two modes: the specific-sender book (mode 1) and the
// priority-reject book (mode 2), chosen by SENDER_BOOK_KIND.
#pragma once

namespace tv::books {

void define_sender_book_window();

void TOKUTEI_SASI_ON();       // opens it on the specific-sender book
void YUUSENHENSINKYOHI_ON();  // opens it on the priority-reject book
void FORM14_START();
void BUTTON48_ON();  // closes it
void FORM14_QUERYCLOSE();

}  // namespace tv::books
