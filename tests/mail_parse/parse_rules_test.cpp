// The rules of the parse on their own: charset readings, attachment names and result lines.
#include <gtest/gtest.h>

#include <map>

#include "common/sjis.h"
#include "harness/harness.h"
#include "mail/parse/attachment_folder.h"
#include "mail/parse/attachment_names.h"
#include "mail/parse/charset.h"
#include "mail/parse/content_match.h"
#include "mail/parse/gobject_ptr.h"
#include "mail/parse/header_text.h"
#include "mail/parse/mail_reader.h"
#include "mail/parse/parse_result.h"

namespace tv::mail {
namespace {

using namespace tv::literals;

struct Rules : ::testing::Test {
    static void SetUpTestSuite() { parser_options(); }  // initialises GMime
};

TEST_F(Rules, TextIsReadByItsLabelAndGuessedWhenTheLabelDoesNotFit) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* label;
        std::string cp932;
    };
    const Case cases[] = {
        {"Shift_JIS keeps 0x5C trail bytes", "\x95\x5c\x5c", "Shift_JIS", "\x95\x5c\x5c"},
        {"windows-31j", "\x87\x40", "windows-31j", "\x87\x40"},
        {"EUC-JP with NEC row 13", "\xad\xa1\xa4\xa2", "euc-jp", "\x87\x40\x82\xa0"},
        {"UTF-8 wave dash", "\xe3\x80\x9c", "utf-8", "\x81\x60"},
        {"not in CP932", "\xf0\x9f\x98\x80" "caf\xc3\xa9", "UTF-8", "?caf?"},
        {"us-ascii holding Shift_JIS", "\x82\xa0\x82\xa2", "us-ascii", "\x82\xa0\x82\xa2"},
        {"utf-8 label on EUC-JP", "\xa4\xa2\xa4\xa4", "utf-8", "\x82\xa0\x82\xa2"},
        {"no label, ISO-2022-JP", "\x1b$B$\"\x1b(B", "", "\x82\xa0"},
        {"UTF-8 with one broken byte", "\xe3\x81\x82\xe3\x81\x84\xe3\x81\x86\xe3\x81\x88\xe3\x81\x8a\xe3\x81\x8b\xe3\x81\x8d\xe3\x81\x8f\xe3\x81\x91\xe3\x81\x93\xff", "utf-8",
         "\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\x82\xa9\x82\xab\x82\xad\x82\xaf\x82\xb1?"},
        {"ISO-8859-1", "caf\xe9", "iso-8859-1", "caf?"},
        {"unknown label", "\x82\xa0", "x-no-such-charset", "\x82\xa0"},
        // EUC-JP reads CP932 lead bytes 0x81-0x9F as C1 controls; its kana lead 0x8E reads as kana.
        {"no label, CP932 that EUC-JP reads with controls", "\x95\x5c\x8e\xa6", "", "\x95\x5c\x8e\xa6"},
        {"no label, EUC-JP half-width kana", "\x8e\xb6\x8e\xc0", "", "\xb6\xc0"},
        {"utf-8 label on CP932 that EUC-JP reads", "\x83\x5c\x83\x74\x83\x67", "utf-8", "\x83\x5c\x83\x74\x83\x67"},
        {"euc-jp label on CP932", "\x83\x5c\x83\x74\x83\x67\x95\x5c\x8e\xa6", "euc-jp",
         "\x83\x5c\x83\x74\x83\x67\x95\x5c\x8e\xa6"},
        // Half-width katakana in CP932 read in pairs as EUC-JP kanji ("ｵｼﾗｾ" as "擬彎"), and some as
        // UTF-8 too ("ﾕｷ" as Armenian "շ"); EUC-JP kanji whose bytes all lie in A1-DF read as CP932
        // half-width katakana ("山田太郎" as "ｻｳﾅﾄﾂﾀﾏｺ"). Each is read as what it likelier says.
        {"no label, CP932 half-width katakana", "\xb5\xbc\xd7\xbe", "", "\xb5\xbc\xd7\xbe"},
        {"no label, CP932 half-width katakana that are UTF-8 too", "\xd5\xb7", "", "\xd5\xb7"},
        {"no label, CP932 half-width katakana with a voiced mark", "\xc3\xde\xb0\xc0.dat", "", "\xc3\xde\xb0\xc0.dat"},
        {"no label, EUC-JP kanji in A1-DF", "\xbb\xb3\xc5\xc4\xc2\xc0\xcf\xba", "", "\x8e\x52\x93\x63\x91\xbe\x98\x59"},
        {"no label, EUC-JP sentence", "\xcc\xc0\xc6\xfc\xa4\xce\xb2\xf1\xb5\xc4\xa4\xc7\xa4\xb9", "",
         "\x96\xbe\x93\xfa\x82\xcc\x89\xef\x8b\x63\x82\xc5\x82\xb7"},
        // Nearly all of its bytes in UTF-8 sequences, but EUC-JP ("つまびらか"): not UTF-8 with a byte broken.
        {"no label, EUC-JP hiragana that nearly form UTF-8", "\xa4\xc4\xa4\xde\xa4\xd3\xa4\xe9\xa4\xab", "",
         "\x82\xc2\x82\xdc\x82\xd1\x82\xe7\x82\xa9"},
        // Lead byte F5 begins no UTF-8 character: each of its bytes is one that does not fit.
        {"utf-8 label, past U+10FFFF", "a\xf5\x80\x80\x80" "b", "utf-8", "a????b"},
    };
    for (const Case& c : cases) EXPECT_EQ(utf8_to_cp932(decode_to_utf8(c.bytes, c.label)), c.cp932) << c.what;
}

// Encoded words and RFC 2231 values are read as a body is: by their label where the bytes fit it
// (Japanese labels with the rows CP932 adds), else guessed; GMime only takes the header apart.
TEST_F(Rules, WordsAndParameterValuesAreReadAsABodyIs) {
    struct Case {
        const char* what;
        std::string raw;
        std::string utf8;
    };
    const Case words[] = {
        {"Shift_JIS", " =?Shift_JIS?B?gqA=?=\r\n", "あ"},
        {"ISO-2022-JP with NEC row 13", "=?ISO-2022-JP?B?GyRCLSEbKEI=?= x", "① x"},
        {"NUL becomes a blank", "=?utf-8?Q?a=00b?=", "a b"},
        {"raw ISO-2022-JP", "\x1b$B$\"\x1b(B <a@b>", "あ <a@b>"},
        {"unknown charset, EUC-JP split over two words", "=?x-unknown?B?svG1?= =?x-unknown?B?xA==?=", "会議"},
        {"UTF-8 as it is", "=?UTF-8?B?5bGx55Sw?=", "山田"},
        {"UTF-16", "=?UTF-16BE?B?MEIwRA==?=", "あい"},
        {"UTF-8 label on CP932", "=?UTF-8?B?l+mW2CCI6phZ?=", "鈴木 一郎"},
        {"UTF-8 label on CP932 split after a lead byte", "=?UTF-8?B?l1yS6JU=?= =?UTF-8?B?XC5wZGY=?=", "予定表.pdf"},
    };
    for (const Case& c : words) {
        std::string prepared = prepare_raw_header(c.raw);
        GCharPtr decoded(g_mime_utils_header_decode_text(parser_options(), prepared.c_str()));
        EXPECT_EQ(std::string(decoded.get()), c.utf8) << c.what;
    }
    const Case parameters[] = {
        {"Shift_JIS", "attachment; filename*=shift_jis''%82%A0.txt", "あ.txt"},
        {"ISO-2022-JP with NEC row 13", "attachment; filename*=ISO-2022-JP'ja'%1B%24B%2D%21%1B%28B.txt", "①.txt"},
        {"UTF-8 label on CP932, continued after a lead byte",
         "attachment;\r\n filename*0*=UTF-8''%97%5C%92%E8%95;\r\n filename*1*=%5C.txt", "予定表.txt"},
        {"quoted", "attachment; filename*=\"utf-8''%E8%A1%A8.txt\"", "表.txt"},
        {"ISO-8859-1", "attachment; filename*=iso-8859-1'en'caf%E9.txt", "café.txt"},
        {"no RFC 2231", "attachment; filename=\"plain*=x'y'z.txt\"", "plain*=x'y'z.txt"},
    };
    for (const Case& c : parameters) {
        std::string prepared = prepare_raw_parameters(c.raw);
        GObjectPtr<GMimeContentDisposition> disposition(g_mime_content_disposition_parse(parser_options(), prepared.c_str()));
        GMimeParam* param = g_mime_param_list_get_parameter(g_mime_content_disposition_get_parameters(disposition.get()), "filename");
        EXPECT_EQ(param ? parameter_text(param) : "(none)", c.utf8) << c.what;
    }
    EXPECT_EQ(one_line("a\r\nb\tc\x7f"), "a  b c");
}

TEST_F(Rules, AttachmentNamesAreCleanedForTheFolderAndTheReaders) {
    struct Case {
        std::string utf8;
        const char* type;
        std::string cleaned;
    };
    const Case cases[] = {
        {"..\\..\\SYSTEM_F\\MAIL_DATA.txt", "text/plain", "MAIL_DATA.txt"},
        {"../../etc/passwd", "", "passwd"},
        {"a\"b,c\r\nd.txt", "", "a_b_c__d.txt"},
        {"\u3000 report .pdf \u3000", "", "report .pdf"},
        {"..", "application/pdf", "attachment.pdf"},
        {"", "image/png", "attachment.png"},
        {"", "application/x-unknown", "attachment"},
        {".profile", "", "profile"},
        {"a...b..c", "", "a.b.c"},
        {"CrLf.txt", "", "CrL_f.txt"},
        {"\xf0\x9f\x98\x80.png", "", "_.png"},
        {"資料①.xls", "", "資料①.xls"_sj},
        // A reading that could not read 97 5C (予) left the 0x5C trail byte standing.
        {"\ufffd\\\ufffd.pdf", "", "___.pdf"},
    };
    for (const Case& c : cases) EXPECT_EQ(clean_attachment_name(c.utf8, c.type), c.cleaned) << c.utf8;

    std::string long_name = clean_attachment_name(std::string(300, 'x') + ".txt", "");
    EXPECT_EQ(long_name, std::string(180, 'x') + ".txt");
    std::string long_japanese = clean_attachment_name(std::string(100, 'x') + "あ" + std::string(100, 'y'), "");
    EXPECT_EQ(to_utf8(long_japanese).size(), 180u);  // whole characters only
    EXPECT_EQ(numbered_name("report.pdf", 2), "report(2).pdf");
    EXPECT_EQ(numbered_name("README", 3), "README(3)");
}

TEST_F(Rules, LongLinesAreWrappedAtCharacterBoundariesAndGuardedAfterwards) {
    ParsedMail mail;
    mail.body = std::string(32759, 'a') + "\x82\xa0" + "bc";  // the character would end at byte 32,767
    auto lines = result_lines(mail);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4], "Body: " + std::string(32759, 'a'));
    EXPECT_EQ(lines[5], "\x82\xa0" "bc");

    mail.body = std::string(32760, 'a') + "File: x";  // a wrapped piece that reads as an attachment line
    lines = result_lines(mail);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[4].size(), 32766u);
    EXPECT_EQ(lines[5], ">File: x");
}

// Parts that share one name cost in step with their number: each content is written a fixed
// number of times per save, however many copies of the name the folder holds. Two mails of many
// same-named parts of one size, and the first parsed again.
TEST_F(Rules, SavingManyPartsOfOneNameReadsEachCopyOnce) {
    test::Harness h;
    constexpr int kParts = 300;
    int writes = 0;
    auto content = [&writes](char mail, int i) {
        return [&writes, mail, i](GMimeStream* out) {
            ++writes;
            char text[16];
            std::snprintf(text, sizeof text, "%c part %04d", mail, i);  // all of one size
            return g_mime_stream_write(out, text, 11) == 11;
        };
    };
    std::map<char, std::vector<std::string>> names;
    for (char mail : {'A', 'B', 'A'}) {
        AttachmentFolder folder("TENPFIL");  // one parse of the mail
        writes = 0;
        std::vector<std::string> saved;
        for (int i = 0; i < kParts; ++i) saved.push_back(folder.save("image.png", content(mail, i)).value_or(""));
        EXPECT_LE(writes, 2 * kParts) << mail;
        if (names.count(mail)) {
            EXPECT_EQ(saved, names[mail]);  // parsed again, the mail finds its own files
        }
        names[mail] = saved;
    }
    EXPECT_EQ(names['A'].front(), "image.png");
    EXPECT_EQ(names['B'].front(), "image(301).png");
    EXPECT_EQ(names['B'].back(), "image(600).png");
}

// The head of a content only picks the files worth reading whole: a file of the same size and the
// same first 4 KiB but other bytes after them is never taken for the content.
TEST_F(Rules, AnEarlierCopyMustMatchBeyondItsHead) {
    test::Harness h;
    auto content = [](char tail) {
        return [tail](GMimeStream* out) {
            std::string bytes = std::string(kHeadBytes, 'h') + std::string(100, tail);
            return g_mime_stream_write(out, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        };
    };
    EXPECT_EQ(AttachmentFolder("TENPFIL").save("a.bin", content('x')), "a.bin");
    EXPECT_EQ(AttachmentFolder("TENPFIL").save("a.bin", content('y')), "a(2).bin");
    EXPECT_EQ(AttachmentFolder("TENPFIL").save("a.bin", content('y')), "a(2).bin");
    EXPECT_EQ(AttachmentFolder("TENPFIL").save("a.bin", content('x')), "a.bin");
    EXPECT_EQ(h.read("TENPFIL\\a.bin"), std::string(kHeadBytes, 'h') + std::string(100, 'x'));
}

TEST_F(Rules, AnUnreadableMailIsKnownByItsSenderAndSubject) {
    auto lines = result_lines(unreadable_mail("2024/01/01 00:00:00"));
    EXPECT_EQ(lines, (std::vector<std::string>{"DATE: 2024/01/01 00:00:00", "FROM: can not read mail !", "TO: ",
                                               "SUBJECT: can not read mail !", "Body: ", "FILE:",
                                               std::string(kEndLine)}));
}

}  // namespace
}  // namespace tv::mail
