// What one answering check tests each mail against and sends, read afresh at every check: the
// three sender books, the spam words, the reply text; and the mails of the answering log.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/address_book.h"
#include "common/answering_log.h"

namespace tv::answering {

struct CheckInputs {
    // Entries of records 2 to 999, trimmed; blank records left out.
    std::vector<AddressEntry> specific;
    std::vector<AddressEntry> priority;
    std::vector<AddressEntry> reject;
    // The first 999 lines, trimmed; blank lines stay as empty words.
    std::vector<std::string> spam_words;
    // The chosen reply text: its name (empty when none is chosen or its file is gone) and its
    // first 999 lines, trimmed.
    std::string reply_text_name;
    std::vector<std::string> reply_text_lines;
    // Reply-text files listed when the mode started (LIST19).
    int reply_text_file_count = 0;
};

// The books, the spam words and the reply text, in this order.
CheckInputs load_check_inputs();

// One mail of the answering log, as the forward and reply steps read it.
struct LoggedMail {
    std::string date;     // without its label, trimmed
    std::string sender;   // display name and address, trimmed
    std::string subject;  // trimmed; beyond 100 bytes cut to whole characters and "･･･"
    std::string body;     // the body summary; beyond 500 bytes its ends around " （中略）"
    std::string marks;    // what the parse told of the mail (answering_log.h)
    std::vector<std::string> attachments;  // the mail's own files in TENPFIL (its forward sends those its body shows)
    bool forwarded = false;     // an earlier try or check handed its forward over
    bool reply_handed = false;  // an earlier try or check logged its reply and handed it over
    AnsweringLogItems items;  // the record as read, to find it again in the log
};

}  // namespace tv::answering
