#include "books/install.h"

#include "books/address_book_window.h"
#include "books/address_search.h"
#include "books/book_import.h"
#include "books/book_windows.h"
#include "books/reject_book_window.h"
#include "books/sender_book_window.h"
#include "books/sender_registration.h"
#include "platform/events.h"

namespace tv::books {

void install() {
    define_address_book_window();
    define_reject_book_window();
    define_sender_book_window();
    platform::install_handlers({
        {"ADDRESS_ON", ADDRESS_ON},
        {"FORM7_START", FORM7_START},
        {"BUTTON7_ON", BUTTON7_ON},
        {"BUTTON8_ON", BUTTON8_ON},
        {"FORM7_QUERYCLOSE", FORM7_QUERYCLOSE},
        {"RADIO17_ON", RADIO17_ON},
        {"RADIO18_ON", RADIO18_ON},
        {"EDIT32_SETFOCUS", EDIT32_SETFOCUS},
        {"EDIT32_CHANGE", EDIT32_CHANGE},
        {"KYOHI_ADDRESS_ON", KYOHI_ADDRESS_ON},
        {"FORM12_START", FORM12_START},
        {"CHECK5_ON", CHECK5_ON},
        {"CHECK6_ON", CHECK6_ON},
        {"BUTTON35_ON", BUTTON35_ON},
        {"FORM12_QUERYCLOSE", FORM12_QUERYCLOSE},
        {"TOKUTEI_SASI_ON", TOKUTEI_SASI_ON},
        {"YUUSENHENSINKYOHI_ON", YUUSENHENSINKYOHI_ON},
        {"FORM14_START", FORM14_START},
        {"BUTTON48_ON", BUTTON48_ON},
        {"FORM14_QUERYCLOSE", FORM14_QUERYCLOSE},
    });
    platform::install_handlers(book_window_handlers());
    platform::install_handlers(registration_handlers());
}

}  // namespace tv::books
