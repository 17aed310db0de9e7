#include "mail_fixtures.h"

#include <cstdio>

namespace tv::test {

const std::vector<RawMessage>& mixed_messages() {
    static const std::vector<RawMessage> messages{
        {"plain ascii",
         "From: Alice <alice@example.com>\r\nTo: bob@example.com\r\nSubject: Hello\r\n"
         "Date: Tue, 01 Dec 2026 09:00:00 +0900\r\nMessage-ID: <a1@example.com>\r\n\r\nHi Bob,\r\nsee you.\r\n"},
        {"iso-2022-jp",
         "From: =?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <yamada@example.jp>\r\nTo: bob@example.com\r\n"
         "Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\r\nMIME-Version: 1.0\r\n"
         "Content-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
         "\x1b$B$3$s$K$A$O\x1b(B\r\n\r\n\x1b$BK\\J8$G$9!#\x1b(B\r\n"},
        {"shift_jis quoted-printable",
         "From: sato@example.jp\r\nTo: bob@example.com\r\nSubject: =?Shift_JIS?B?g2WDWINn?=\r\nMIME-Version: 1.0\r\n"
         "Content-Type: text/plain; charset=Shift_JIS\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
         "=82=B1=82=F1=82=C9=82=BF=82=CD\r\n"},
        {"utf-8 8bit",
         "From: kim@example.kr\r\nTo: bob@example.com\r\nSubject: =?UTF-8?B?5pel5pys6Kqe?=\r\nMIME-Version: 1.0\r\n"
         "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
         "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e \xed\x95\x9c\xea\xb5\xad\xec\x96\xb4\r\n"},
        {"multipart with attachment",
         "From: carol@example.com\r\nTo: bob@example.com\r\nSubject: report\r\nMIME-Version: 1.0\r\n"
         "Content-Type: multipart/mixed; boundary=\"b1\"\r\n\r\n--b1\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\n"
         "The report is attached.\r\n--b1\r\nContent-Type: application/pdf; name=\"report.pdf\"\r\n"
         "Content-Disposition: attachment; filename=\"report.pdf\"\r\nContent-Transfer-Encoding: base64\r\n\r\n"
         "JVBERi0xLjQKJcfsj6IKMSAwIG9iago8PC9UeXBlL0NhdGFsb2c+PgplbmRvYmoK\r\n--b1--\r\n"},
        {"dot lines",
         "From: dave@example.com\r\nTo: bob@example.com\r\nSubject: dots\r\n\r\n.\r\n..\r\n.hidden\r\n...three\r\n"
         "end.\r\n"},
        {"lf only",
         "From: erin@example.com\nTo: bob@example.com\nSubject: unix\n\nfirst\n\nthird\n"},
    };
    return messages;
}

std::string with_crlf(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) out += '\r';
        out += bytes[i];
    }
    return out;
}

std::string sized_message(const std::string& subject, std::size_t size) {
    std::string message = "From: big@example.com\r\nTo: bob@example.com\r\nSubject: " + subject + "\r\n\r\n";
    char line[96];
    for (long n = 1; message.size() < size; ++n) {
        std::snprintf(line, sizeof line, "%08ld the quick brown fox jumps over the lazy dog 0123456789\r\n", n);
        message += line;
    }
    return message;
}

}  // namespace tv::test
