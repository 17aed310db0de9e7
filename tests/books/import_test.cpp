#include <gtest/gtest.h>

#include "books/import_readers.h"
#include "books_fixture.h"
#include "common/globals.h"

namespace tv::books {
namespace {

const std::string kPlaceholder = "\" \",\" \"\r\n";
const std::string kOldBook = kPlaceholder + "\"Old\",\"old@example.jp\"\r\n";

std::string record(const std::string& name, const std::string& address) {
    return "\"" + name + "\",\"" + address + "\"\r\n";
}

struct ImportTest : BooksTest {
    std::string exports;  // the chosen folder, as the folder browser gives it
    std::vector<int> pauses;  // the import's, from its question to the box of its outcome

    ImportTest() {
        exports = (h.folder / "exports").string();
        h.make_folder("exports");
        h.write(kAddressBook, kOldBook);
    }
    void put(const std::string& name, const std::string& bytes) { h.write("exports\\" + name, bytes); }
    // Opens the address book and imports from the export folder.
    void import() {
        open("ADDRESS");
        h.platform.dialogs.choose_next(exports);
        h.boxes().while_shown = [this](const pf::MessageBoxRequest& box) {
            if (box.title == "インポート"_sj) {
                h.clock().reset_pauses();
            } else {
                pauses = h.clock().pauses();
            }
        };
        h.click("FORM7", "BUTTON8");
        h.boxes().while_shown = nullptr;
    }
    // A pause as the old book goes, then one before each imported entry is listed.
    static std::vector<int> pauses_for(std::size_t entries) { return std::vector<int>(entries + 1, 20); }
    void expect_old_book_kept() {
        EXPECT_EQ(h.read(kAddressBook), kOldBook);
        EXPECT_EQ(rows(), (std::vector<std::string>{book_list_row({"Old", "old@example.jp"})}));
        EXPECT_TRUE(pf::form("FORM7").enabled);
    }
    // The question, then the box of the outcome.
    void expect_outcome(const std::string& title, const std::string& text) {
        ASSERT_EQ(h.boxes().shown().size(), 2u);
        EXPECT_EQ(h.boxes().shown()[0].title, "インポート"_sj);
        EXPECT_EQ(h.boxes().shown()[1].title, title);
        EXPECT_EQ(h.boxes().shown()[1].text, text);
    }
};

// A folder of CSV exports: every CSV file and every vCard file it holds, in listing order.
TEST_F(ImportTest, CsvFilesOfTheFolderReplaceTheBook) {
    put("book.CSV", "Name,E-mail Address\r\n"
                    "\"Yamada, Taro\",taro@example.jp\r\n"
                    "Three,three@example.jp,extra field\r\n"
                    "No address,\r\n"
                    ",noname@example.jp\r\n"
                    "\"Say \"\"hi\"\"\",\" spaced@example.jp \"\r\n"
                    "Colon: name,colon@example.jp\r\n"
                    "\r\n");
    put("card.vcf", "BEGIN:VCARD\r\nFN:Card\r\nEMAIL:card@example.jp\r\nEND:VCARD\r\n");
    put("second.csv", "Name,E-mail Address\r\nSecond,second@example.jp\r\n");
    globals().OS_GENERATION = "2";
    import();
    expect_outcome("DONE", "アドレス帳をインポートしました。    "_sj);
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Yamada, Taro", "taro@example.jp") +
                                        record("Three", "three@example.jp") + record("", "noname@example.jp") +
                                        record("Say hi", "spaced@example.jp") + record("Colon: name", "colon@example.jp") +
                                        record("Card", "card@example.jp") + record("Second", "second@example.jp"));
    EXPECT_EQ(rows().size(), 7u);
    EXPECT_EQ(pauses, pauses_for(7));
    EXPECT_TRUE(pf::form("FORM7").enabled);
    EXPECT_EQ(pf::form("FORM7").pointer, pf::MousePointer::Arrow);
}

TEST_F(ImportTest, VcardFilesReplaceTheBook) {
    // UTF-8 with LF line ends, two cards, a folded name, a group prefix and a preferred address.
    put("contacts.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:山田\n  太郎\nitem1.EMAIL;TYPE=INTERNET:first@example.jp\n"
                        "email;type=INTERNET,pref:taro@example.jp\nEND:VCARD\n"
                        "begin:vcard\nfn:Ito\\, Jiro\nEMAIL:jiro@example.jp\nend:vcard\n");
    // CP932 with CR LF, the format older programs wrote.
    put("sato.VCF", "BEGIN:VCARD\r\nFN:" + "佐藤"_sj + "\r\nEMAIL;PREF;INTERNET:sato@example.jp\r\nEND:VCARD\r\n");
    put("noaddress.vcf", "BEGIN:VCARD\r\nFN:Nobody\r\nEND:VCARD\r\n");
    put("book.csv", "Name,E-mail\r\nCsv,csv@example.jp\r\n");
    import();
    expect_outcome("DONE", "アドレス帳をインポートしました。    "_sj);
    std::string book = h.read(kAddressBook);
    EXPECT_NE(book.find(record("Csv", "csv@example.jp")), std::string::npos);
    EXPECT_NE(book.find(record("山田 太郎"_sj, "taro@example.jp")), std::string::npos);
    EXPECT_NE(book.find(record("Ito, Jiro", "jiro@example.jp")), std::string::npos);
    EXPECT_NE(book.find(record("佐藤"_sj, "sato@example.jp")), std::string::npos);
    EXPECT_EQ(read_book(kAddressBook).size(), 4u);
    EXPECT_EQ(rows().size(), 4u);
    EXPECT_EQ(pauses, pauses_for(4));
}

// A CSV file without a byte-order mark is read in the charset it was written in, also where its
// bytes would read in the other one: half-width katakana in CP932 are often well-formed UTF-8.
TEST_F(ImportTest, CsvNamesKeepTheCharsetTheyWereWrittenIn) {
    struct Case {
        const char* file;
        bool utf8;                        // else CP932
        std::vector<const char*> names;  // as the book stores them
    };
    const Case cases[] = {
        {"CP932, half-width katakana and ASCII", false, {"ﾕｷ", "ﾐｶ", "Taro"}},
        {"CP932, half-width katakana, kanji and ASCII", false, {"ﾕｷ", "山田", "Taro"}},
        {"UTF-8, half-width katakana and ASCII", true, {"ﾕｷ", "ﾐｶ", "Taro"}},
        {"UTF-8, half-width katakana, kanji and ASCII", true, {"ﾕｷ", "山田", "Taro"}},
        {"UTF-8, two-byte characters CP932 cannot read", true, {"Пётр", "Taro"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::filesystem::remove_all(exports);
        h.make_folder("exports");
        std::string csv = "Name,E-mail Address\r\n";
        std::string book = kPlaceholder;
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            const std::string address = "a" + std::to_string(i) + "@example.jp";
            csv += (c.utf8 ? std::string(c.names[i]) : sj(c.names[i])) + "," + address + "\r\n";
            book += record(sj(c.names[i]), address);
        }
        put("book.csv", csv);
        import();
        expect_outcome("DONE", "アドレス帳をインポートしました。    "_sj);
        EXPECT_EQ(h.read(kAddressBook), book);
        h.click("FORM7", "BUTTON7");
        h.boxes().clear();
    }
}

TEST_F(ImportTest, FailuresKeepTheOldBook) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> files;
        std::string title;
        std::string text;
    };
    const std::string two_fields =
        "「表示名」、及び「メールアドレス」の２フィールドだけをアウトルック・エクスプレスからエクスポートして下さい。     "_sj;
    const Case cases[] = {
        {{{"notes.txt", "not an export"}}, "NOT EXIST FILE", "アドレス帳ファイル(.csv/.vcfファイル)がありません。    "_sj},
        {{{"a.csv", "Name,E-mail\r\n"}}, "BAD FILE", two_fields},
        {{{"x.csv.vcf", "BEGIN:VCARD\r\nEMAIL:x@example.jp\r\nEND:VCARD\r\n"}, {"y.vcf", "FN:No card\r\n"}},
         "BAD FILE", "使用可能なＶＣＦファイルがありませんでした。    "_sj},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        std::filesystem::remove_all(exports);
        h.make_folder("exports");
        for (const auto& [name, bytes] : c.files) put(name, bytes);
        import();
        expect_outcome(c.title, c.text);
        expect_old_book_kept();
        EXPECT_EQ(pauses, pauses_for(0));
        h.click("FORM7", "BUTTON7");
        h.boxes().clear();
    }
}

TEST_F(ImportTest, CancelChangesNothing) {
    put("a.vcf", "BEGIN:VCARD\r\nEMAIL:a@example.jp\r\nEND:VCARD\r\n");
    open("ADDRESS");
    h.boxes().answer_next(pf::MsgAnswer::Cancel);
    h.click("FORM7", "BUTTON8");
    EXPECT_TRUE(h.platform.dialogs.shown().empty());
    h.platform.dialogs.choose_next(std::nullopt);
    h.click("FORM7", "BUTTON8");
    EXPECT_EQ(h.platform.dialogs.shown().size(), 1u);
    expect_old_book_kept();
    EXPECT_EQ(h.boxes().shown().size(), 2u);  // the two questions only
}

TEST(ExportedText, Utf8IsConvertedAndCp932Kept) {
    EXPECT_EQ(exported_text("\xEF\xBB\xBF" "abc"), "abc");
    EXPECT_EQ(exported_text("\xE5\xB1\xB1"), "山"_sj);
    EXPECT_EQ(exported_text("山"_sj), "山"_sj);
    EXPECT_EQ(exported_text("\xF0\x9F\x98\x80"), "?");  // no CP932 character for it
}

}  // namespace
}  // namespace tv::books
