// What the kill campaign checks after each start of the program on its folder: every mail once in
// one store beside its own record, no hidden file left, and every list (the receive list with its
// marks, the send list, each trash and folder window, each list cache that the windows would
// trust) naming its store's mails row by row.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tv::bench {

class LiveProgram;

// The campaign's expectations, kept outside the program folder. Lines:
//   R <Message-ID> <subject token> <mark>   a received mail; mark none, unread or answer (the mark
//                                           its receive-list row carries while it is in the box)
//   S <subject token>                       a sent mail (UTF-8; a copy of the answering mode's
//                                           forward or reply may be there any number of times)
struct Expectations {
    std::map<std::string, std::string> token_of;  // Message-ID -> the first word of its subject
    std::map<std::string, std::string> mark_of;   // Message-ID -> mark name
    std::set<std::string> sent_tokens;
};

Expectations read_expectations(const std::filesystem::path& file);

// Runs the checks on the started program (it opens and closes the trash and folder windows); gives the faults found (empty: all well). Each mail
// found is added to `inventory` as "<store>\t<R|S>\t<key>" (key: Message-ID, or a sent mail's subject token, with
// its date for a copy the answering mode sent).
std::vector<std::string> check_program(LiveProgram& program, const Expectations& expected,
                                       std::vector<std::string>& inventory);

}  // namespace tv::bench
