#include <gtest/gtest.h>

#include <filesystem>

#include "books/export_charset.h"
#include "common/charset_converter.h"
#include "books_fixture.h"
#include "common/globals.h"

namespace tv::books {
namespace {

const std::string kPlaceholder = "\" \",\" \"\r\n";
const std::string kOldBook = kPlaceholder + "\"Old\",\"old@example.jp\"\r\n";

// The bytes of a literal, NUL bytes included.
template <std::size_t N>
std::string bytes_of(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

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
                    " \"Blank, Before\" ,blank@example.jp,\"a note\r\nof two lines\"\r\n"
                    "\r\n");
    put("card.vcf", "BEGIN:VCARD\r\nFN:Card\r\nEMAIL:card@example.jp\r\nEND:VCARD\r\n");
    put("second.csv", "Name,E-mail Address\r\nSecond,second@example.jp\r\n");
    globals().OS_GENERATION = "2";
    import();
    expect_outcome("DONE", "アドレス帳をインポートしました。    "_sj);
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Yamada, Taro", "taro@example.jp") +
                                        record("Three", "three@example.jp") + record("", "noname@example.jp") +
                                        record("Say hi", "spaced@example.jp") + record("Colon: name", "colon@example.jp") +
                                        record("Blank, Before", "blank@example.jp") + record("Card", "card@example.jp") +
                                        record("Second", "second@example.jp"));
    EXPECT_EQ(rows().size(), 8u);
    EXPECT_EQ(pauses, pauses_for(8));
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

std::string utf16(const std::string& utf8, const char* charset) {
    const std::string mark = std::string(charset) == "UTF-16LE" ? "\xFF\xFE" : "\xFE\xFF";
    return mark + *charset_converter("UTF-8", charset).strict(utf8);
}

// Each file is read in the charset it was written in: by its byte-order mark, else by the reading
// of the whole file that gives names, also where its bytes read in the other charset too.
TEST_F(ImportTest, EachFileIsReadInItsCharset) {
    struct Case {
        const char* what;
        std::string file;
        std::string bytes;
        std::string title;
        std::string book;  // the bytes of the book afterwards
    };
    const std::string header = "Name,E-mail Address\r\n";
    const std::string card_head = "BEGIN:VCARD\r\nFN:";
    const std::string card_tail = "\r\nEMAIL;PREF;INTERNET:c@example.jp\r\nEND:VCARD\r\n";
    const Case cases[] = {
        {"UTF-8 Cyrillic: two-byte characters only", "book.csv",
         header + "Анна,a0@example.jp\r\nОльга,a1@example.jp\r\n", "DONE",
         kPlaceholder + record("Анна"_sj, "a0@example.jp") + record("Ольга"_sj, "a1@example.jp")},
        {"UTF-8, two-byte characters CP932 cannot read", "book.csv",
         header + "Пётр,a0@example.jp\r\nTaro,a1@example.jp\r\n", "DONE",
         kPlaceholder + record("Пётр"_sj, "a0@example.jp") + record("Taro", "a1@example.jp")},
        // 凜子 is EA A3 8E 71 (U+A8CE and "q" in UTF-8); 增田 as ED 81 93 63, the NEC-selected
        // row that some programs write (U+D053 and "c").
        {"CP932 kanji that are well-formed UTF-8 too", "book.csv",
         header + "\xEA\xA3\x8E\x71,a0@example.jp\r\n\xED\x81\x93\x63,a1@example.jp\r\n", "DONE",
         kPlaceholder + record("凜子"_sj, "a0@example.jp") + record("\xED\x81\x93\x63", "a1@example.jp")},
        {"CP932 kanji that are well-formed UTF-8, in a vCard", "rin.vcf", card_head + "凜子"_sj + card_tail, "DONE",
         kPlaceholder + record("凜子"_sj, "c@example.jp")},
        {"CP932 half-width katakana that are well-formed UTF-8, and ASCII", "book.csv",
         header + "ﾕｷ"_sj + ",a0@example.jp\r\n" + "ﾐｶ"_sj + ",a1@example.jp\r\nTaro,a2@example.jp\r\n", "DONE",
         kPlaceholder + record("ﾕｷ"_sj, "a0@example.jp") + record("ﾐｶ"_sj, "a1@example.jp") +
             record("Taro", "a2@example.jp")},
        {"CP932 half-width katakana, kanji and ASCII", "book.csv",
         header + "ﾕｷ"_sj + ",a0@example.jp\r\n" + "山田"_sj + ",a1@example.jp\r\nTaro,a2@example.jp\r\n", "DONE",
         kPlaceholder + record("ﾕｷ"_sj, "a0@example.jp") + record("山田"_sj, "a1@example.jp") +
             record("Taro", "a2@example.jp")},
        {"UTF-8 half-width katakana and ASCII", "book.csv",
         header + "ﾕｷ,a0@example.jp\r\nﾐｶ,a1@example.jp\r\nTaro,a2@example.jp\r\n", "DONE",
         kPlaceholder + record("ﾕｷ"_sj, "a0@example.jp") + record("ﾐｶ"_sj, "a1@example.jp") +
             record("Taro", "a2@example.jp")},
        {"UTF-8 half-width katakana, kanji and ASCII", "book.csv",
         header + "ﾕｷ,a0@example.jp\r\n山田,a1@example.jp\r\nTaro,a2@example.jp\r\n", "DONE",
         kPlaceholder + record("ﾕｷ"_sj, "a0@example.jp") + record("山田"_sj, "a1@example.jp") +
             record("Taro", "a2@example.jp")},
        {"CP932 山田 太郎", "book.csv", header + "山田 太郎"_sj + ",taro@example.jp\r\n", "DONE",
         kPlaceholder + record("山田 太郎"_sj, "taro@example.jp")},
        {"UTF-8 山田 太郎", "book.csv", header + "山田 太郎,taro@example.jp\r\n", "DONE",
         kPlaceholder + record("山田 太郎"_sj, "taro@example.jp")},
        {"ASCII alone", "book.csv", header + "Taro Yamada,taro@example.jp\r\n", "DONE",
         kPlaceholder + record("Taro Yamada", "taro@example.jp")},
        // CP932 reads these as "Josﾃｩ" and "Mﾃｼller"; it holds no accented letter, so "?" stands for it.
        {"UTF-8 accented Latin", "book.csv", header + "José,jose@example.jp\r\nMüller,m@example.jp\r\n", "DONE",
         kPlaceholder + record("Jos?", "jose@example.jp") + record("M?ller", "m@example.jp")},
        {"UTF-8 with its byte-order mark", "book.csv", "\xEF\xBB\xBF" + header + "ﾕｷ,a0@example.jp\r\n", "DONE",
         kPlaceholder + record("ﾕｷ"_sj, "a0@example.jp")},
        {"UTF-16 LE with its byte-order mark", "book.csv",
         utf16(header + "山田 太郎,taro@example.jp\r\nАнна,anna@example.jp\r\n", "UTF-16LE"), "DONE",
         kPlaceholder + record("山田 太郎"_sj, "taro@example.jp") + record("Анна"_sj, "anna@example.jp")},
        {"UTF-16 BE with its byte-order mark", "book.csv",
         utf16(header + "山田 太郎,taro@example.jp\r\n\"Ito, Jiro\",jiro@example.jp\r\n", "UTF-16BE"), "DONE",
         kPlaceholder + record("山田 太郎"_sj, "taro@example.jp") + record("Ito, Jiro", "jiro@example.jp")},
        {"UTF-16 LE vCard", "yamada.vcf", utf16("BEGIN:VCARD\r\nFN:山田 太郎" + card_tail, "UTF-16LE"), "DONE",
         kPlaceholder + record("山田 太郎"_sj, "c@example.jp")},
        // "Тина" is D0 A2 D0 B8 D0 BD D0 B0: every byte past ASCII in A1-DF, CP932 "ﾐ｢ﾐｸﾐｽﾐｰ".
        {"UTF-8 Cyrillic that CP932 reads as half-width katakana alone", "book.csv",
         header + "Тина,a0@example.jp\r\nСева,a1@example.jp\r\n", "DONE",
         kPlaceholder + record("Тина"_sj, "a0@example.jp") + record("Сева"_sj, "a1@example.jp")},
        // 陈静 is E9 99 88 E9 9D 99, CP932 "髯磯撕": kanji both ways. CP932 lacks 陈, 艳 and 华,
        // so "?" stands for them.
        {"UTF-8 simplified Chinese that CP932 reads as kanji", "book.csv",
         header + "陈静,a0@example.jp\r\n王艳,a1@example.jp\r\n李华,a2@example.jp\r\n", "DONE",
         kPlaceholder + record("?静"_sj, "a0@example.jp") + record("王?"_sj, "a1@example.jp") +
             record("李?"_sj, "a2@example.jp")},
        {"UTF-8 simplified Chinese, one name in a vCard", "chen.vcf", card_head + "陈静" + card_tail, "DONE",
         kPlaceholder + record("?静"_sj, "c@example.jp")},
        {"UTF-8 Chinese and Latin", "book.csv", header + "Li Hua 李华,a0@example.jp\r\n", "DONE",
         kPlaceholder + record("Li Hua 李?"_sj, "a0@example.jp")},
        // 范怡 is E4 97 9C 7D, UTF-8 "䗜}"; 莨彎 is E4 BC 9C 5D, UTF-8 "伜]": an ideograph with a sign
        // glued to it.
        {"CP932 kanji that are UTF-8 ideographs and an ASCII sign", "book.csv",
         header + "范怡"_sj + ",a0@example.jp\r\n" + "莨彎"_sj + ",a1@example.jp\r\n", "DONE",
         kPlaceholder + record("范怡"_sj, "a0@example.jp") + record("莨彎"_sj, "a1@example.jp")},
        // Still ambiguous: CP932 kanji whose bytes are UTF-8 ideographs, "髯磯撕" or "陈静"; taken
        // as UTF-8.
        {"ambiguous: CP932 kanji that are UTF-8 ideographs", "book.csv", header + "髯磯撕"_sj + ",a0@example.jp\r\n",
         "DONE", kPlaceholder + record("?静"_sj, "a0@example.jp")},
        // Scripts CP932 lacks, whose UTF-8 bytes CP932 reads as kanji and kana: their letters come in
        // as "?", the Japanese names beside them as they are.
        {"UTF-8 Thai", "book.csv", header + "ชัย,a0@example.jp\r\n", "DONE", kPlaceholder + record("???", "a0@example.jp")},
        {"UTF-8 Armenian", "book.csv", header + "Աննա,a0@example.jp\r\n", "DONE",
         kPlaceholder + record("????", "a0@example.jp")},
        {"UTF-8 Bengali", "book.csv", header + "সুমন,a0@example.jp\r\n", "DONE",
         kPlaceholder + record("????", "a0@example.jp")},
        {"UTF-8 Khmer", "book.csv", header + "សុខា,a0@example.jp\r\n", "DONE",
         kPlaceholder + record("????", "a0@example.jp")},
        {"UTF-8 Lao", "book.csv", header + "ສົມ,a0@example.jp\r\n", "DONE", kPlaceholder + record("???", "a0@example.jp")},
        {"UTF-8 Devanagari", "book.csv", header + "राम,a0@example.jp\r\n", "DONE",
         kPlaceholder + record("???", "a0@example.jp")},
        {"UTF-8 Hangul, in a vCard", "kim.vcf", card_head + "휊쉢" + card_tail, "DONE",
         kPlaceholder + record("??", "c@example.jp")},
        {"UTF-8 Thai and Armenian beside Japanese", "book.csv",
         header + "ชัย,a0@example.jp\r\n山田 太郎,a1@example.jp\r\nԱննա,a2@example.jp\r\nﾕｷ,a3@example.jp\r\n", "DONE",
         kPlaceholder + record("???", "a0@example.jp") + record("山田 太郎"_sj, "a1@example.jp") +
             record("????", "a2@example.jp") + record("ﾕｷ"_sj, "a3@example.jp")},
        // Still ambiguous: a letter past ASCII that stands alone, "Я" (D0 AF) or CP932 "ﾐｯ"; taken
        // as CP932.
        {"ambiguous: one two-byte letter alone, every byte in A1-DF", "book.csv", header + "Я,a0@example.jp\r\n",
         "DONE", kPlaceholder + record("ﾐｯ"_sj, "a0@example.jp")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(exports);
        h.make_folder("exports");
        put(c.file, c.bytes);
        import();
        ASSERT_EQ(h.boxes().shown().size(), 2u);
        EXPECT_EQ(h.boxes().shown()[1].title, c.title);
        EXPECT_EQ(h.read(kAddressBook), c.book);
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
    const std::string no_vcard = "使用可能なＶＣＦファイルがありませんでした。    "_sj;
    const std::string header = "Name,E-mail Address\r\n";
    const std::string good_card = "BEGIN:VCARD\r\nFN:Good\r\nEMAIL:good@example.jp\r\nEND:VCARD\r\n";
    const std::string binary = bytes_of("PK\x03\x04\x14\x00\x08\x00\r\n\x01\xC8\x9A,\x7F\x00\r\n");
    const std::string unclosed = "\"閉じない引用,broken@example.jp\r\n"_sj;
    const Case cases[] = {
        {{{"notes.txt", "not an export"}}, "NOT EXIST FILE", "アドレス帳ファイル(.csv/.vcfファイル)がありません。    "_sj},
        {{{"a.csv", "Name,E-mail\r\n"}}, "BAD FILE", two_fields},
        {{{"x.csv.vcf", "BEGIN:VCARD\r\nEMAIL:x@example.jp\r\nEND:VCARD\r\n"}, {"y.vcf", "FN:No card\r\n"}},
         "BAD FILE", no_vcard},
        // A file that is not text, beside a good one: nothing is imported, and the file is named.
        {{{"export.csv", binary}, {"good.vcf", good_card}}, "BAD FILE", two_fields + "\r\nexport.csv"},
        {{{"good.vcf", good_card}, {"photo.vcf", binary}}, "BAD FILE", no_vcard + "\r\nphoto.vcf"},
        {{{"book.csv", bytes_of("N\0a\0m\0e\0,\0m\0\r\0\n\0A\0,\0a\0@\0x\0\r\0\n\0")}},
         "BAD FILE", two_fields + "\r\nbook.csv"},  // UTF-16 without its byte-order mark
        {{{"book.csv", bytes_of("\xFF\xFE" "N\0,\0m\0\r\0\n\0A\0,\0a\0@\0x\0\r\0\n")}}, "BAD FILE",
         two_fields + "\r\nbook.csv"},  // UTF-16 cut in the middle of a character
        // A quote that never closes would take every later line into one field.
        {{{"book.csv", header + "Good,good@example.jp\r\n" + unclosed + "Later,later@example.jp\r\n"}}, "BAD FILE",
         two_fields + "\r\nbook.csv"},
        {{{"book.csv", header + "Good,good@example.jp\r\n" + unclosed + "\"Ito, Jiro\",jiro@example.jp\r\n"}},
         "BAD FILE", two_fields + "\r\nbook.csv"},
        // A card cut off before its end, or a card that begins inside it and leaves it open.
        {{{"cut.vcf", "BEGIN:VCARD\r\nFN:Cut\r\nEMAIL:cut@example.jp\r\n"}, {"good.vcf", good_card}}, "BAD FILE",
         no_vcard + "\r\ncut.vcf"},
        {{{"joined.vcf", "BEGIN:VCARD\r\nFN:Cut\r\nEMAIL:cut@example.jp\r\n" + good_card}}, "BAD FILE",
         no_vcard + "\r\njoined.vcf"},
        // Listed but not readable (opened, then every read fails, as with a file another program
        // holds; the tests run as root, where a file's mode stops no read).
        {{{"good.csv", header + "Good,good@example.jp\r\n"}, {"held.vcf", "/proc/self/mem"}}, "BAD FILE",
         no_vcard + "\r\nheld.vcf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files[0].first);
        std::filesystem::remove_all(exports);
        h.make_folder("exports");
        for (const auto& [name, bytes] : c.files) {
            if (bytes == "/proc/self/mem") {
                std::filesystem::create_symlink(bytes, std::filesystem::path(exports) / name);
            } else {
                put(name, bytes);
            }
        }
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

// Hangul names CP932 could read too (those that begin with U+D000 or later, lead byte ED) came in
// now and then as kanji ("휊쉢" as "弴喜欧"): 2,000 random names of two or three syllables, each
// a file of its own, all come in as "?".
TEST(ExportedText, RandomHangulNamesComeInAsQuestionMarks) {
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    };
    int as_kanji = 0;
    for (int name = 0; name < 2000; ++name) {
        std::string utf8;
        std::size_t syllables = 2 + next() % 2;
        for (std::size_t k = 0; k < syllables; ++k) {
            char32_t c = 0xAC00 + next() % 11172;
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
        if (exported_text(utf8) != std::string(syllables, '?')) ++as_kanji;
    }
    EXPECT_EQ(as_kanji, 0);
}

TEST(ExportedText, Utf8IsConvertedAndCp932Kept) {
    EXPECT_EQ(exported_text("\xEF\xBB\xBF" "abc"), "abc");
    EXPECT_EQ(exported_text("\xE5\xB1\xB1"), "山"_sj);
    EXPECT_EQ(exported_text("山"_sj), "山"_sj);
    EXPECT_EQ(exported_text("\xF0\x9F\x98\x80"), "?");  // no CP932 character for it
}

}  // namespace
}  // namespace tv::books
