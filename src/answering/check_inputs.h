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
    std::vector<std::string> attachments;  // the mail's own files in TENPFIL that its body shows
    AnsweringLogItems items;  // the record as read, to write it back
};

// The records of the waiting log (first) and of the answering log, as one check takes them.
struct AnsweringLog {
    bool exists = false;                     // either file exists
    std::vector<LoggedMail> mails;           // the first 199 records that are not blank
    std::vector<AnsweringLogItems> later;    // records beyond them
    std::size_t waiting = 0;                 // how many of mails and later came from the waiting log
};

// Reads SYSTEM_F\TALVENOR_WAIT.txt, then SYSTEM_F\TALVENOR.txt, record by record; a record that
// lacks items reads them as empty. Waiting records of an earlier run name no attachments.
AnsweringLog load_answering_log();

// The end of a check that handled `handled` mails: every record after them waits for the next
// check in the waiting log; the answering log goes.
void keep_waiting_records(const AnsweringLog& log, std::size_t handled);
// After a failed check that handled `handled` mails: the records after them stay in the file each
// came from.
void keep_unhandled_records(const AnsweringLog& log, std::size_t handled);

// The record line of a mail, as the receive writes it.
std::string record_line(const AnsweringLogItems& items);

}  // namespace tv::answering
