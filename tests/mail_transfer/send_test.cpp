// talvenor-mail send against a real SMTP server (aiosmtpd) on 127.0.0.1; what it received is read
// back with GMime.
#include <gtest/gtest.h>

#include <glib.h>

#include <algorithm>
#include <functional>
#include <regex>

#include "common/sjis.h"
#include "common/text_file.h"
#include "mail_test_support.h"
#include "parsed_message.h"

namespace tv::test {
namespace {

using namespace tv::literals;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string cp932(const std::string& utf8) { return from_utf8(utf8).value_or("(not CP932)"); }

struct SendTest : ::testing::Test {
    TestMailbox login;  // a user the SMTP server's AUTH accepts
    MailFolder folder;
    Account account = server_account(login);
    std::string local = unique_name("r");

    SendTest() {
        folder.write_account(account);
    }
    std::string recipient() const { return local + "@example.jp"; }
    void request(const std::vector<std::string>& lines) { folder.h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", lines); }
    std::vector<std::string> sent_file() const {
        auto names = folder.sent_box();
        if (names.size() != 1) return {};
        return files::split_lines(folder.h.read("SOUSINBOX\\" + names[0]));
    }
};

TEST_F(SendTest, JapaneseMailWithTwoAttachmentsArrivesAsWrittenAndIsFiled) {
    std::string text_attachment = "添付の本文です。\r\n"_sj;
    std::string binary_attachment("\x89PNG\r\n\x1a\n\0\x01\x02\xff", 12);
    folder.h.write("TENPFIL\\資料.txt"_sj, text_attachment);
    folder.h.write("外部\\画像.bin"_sj, binary_attachment);
    std::string absolute = from_utf8(folder.h.folder.string()).value() + "/"_sj + "外部/画像.bin"_sj;
    std::vector<std::string> body{"山田様"_sj, "", "会議の資料を添付します～よろしく。"_sj, " FILE: と書いた行も本文です"_sj, "以上"_sj};
    std::vector<std::string> lines{"TO:山田 花子 <"_sj + recipient() + ">", "FROM:太郎<taro@example.com>"_sj,
                                   "SUBJECT:会議の資料～確認"_sj};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("FILE:TENPFIL\\資料.txt"_sj);
    lines.push_back("FILE:" + absolute);
    lines.push_back("MAIL_END");
    request(lines);

    EXPECT_EQ(folder.run("send"), 0);
    EXPECT_EQ(folder.send_result(), "DONEメールを送信しました。"_sj);

    std::vector<std::string> delivered = delivered_to(local);
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0].rfind("Return-Path: <taro@example.com>\r\n", 0), 0u);
    ParsedMessage m = parse_message(delivered[0]);
    EXPECT_EQ(cp932(m.subject), "会議の資料～確認"_sj);
    EXPECT_TRUE(has(lower_ascii(m.raw_subject), "=?iso-2022-jp?b?")) << m.raw_subject;
    EXPECT_EQ(m.body_charset, "iso-2022-jp");
    std::string expected_body;
    for (const auto& line : body) expected_body += line + "\r\n";
    EXPECT_EQ(cp932(m.body), expected_body);
    EXPECT_TRUE(has(m.from, "taro@example.com") && has(m.from, "太郎")) << m.from;
    EXPECT_TRUE(has(m.to, recipient()) && has(m.to, "山田 花子")) << m.to;
    EXPECT_FALSE(m.date.empty());
    EXPECT_FALSE(m.message_id.empty());
    EXPECT_EQ(m.mime_version, "1.0");
    ASSERT_EQ(m.attachments.size(), 2u);
    EXPECT_EQ(m.attachments[0].name, "資料.txt");
    EXPECT_EQ(m.attachments[0].data, text_attachment);
    EXPECT_EQ(m.attachments[1].name, "画像.bin");
    EXPECT_EQ(m.attachments[1].data, binary_attachment);
    EXPECT_TRUE(has(delivered[0], "Content-Transfer-Encoding: base64\r\n"));

    std::vector<std::string> filed = sent_file();
    ASSERT_EQ(filed.size(), 13u);
    EXPECT_TRUE(std::regex_match(filed[0], std::regex("DATE:[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << filed[0];
    EXPECT_EQ(filed[1], "FROM:太郎<taro@example.com>"_sj);
    EXPECT_EQ(filed[2], "TO:山田 花子 <"_sj + recipient() + ">");
    EXPECT_EQ(filed[3], "SUBJECT:会議の資料～確認"_sj);
    EXPECT_EQ(filed[4], "BODY:");
    EXPECT_EQ(std::vector<std::string>(filed.begin() + 6, filed.begin() + 11), body);
    EXPECT_EQ(filed[11], "FILE:TENPFIL\\資料.txt"_sj);
    EXPECT_EQ(filed[12], "FILE:" + absolute);
}

// Every "=?...?=" word of a header text.
std::vector<std::string> encoded_words_in(const std::string& raw) {
    std::vector<std::string> words;
    for (std::size_t at = raw.find("=?"); at != std::string::npos; at = raw.find("=?", at)) {
        std::size_t q = raw.find('?', raw.find('?', at + 2) + 3);
        std::size_t end = raw.find("?=", q);
        words.push_back(raw.substr(at, end + 2 - at));
        at = end + 2;
    }
    return words;
}

// The quoted value of a parameter ("name" in `name="..."`).
std::string quoted_parameter(const std::string& raw, const std::string& name) {
    std::size_t at = raw.find(name + "=\"");
    if (at == std::string::npos) return {};
    at += name.size() + 2;
    return raw.substr(at, raw.find('"', at) - at);
}

// Japanese phones read ISO-2022-JP headers only in short B-encoded words that each return to
// ASCII; attachment names in RFC 2047 form beside the RFC 2231 one.
TEST_F(SendTest, JapaneseHeadersGoOutInShortJisWords) {
    std::string subject = "【重要】来週の定例会議の議題と資料の送付について（第三回目・最終確認のお願い）"_sj;
    std::string sender = "株式会社テスト・インターナショナル 東日本営業本部 佐藤 花子"_sj;
    std::string file = "御見積書（株式会社テスト・インターナショナル様向け）最終版.pdf"_sj;
    folder.h.write("TENPFIL\\" + file, "%PDF-1.4\n");
    request({"TO:山田 太郎 <"_sj + recipient() + ">", "FROM:" + sender + "<taro@example.com>", "SUBJECT:" + subject,
             "本文"_sj, "FILE:TENPFIL\\" + file, "MAIL_END"});
    ASSERT_EQ(folder.run("send"), 0) << to_utf8(folder.send_result());

    std::vector<std::string> delivered = delivered_to(local);
    ASSERT_EQ(delivered.size(), 1u);
    ParsedMessage m = parse_message(delivered[0]);
    EXPECT_EQ(cp932(m.subject), subject);
    // The subject starts on the Subject line itself, in the 78 columns that no relay refolds.
    std::size_t at = delivered[0].find("\r\nSubject:") + 2;
    std::string first_line = delivered[0].substr(at, delivered[0].find("\r\n", at) - at);
    EXPECT_EQ(first_line.rfind("Subject: =?ISO-2022-JP?B?", 0), 0u) << first_line;
    EXPECT_LE(first_line.size(), 78u) << first_line;
    EXPECT_TRUE(has(m.from, to_utf8(sender))) << m.from;
    EXPECT_TRUE(has(m.to, "山田 太郎")) << m.to;
    ASSERT_EQ(m.attachments.size(), 1u);
    const ParsedAttachment& attachment = m.attachments[0];
    EXPECT_EQ(cp932(attachment.name), file);
    for (const std::string& raw : {attachment.raw_type, attachment.raw_disposition}) {
        EXPECT_TRUE(has(raw, "name*")) << raw;  // RFC 2231
    }
    for (const char* parameter : {"name", "filename"}) {
        const std::string& raw = std::string(parameter) == "name" ? attachment.raw_type : attachment.raw_disposition;
        EXPECT_EQ(cp932(decode_header_text(quoted_parameter(raw, parameter))), file) << raw;  // RFC 2047
    }

    std::string headers = m.raw_subject + " " + m.raw_from + " " + m.raw_to + " " + attachment.raw_type + " " +
                          attachment.raw_disposition;
    std::vector<std::string> words = encoded_words_in(headers);
    EXPECT_GE(words.size(), 8u);
    for (const std::string& word : words) {
        EXPECT_LE(word.size(), 75u) << word;
        ASSERT_EQ(word.rfind("=?ISO-2022-JP?B?", 0), 0u) << word;
        std::string text = word.substr(16, word.size() - 18);
        gsize length = 0;
        guchar* bytes = g_base64_decode(text.c_str(), &length);
        std::string raw(reinterpret_cast<char*>(bytes), length);
        g_free(bytes);
        std::size_t last_escape = raw.rfind('\x1b');
        if (last_escape != std::string::npos) {
            EXPECT_EQ(raw.substr(last_escape, 3), "\x1b(B") << "back in ASCII at its end: " << word;
        }
        std::string alone = decode_header_text(word);  // each word decodes on its own
        EXPECT_TRUE(alone.find("\xEF\xBF\xBD") == std::string::npos && alone.find("=?") == std::string::npos) << word;
    }
}

TEST_F(SendTest, PlainServerListOfRecipientsAndTextIsoCannotHold) {
    account.smtp_port = servers().get("SMTP_PORT");  // offers neither STARTTLS nor AUTH
    folder.write_account(account);
    std::string second = unique_name("r");
    request({"TO:" + recipient() + ", " + second + "@example.jp", "FROM:Taro<taro@example.com>",
             "SUBJECT:ﾃｽﾄ ①"_sj, "FILE:x is a body line, not an attachment", "ﾊﾝｶｸ"_sj, "FILE:", "MAIL_END",
             "ignored after the end", "FILE:ignored.txt"});

    EXPECT_EQ(folder.run("send"), 0);
    EXPECT_EQ(folder.send_result(), "DONEメールを送信しました。"_sj);
    ASSERT_EQ(delivered_to(second).size(), 1u);
    std::vector<std::string> delivered = delivered_to(local);
    ASSERT_EQ(delivered.size(), 1u);
    ParsedMessage m = parse_message(delivered[0]);
    EXPECT_EQ(cp932(m.subject), "ﾃｽﾄ ①"_sj);
    EXPECT_TRUE(has(m.raw_subject, "UTF-8") || has(m.raw_subject, "utf-8")) << m.raw_subject;
    EXPECT_EQ(m.body_charset, "utf-8");
    EXPECT_EQ(cp932(m.body), "FILE:x is a body line, not an attachment\r\nﾊﾝｶｸ\r\n"_sj);
    EXPECT_TRUE(m.attachments.empty());

    std::vector<std::string> filed = sent_file();
    ASSERT_EQ(filed.size(), 9u);
    EXPECT_EQ(filed[6], " FILE:x is a body line, not an attachment") << "a body line never reads as an attachment";
    EXPECT_EQ(filed[8], "FILE:");
}

// A To line of several recipients, named as users type them: the mail goes to each, their names in
// its To header (Japanese ones in ISO-2022-JP words), and the sent-mail file keeps the line as typed.
TEST_F(SendTest, AListOfNamedRecipientsReachesEachWithItsName) {
    std::vector<std::string> locals{local, unique_name("r"), unique_name("r"), unique_name("r")};
    std::string to = "鈴木 一郎<"_sj + locals[0] + "@example.jp>, \"Yamada, Taro\" <" + locals[1] + "@example.jp>,山田　太郎<"_sj +
                     locals[2] + "@example.jp> ; " + locals[3] + "@example.jp ,";
    request({"TO:" + to, "FROM:Taro<taro@example.com>", "SUBJECT:list", "hello", "FILE:", "MAIL_END"});

    ASSERT_EQ(folder.run("send"), 0) << to_utf8(folder.send_result());
    for (const auto& one : locals) ASSERT_EQ(delivered_to(one).size(), 1u) << one;
    ParsedMessage m = parse_message(delivered_to(locals[3])[0]);
    EXPECT_EQ(m.to, "鈴木 一郎 <" + locals[0] + "@example.jp>, \"Yamada, Taro\" <" + locals[1] + "@example.jp>, 山田　太郎 <" +
                        locals[2] + "@example.jp>, " + locals[3] + "@example.jp");
    EXPECT_EQ(encoded_words_in(m.raw_to).size(), 2u) << m.raw_to;
    for (const std::string& word : encoded_words_in(m.raw_to)) EXPECT_EQ(word.rfind("=?ISO-2022-JP?B?", 0), 0u) << word;
    EXPECT_TRUE(std::all_of(m.raw_to.begin(), m.raw_to.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));

    std::vector<std::string> filed = sent_file();
    ASSERT_GE(filed.size(), 3u);
    EXPECT_EQ(filed[2], "TO:" + trim(to));
}

TEST_F(SendTest, ImplicitTlsPortWithVerifiedCertificate) {
    account.smtp_port = servers().get("SMTPS_PORT");
    folder.write_account(account);
    request({"TO:" + recipient(), "FROM:Taro<taro@example.com>", "SUBJECT:tls", "hello", "FILE:", "MAIL_END"});
    std::string tls_ports = "TALVENOR_IMPLICIT_TLS_PORTS=" + servers().get("SMTPS_PORT");

    EXPECT_NE(folder.run("send", false, {tls_ports}), 0);
    EXPECT_TRUE(has(folder.send_result(), "証明書"_sj)) << "no CA, no trust";
    EXPECT_TRUE(folder.sent_box().empty());

    EXPECT_EQ(folder.run("send", true, {tls_ports}), 0);
    EXPECT_EQ(delivered_to(local).size(), 1u);
    EXPECT_EQ(folder.sent_box().size(), 1u);
}

// A send that fails: the result names why, nothing is filed and nothing arrives.
struct FailCase {
    const char* name;
    std::function<void(SendTest&, std::vector<std::string>&)> arrange;
    const char* words;  // UTF-8, expected in the result
    bool end_line = true;
};
void PrintTo(const FailCase& c, std::ostream* out) { *out << c.name; }


class SendFailureTest : public SendTest, public ::testing::WithParamInterface<FailCase> {};

TEST_P(SendFailureTest, GivesErrorAndNoSentFile) {
    std::vector<std::string> lines{"TO:" + recipient(), "FROM:Taro<taro@example.com>", "SUBJECT:fails", "body"};
    GetParam().arrange(*this, lines);
    if (GetParam().end_line) lines.push_back("MAIL_END");
    request(lines);

    EXPECT_NE(folder.run("send"), 0);
    std::string result = folder.send_result();
    EXPECT_EQ(result.rfind("ERROR", 0), 0u) << to_utf8(result);
    EXPECT_TRUE(has(result, sj(GetParam().words))) << to_utf8(result);
    for (char c : {',', ':', '"'}) EXPECT_EQ(result.find(c), std::string::npos) << to_utf8(result);
    EXPECT_TRUE(folder.sent_box().empty());
    EXPECT_TRUE(delivered_to(local).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendFailureTest,
    ::testing::Values(
        FailCase{"Unreachable",
                 [](SendTest& t, std::vector<std::string>& lines) {
                     t.account.smtp_port = std::to_string(closed_port());
                     t.folder.write_account(t.account);
                     lines.push_back("FILE:");
                 },
                 "CANT CONNECT SERVER"},
        FailCase{"SilentServer",
                 [](SendTest& t, std::vector<std::string>& lines) {
                     t.account.smtp_port = std::to_string(silent_port());
                     t.account.timeout = "1";
                     t.folder.write_account(t.account);
                     lines.push_back("FILE:");
                 },
                 "CANT CONNECT SERVER"},
        FailCase{"RecipientRefused",
                 [](SendTest& t, std::vector<std::string>& lines) {
                     t.local = unique_name("refuse");
                     lines[0] = "TO:" + t.recipient();
                     lines.push_back("FILE:");
                 },
                 "受け付けませんでした"},
        FailCase{"LoginRefused",
                 [](SendTest& t, std::vector<std::string>& lines) {
                     t.account.password = "wrong";
                     t.folder.write_account(t.account);
                     lines.push_back("FILE:");
                 },
                 "パスワードを確認してください"},
        FailCase{"MissingAttachment",
                 [](SendTest& t, std::vector<std::string>& lines) {
                     t.folder.h.write("TENPFIL\\here.txt", "here");
                     lines.push_back("FILE:TENPFIL\\here.txt");
                     lines.push_back("FILE:TENPFIL\\gone.pdf");
                 },
                 "TENPFIL\\gone.pdf"},
        FailCase{"NoEndLine", [](SendTest&, std::vector<std::string>& lines) { lines.push_back("FILE:"); },
                 "送信データ", false},
        // 2,000 recipients make a line longer than a line may be: cut, it would send to the first
        // ones and to a wrong domain at the cut.
        FailCase{"RecipientLineCut",
                 [](SendTest& t, std::vector<std::string>& lines) {
                     std::string to = "TO:" + t.recipient();
                     for (int i = 1; i < 2000; ++i) to += ", " + t.local + "-" + std::to_string(i) + "@example.jp";
                     lines[0] = to;
                     lines.push_back("FILE:");
                 },
                 "宛先が長すぎます"},
        // One wrong address among good ones: none of them gets the mail.
        FailCase{"OneBadRecipientInAList",
                 [](SendTest& t, std::vector<std::string>& lines) {
                     lines[0] = "TO:太郎 <"_sj + t.recipient() + ">, hanako.example.jp, Jiro <jiro@example.jp>";
                     lines.push_back("FILE:");
                 },
                 "宛先のアドレスが正しくありません hanako.example.jp"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tv::test
