// talvenor-mail check: proves that the mail component runs and can write its files. The program
// reads the last item of SYSTEM_F\VBS_CHECK.txt and passes when it is not blank.
#include <cstdio>
#include <exception>

#include "common/exchange_files.h"
#include "mail/commands.h"
#include "mail/parse/charset.h"
#include "mail/parse/mail_reader.h"
#include "mail/parse/result_file.h"

namespace tv::mail {

namespace {

// The conversions every parse needs. Without them (a system missing its iconv modules) the
// check writes a blank result, and the program explains that mail cannot be handled.
bool component_works() {
    parser_options();  // starts GMime
    return decode_to_utf8("\x82\xa0", "Shift_JIS") == "\xE3\x81\x82" &&
           decode_to_utf8("\xA4\xA2", "EUC-JP") == "\xE3\x81\x82";
}

}  // namespace

int run_check() {
    try {
        replace_file(exchange::kCheckResultFile, {component_works() ? "OK" : ""});
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvenor-mail check: %s\n", e.what());
        return 1;
    }
}

}  // namespace tv::mail
