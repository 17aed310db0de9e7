#include "common/address_book.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "harness/harness.h"

namespace tv {
namespace {

using namespace tv::literals;

const std::string kPlaceholderLine = "\" \",\" \"\r\n";

struct BookFileTest : ::testing::Test {
    test::Harness h;
    BookFileTest() { h.make_folder("SYSTEM_F"); }
};

// What the writer puts on disk for one entry, and what every reader gets back.
TEST_F(BookFileTest, WrittenRecordsReadBackAsWritten) {
    const std::string sixty(60, 'n');
    struct Case {
        AddressEntry written;
        std::string line;     // on disk, without CR LF
        AddressEntry read;    // as read back
    };
    const Case cases[] = {
        {{"Yamada, Taro", "taro@example.jp"}, "\"Yamada, Taro\",\"taro@example.jp\"", {"Yamada, Taro", "taro@example.jp"}},
        {{"Dept: Sales", "a:b@example.jp"}, "\"Dept: Sales\",\"a:b@example.jp\"", {"Dept: Sales", "a:b@example.jp"}},
        {{"Say \"hi\"\r\nthere", "\"q@example.jp\""}, "\"Say hithere\",\"q@example.jp\"", {"Say hithere", "q@example.jp"}},
        {{sixty, "long@example.jp"}, "\"" + sixty + "\",\"long@example.jp\"", {sixty, "long@example.jp"}},
        {{"", "noname@example.jp"}, "\"\",\"noname@example.jp\"", {"", "noname@example.jp"}},
        {{"表示名"_sj, "  spaced@example.jp "}, "\"" + "表示名"_sj + "\",\"  spaced@example.jp \"",
         {"表示名"_sj, "  spaced@example.jp "}},
    };
    std::string expected = kPlaceholderLine;
    for (const auto& c : cases) {
        append_book_entry(kRejectBook, c.written);
        expected += c.line + "\r\n";
    }
    EXPECT_EQ(h.read(kRejectBook), expected);
    auto entries = read_book(kRejectBook);
    ASSERT_EQ(entries.size(), std::size(cases));
    for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(entries[i], cases[i].read) << i;
}

TEST_F(BookFileTest, ReaderIsLineBasedAndTolerant) {
    h.write(kAddressBook, kPlaceholderLine + "\"a\",\"a@example.jp\"\r\n" + "\r\n" + "\" \",\"\x81\x40\"\r\n" +
                              "\"three\",\"t@example.jp\",\"extra\"\r\n" + "\"one item only");
    auto records = read_book_records(kAddressBook);
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[5], (AddressEntry{"one item only", ""}));
    auto entries = read_book(kAddressBook);  // placeholder and blank records left out
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (AddressEntry{"a", "a@example.jp"}));
    EXPECT_EQ(entries[1], (AddressEntry{"three", "t@example.jp"}));
    EXPECT_EQ(entries[2], (AddressEntry{"one item only", ""}));
    EXPECT_TRUE(read_book("SYSTEM_F\\NOT_THERE.txt").empty());
}

TEST_F(BookFileTest, AppendGivesEveryBookItsPlaceholder) {
    append_book_entry(kAddressBook, {"n", "new@example.jp"});  // missing book
    h.write(kRejectBook, "");                                   // empty book
    append_book_entry(kRejectBook, {"n", "new@example.jp"});
    h.write(kSpecificSenderBook, kPlaceholderLine + "\"old\",\"old@example.jp\"");  // no line end at its end
    int writes = 0;
    append_book_entry(kSpecificSenderBook, {"n", "new@example.jp"}, [&] { ++writes; });
    const std::string added = "\"n\",\"new@example.jp\"\r\n";
    EXPECT_EQ(h.read(kAddressBook), kPlaceholderLine + added);
    EXPECT_EQ(h.read(kRejectBook), kPlaceholderLine + added);
    EXPECT_EQ(h.read(kSpecificSenderBook), kPlaceholderLine + "\"old\",\"old@example.jp\"\r\n" + added);
    EXPECT_EQ(writes, 1);  // only the append: the book was there
}

TEST_F(BookFileTest, RewriteTrimsAndLeavesNoTemporaryFile) {
    h.write(kAddressBook, "stale");
    rewrite_book(kAddressBook, {{"  a ", " a@example.jp\x81\x40"}, {" ", ""}, {"b", "b@example.jp"}});
    EXPECT_EQ(h.read(kAddressBook), kPlaceholderLine + "\"a\",\"a@example.jp\"\r\n\"\",\"\"\r\n\"b\",\"b@example.jp\"\r\n");
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(h.folder / "SYSTEM_F")) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST_F(BookFileTest, DuplicateTestComparesWholeTrimmedAddresses) {
    // Record 1 is never compared, whatever it holds; blank records are passed over.
    h.write(kRejectBook, "\"x\",\"first@example.jp\"\r\n\" \",\" \"\r\n\"a\",\" taro@example.jp \"\r\n");
    struct Case {
        const char* address;
        bool found;
    };
    const Case cases[] = {
        {"taro@example.jp", true},
        {"  taro@example.jp\x81\x40", true},
        {"aro@example.jp", false},       // part of a stored address
        {"xtaro@example.jp", false},     // a stored address is part of it
        {"Taro@example.jp", false},      // case counts
        {"first@example.jp", false},
    };
    for (const auto& c : cases) EXPECT_EQ(book_has_address(kRejectBook, c.address), c.found) << c.address;
    int misses = 0;
    EXPECT_FALSE(book_has_address(kRejectBook, "none@example.jp", [&] { ++misses; }));
    EXPECT_EQ(misses, 1);  // one record tested besides record 1 and the blank one
    EXPECT_FALSE(book_has_address("SYSTEM_F\\NOT_THERE.txt", "a@example.jp"));
}

TEST_F(BookFileTest, NameLookupWantsTheExactAddress) {
    h.write(kAddressBook, kPlaceholderLine + "\"Taro \",\" taro@example.jp\"\r\n\"\",\"blank@example.jp\"\r\n" +
                              "\"Later\",\"blank@example.jp\"\r\n");
    EXPECT_EQ(book_name_for("taro@example.jp"), "Taro");
    EXPECT_EQ(book_name_for("TARO@example.jp"), std::nullopt);
    EXPECT_EQ(book_name_for(" taro@example.jp"), std::nullopt);  // the looked-for address is not trimmed
    EXPECT_EQ(book_name_for("blank@example.jp"), "");             // the first equal record decides
    EXPECT_EQ(book_name_for(""), std::nullopt);
}

TEST_F(BookFileTest, ListRowHasFixedColumns) {
    const std::string sixty(60, 'n');
    std::string row = book_list_row({sixty, "a@example.jp"});
    ASSERT_EQ(row.size(), 103u);
    EXPECT_EQ(row.substr(0, 53), std::string(50, 'n') + "   ");
    EXPECT_EQ(read_book_list_row(row), (AddressEntry{std::string(50, 'n'), "a@example.jp"}));
    // A double-byte character that the cut would split leaves a blank in its place.
    std::string name = std::string(49, 'n') + "表"_sj;
    row = book_list_row({name, ""});
    EXPECT_EQ(row.size(), 103u);
    EXPECT_EQ(row.substr(0, 50), std::string(49, 'n') + " ");
    EXPECT_EQ(read_book_list_row(book_list_row({"", "a@example.jp"})), (AddressEntry{"", "a@example.jp"}));
}

TEST(BookContainment, EmptyTextsFollowTheRule) {
    EXPECT_TRUE(contains_text("abc", ""));
    EXPECT_FALSE(contains_text("", ""));
    EXPECT_FALSE(contains_text("", "a"));
    EXPECT_TRUE(contains_text("abc", "bc"));
    EXPECT_FALSE(contains_text("abc", "B"));
}

}  // namespace
}  // namespace tv
