#include "common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "common/account_file.h"
#include "common/atomic_file.h"
#include "common/errors.h"
#include "common/paths.h"
#include "harness/file_faults.h"
#include "harness/harness.h"
#include "harness/outside_folder.h"

namespace tv::files {
namespace {

TEST(LineReader, ReadingRules) {
    struct Case { std::string data; std::vector<std::string> lines; };
    std::vector<Case> cases{
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},                  // a lone CR ends a line
        {"a\nb\r\n", {"a\nb"}},                  // a lone LF stays in the line
        {"a\n\n", {"a\n\n"}},                    // LF-only data is one line
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\n\x1A", {"a"}},                    // a final Ctrl-Z ends the data
        {"a\x1A" "b\r\n", {"a\x1A" "b"}},        // elsewhere it is a byte like any other
        {"\r\r\n", {"", ""}},
    };
    for (auto& c : cases) {
        EXPECT_EQ(split_lines(c.data), c.lines) << testing::PrintToString(c.data);
    }
    // Embedded NUL needs an explicit length.
    EXPECT_EQ(split_lines(std::string("a\0b\r\n", 5)), (std::vector<std::string>{"ab"}));
}

TEST(LineReader, OverlongLineIsCutAndTheRestDropped) {
    std::string data(40000, 'x');
    data += "\r\nnext\r\n";
    auto lines = split_lines(data);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), kMaxLineBytes);
    EXPECT_EQ(lines[1], "next");
}

TEST(ItemReader, InputSemantics) {
    struct Case { std::string data; std::vector<std::string> items; };
    std::vector<Case> cases{
        {"\"a, b: c\",\"d\"\r\n", {"a, b: c", "d"}},
        {"  x  ,y:z\r\n", {"x", "y", "z"}},
        {"\" \",\" \"\r\n", {" ", " "}},        // a book's placeholder record
        {"\r\n", {""}},                          // an empty line is one empty item
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"\"ab\r\ncd\"\r\n", {"ab", "cd\""}},    // a CR ends an item even inside quotes
        {"\"ab\"x,c\r\n", {"ab", "", "c"}},    // a character after the closing quote ends the item
        {"\"DONE\"\r\n", {"DONE"}},
        {"DONE,abcdefg\r\n", {"DONE", "abcdefg"}},
        {"last", {"last"}},
    };
    for (auto& c : cases) {
        ItemReader reader(c.data);
        std::vector<std::string> items;
        while (!reader.at_end()) items.push_back(reader.next());
        EXPECT_EQ(items, c.items) << testing::PrintToString(c.data);
    }
}

TEST(ItemReader, ReadingPastTheEndIsError54) {
    ItemReader reader("\"a\",\"b\"\r\n");
    reader.next();
    reader.next();
    try {
        reader.next();
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 54);
    }
}

TEST(FixedRecords, ReadAndWriteInPlace) {
    test::Harness h;
    h.make_folder("SYSTEM_F");
    EXPECT_FALSE(read_record("SYSTEM_F\\GOMI_K", 256, 1).has_value());
    write_record_field("SYSTEM_F\\GOMI_K", 256, 1, 0, "1                   ");
    EXPECT_EQ(read_record("SYSTEM_F\\GOMI_K", 256, 1), "1                   ");
    write_record_field("SYSTEM_F\\GOMI_K", 256, 1, 0, "0");
    EXPECT_EQ(read_record("SYSTEM_F\\GOMI_K", 256, 1), "0                   ");  // the rest stays
    EXPECT_FALSE(read_record("SYSTEM_F\\GOMI_K", 256, 2).has_value());
}

TEST(Writers, CrLfAppendAndAtomicRewrite) {
    test::Harness h;
    h.make_folder("SYSTEM_F");
    write_lines("SYSTEM_F\\a.txt", {"x", ""});
    EXPECT_EQ(h.read("SYSTEM_F\\a.txt"), "x\r\n\r\n");
    append_lines("SYSTEM_F\\a.txt", {"y"});
    EXPECT_EQ(h.read("SYSTEM_F\\a.txt"), "x\r\n\r\ny\r\n");
    write_lines_atomic("SYSTEM_F\\a.txt", {"z"}, 0600);
    EXPECT_EQ(h.read("SYSTEM_F\\a.txt"), "z\r\n");
    EXPECT_EQ(std::filesystem::status(resolve("SYSTEM_F\\a.txt")).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(list_folder_files("SYSTEM_F"), std::vector<std::string>{"a.txt"});  // no temporary left
    EXPECT_FALSE(read_bytes("SYSTEM_F\\none.txt").has_value());
}

TEST(AtomicWrite, AWriteThatFailsLeavesTheFileAndNoTemporaryOne) {
    test::Harness h;
    h.write("SYSTEM_F\\F_JU.txt", "old\r\n");
    for (FileChange refused : {FileChange::Write, FileChange::Rename}) {
        test::FileFaults faults;
        faults.refuse(refused, "", ENOSPC);  // a full disk
        EXPECT_THROW(write_lines_atomic("SYSTEM_F\\F_JU.txt", {"new"}), RuntimeError);
        faults.clear();
        EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), "old\r\n");
        std::vector<std::string> left;
        for (const auto& e : std::filesystem::directory_iterator(h.folder / "SYSTEM_F")) left.push_back(e.path().filename());
        EXPECT_EQ(left, std::vector<std::string>{"F_JU.txt"});
    }
}

// A link planted under a temporary file's name is never written through: the write takes another
// name, and the file the link points to stays as it was.
TEST(AtomicWrite, ALinkPlantedUnderATemporaryNameIsNotWrittenThrough) {
    test::Harness h;
    test::OutsideFolder outside;
    std::filesystem::path target = outside.write("precious.txt", "precious");
    h.write("SYSTEM_F\\F_JU.txt", "old\r\n");
    // The name a write takes: its counter goes up by one with each write.
    std::vector<std::filesystem::path> created;
    watch_file_changes([&](FileChange change, const std::filesystem::path& disk) {
        if (change == FileChange::Create) created.push_back(disk);
        return 0;
    });
    write_lines_atomic("SYSTEM_F\\F_JU.txt", {"first"});
    watch_file_changes({});
    ASSERT_EQ(created.size(), 1u);
    std::string name = created[0].filename().string();
    std::size_t underscore = name.rfind('_');
    ASSERT_TRUE(is_atomic_temp_name(name) && underscore != std::string::npos) << name;
    unsigned long next = std::stoul(name.substr(underscore + 1)) + 1;
    std::vector<std::filesystem::path> planted;
    for (unsigned long n = next; n < next + 8; ++n) {
        planted.push_back(created[0].parent_path() / (name.substr(0, underscore + 1) + std::to_string(n)));
        std::filesystem::create_symlink(target, planted.back());
    }
    write_lines_atomic("SYSTEM_F\\F_JU.txt", {"second"});
    EXPECT_EQ(h.read("SYSTEM_F\\F_JU.txt"), "second\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(h.folder / "SYSTEM_F" / "F_JU.txt"));
    EXPECT_EQ(outside.snapshot().at("precious.txt"), "420 precious");  // 0644 and its bytes
    for (const auto& link : planted) EXPECT_TRUE(std::filesystem::is_symlink(link)) << link;
}

// A file of the program the user replaced with a link keeps the link: every whole-file write (a
// rewrite, a copy) replaces the file the link leads to, which keeps its mode.
TEST(AtomicWrite, AFileLinkedElsewhereKeepsTheLink) {
    test::Harness h;
    test::OutsideFolder outside;
    h.write("SYSTEM_F\\seed.txt", "copied\r\n");
    struct Case { const char* name; std::function<void(const std::string&)> write; std::string written; };
    for (const Case& c : std::vector<Case>{
             {"rewrite", [](const std::string& path) { write_lines_atomic(path, {"rewritten"}, 0600); }, "rewritten\r\n"},
             {"copy", [](const std::string& path) { copy_file("SYSTEM_F\\seed.txt", path); }, "copied\r\n"},
         }) {
        SCOPED_TRACE(c.name);
        std::filesystem::path target = outside.write(std::string(c.name) + ".txt", "old\r\n", 0644);
        std::filesystem::path link = h.folder / "SYSTEM_F" / (std::string(c.name) + ".txt");
        std::filesystem::create_symlink(target, link);
        c.write(std::string("SYSTEM_F\\") + c.name + ".txt");
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(outside.snapshot().at(std::string(c.name) + ".txt"), "420 " + c.written);  // 0644
    }
    EXPECT_EQ(outside.snapshot().size(), 2u);  // nothing left beside them
}

// Run as the administrator, a whole-file write of a file that is another's (the user's file their
// link leads to, the user's own program folder) leaves it the user's: owner, group and mode stay.
TEST(AtomicWrite, AFileReplacedKeepsItsOwner) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the administrator writes another's files";
    test::Harness h;
    test::OutsideFolder outside;
    h.write("SYSTEM_F\\seed.txt", "copied\r\n");
    struct Case {
        const char* name;
        bool linked;    // the program's file is a link to the user's file outside
        unsigned mode;  // what the file has, and keeps
        std::function<void(const std::string&)> write;
    };
    auto account = [](const std::string&) { write_account_file({"smtp.example.jp", "Taro"}); };
    auto rewrite = [](const std::string& path) { write_lines_atomic(path, {"rewritten"}, 0600); };
    auto copy = [](const std::string& path) { copy_file("SYSTEM_F\\seed.txt", path); };
    for (const Case& c : std::vector<Case>{{"MAIL_DATA.txt", true, 0640, account},
                                           {"copy.txt", true, 0640, copy},
                                           {"F_JU.txt", false, 0600, rewrite},
                                           {"kept.txt", false, 0644, copy}}) {
        SCOPED_TRACE(c.name);
        std::filesystem::path program_file = h.folder / "SYSTEM_F" / c.name;
        std::filesystem::path file = c.linked ? outside.write(c.name, "old\r\n", c.mode) : program_file;
        if (c.linked) {
            std::filesystem::create_symlink(file, program_file);
        } else {
            h.write(std::string("SYSTEM_F\\") + c.name, "old\r\n");
            ::chmod(file.c_str(), c.mode);
        }
        ASSERT_EQ(::chown(file.c_str(), 4321, 4322), 0);
        c.write(std::string("SYSTEM_F\\") + c.name);
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_NE(*read_bytes(file.string()), "old\r\n");
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 4322u);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
        EXPECT_EQ(std::filesystem::is_symlink(program_file), c.linked);
    }
}

}  // namespace
}  // namespace tv::files
