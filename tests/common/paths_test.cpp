#include "common/paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "common/errors.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "harness/harness.h"

namespace tv::files {
namespace {

// Creates a file under its exact disk name (the program's writers would reuse a case variant).
void make_raw(const test::Harness& h, const std::string& relative, const std::string& bytes = "") {
    std::filesystem::create_directories((h.folder / relative).parent_path());
    std::ofstream(h.folder / relative, std::ios::binary) << bytes;
}

using namespace tv::literals;

TEST(Paths, SystemPathsMapToTheProgramFolder) {
    test::Harness h;
    EXPECT_EQ(resolve("SYSTEM_F\\CHECK.txt"), h.folder / "SYSTEM_F" / "CHECK.txt");
    EXPECT_EQ(resolve("/tmp/x"), std::filesystem::path("/tmp/x"));
    // A CP932 name is UTF-8 on disk; its 0x5C second byte is no separator.
    EXPECT_EQ(resolve("TENPFIL\\"_sj + "ソフト.txt"_sj), h.folder / "TENPFIL" / "ソフト.txt");
}

TEST(Paths, NamesMatchWithoutRegardToCase) {
    test::Harness h;
    h.write("SYSTEM_F\\JOB_F_JU.TXT", "x");
    EXPECT_TRUE(file_exists("SYSTEM_F\\JOB_F_JU.txt"));
    EXPECT_TRUE(file_exists("system_f\\job_f_ju.txt"));
    write_line("SYSTEM_F\\JOB_F_JU.txt", "y");  // creation reuses the existing variant
    EXPECT_EQ(list_folder_files("SYSTEM_F"), std::vector<std::string>{"JOB_F_JU.TXT"});
    EXPECT_TRUE(remove_if_exists("SYSTEM_F\\job_f_ju.TXT"));
    EXPECT_FALSE(remove_if_exists("SYSTEM_F\\job_f_ju.TXT"));
    // The exact name wins over a case variant.
    make_raw(h, "A/mail.eml", "lower");
    make_raw(h, "A/MAIL.eml", "upper");
    EXPECT_EQ(*read_bytes("A\\MAIL.eml"), "upper");
    EXPECT_EQ(*read_bytes("A\\mail.eml"), "lower");
}

// Only the program folder's names match case-blind: a path the user chose outside it is exact.
TEST(Paths, PathsOutsideTheProgramFolderAreExact) {
    test::Harness h;
    auto outside = h.folder.parent_path() / (h.folder.filename().string() + "-outside");
    std::filesystem::create_directories(outside);
    std::ofstream(outside / "REPORT.eml") << "kept";
    std::string chosen = (outside / "report.eml").string();
    EXPECT_EQ(resolve(chosen), outside / "report.eml");
    EXPECT_FALSE(file_exists(chosen));
    write_line(chosen, "new");
    EXPECT_EQ(*read_bytes((outside / "REPORT.eml").string()), "kept");
    EXPECT_EQ(*read_bytes(chosen), "new\r\n");
    // The program folder written absolutely keeps its case-blind names.
    h.write("SYSTEM_F\\JOB_F_JU.TXT", "x");
    EXPECT_EQ(resolve((h.folder / "system_f" / "job_f_ju.txt").string()), h.folder / "SYSTEM_F" / "JOB_F_JU.TXT");
    EXPECT_EQ(resolve((h.folder / ".." / h.folder.filename() / "system_f").string()).filename(), "SYSTEM_F");
    std::filesystem::remove_all(outside);
}

TEST(Paths, CaseBlindMatchesFollowChangesMadeBehindTheProgram) {
    test::Harness h;
    h.make_folder("BOX");
    EXPECT_EQ(resolve("BOX\\a.txt"), h.folder / "BOX" / "a.txt");  // no variant yet
    struct Step {
        const char* make;    // created behind the program's back ("" none)
        const char* remove;  // deleted behind its back ("" none)
        const char* found;   // what "BOX\a.txt" resolves to
    };
    const Step steps[] = {
        {"A.TXT", "", "A.TXT"},
        {"a.Txt", "", "A.TXT"},  // the smallest variant in raw bytes
        {"", "A.TXT", "a.Txt"},
        {"", "a.Txt", "a.txt"},
    };
    for (const Step& step : steps) {
        if (*step.make) make_raw(h, std::string("BOX/") + step.make);
        if (*step.remove) std::filesystem::remove(h.folder / "BOX" / step.remove);
        EXPECT_EQ(resolve("BOX\\a.txt"), h.folder / "BOX" / step.found) << step.make << step.remove;
    }
    // A folder deleted and made again is listed again.
    std::filesystem::remove_all(h.folder / "BOX");
    make_raw(h, "BOX/A.txt");
    EXPECT_EQ(resolve("box\\a.TXT"), h.folder / "BOX" / "A.txt");
}

TEST(Paths, SortedNamesFollowTheFoldedKeysWithoutFoldingTrailBytes) {
    // "\x83\x41" (a katakana whose second byte is "A") must not fold to "\x83\x61".
    std::vector<std::string> names{"b", "B", "a", "\x83\x61", "\x83\x41", "A", "ab", "Ab", "_", "10", "9", "", "a\x83\x41"};
    auto reference = names;
    std::stable_sort(reference.begin(), reference.end(), [](const std::string& x, const std::string& y) {
        std::string kx = lower_ascii(x), ky = lower_ascii(y);
        return kx != ky ? kx < ky : x < y;
    });
    for (int turn = 0; turn < 3; ++turn) {
        std::vector<std::string> sorted = names;
        std::rotate(sorted.begin(), sorted.begin() + turn * 4, sorted.end());
        sort_names(sorted);
        EXPECT_EQ(sorted, reference) << turn;
        sort_names(sorted);  // already in order
        EXPECT_EQ(sorted, reference);
        for (std::size_t i = 1; i < sorted.size(); ++i) EXPECT_TRUE(name_less(sorted[i - 1], sorted[i])) << i;
    }
}

TEST(Paths, ListingIsPlainFilesInOneOrder) {
    test::Harness h;
    for (const char* name : {"b.eml", "A.eml", "a.eml", "_x", "10", "9", ".hidden", "Z", "あ"}) {
        make_raw(h, std::string("BOX/") + name);
    }
    h.make_folder("BOX\\sub");
    std::vector<std::string> expected{"10", "9", "_x", "A.eml", "a.eml", "b.eml", "Z", "あ"_sj};
    EXPECT_EQ(list_folder_files("BOX"), expected);
    EXPECT_TRUE(list_folder_files("MISSING").empty());
    // The comparator sorts exactly as the listing does.
    for (std::size_t i = 1; i < expected.size(); ++i) EXPECT_TRUE(name_less(expected[i - 1], expected[i]));
}

TEST(Paths, FileOperationsRaiseTheSystemsErrors) {
    test::Harness h;
    struct Case { std::function<void()> op; int number; };
    std::vector<Case> cases{
        {[] { remove_file("NONE\\x"); }, err::kNotFound},
        {[] { copy_file("NONE\\x", "y"); }, err::kNotFound},
        {[] { write_line("NONE\\x", "a"); }, err::kNotFound},
    };
    for (auto& c : cases) {
        try {
            c.op();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), c.number);
        }
    }
}

TEST(Paths, SplitFolderAndName) {
    EXPECT_EQ(split_folder_name("JUSINBOX\\a.eml"), (std::pair<std::string, std::string>{"JUSINBOX", "a.eml"}));
    EXPECT_EQ(split_folder_name("/home/u/a.eml"), (std::pair<std::string, std::string>{"/home/u", "a.eml"}));
    EXPECT_EQ(split_folder_name("x"_sj + "ソ"_sj), (std::pair<std::string, std::string>{"", "x"_sj + "ソ"_sj}));
}

}  // namespace
}  // namespace tv::files
