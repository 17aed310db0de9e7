#include <gtest/gtest.h>

#include "common/sjis.h"
#include "common/text_file.h"
#include "component_runner.h"
#include "harness/harness.h"

namespace tv::test {
namespace {

// The program passes its check when the last item of the file is not blank.
std::string last_item(const std::string& bytes) {
    files::ItemReader reader(bytes);
    std::string item;
    while (!reader.at_end()) item = reader.next();
    return item;
}

TEST(CheckCommand, LeavesANonBlankLastItemForTheProgramsCheck) {
    Harness h;
    h.make_folder("SYSTEM_F");
    h.write("SYSTEM_F\\CHECK.txt", "CHECK\r\n");
    h.write("SYSTEM_F\\VBS_CHECK.txt", "\r\n");  // the idle state the program leaves
    EXPECT_EQ(run_mail_component(h.folder, "check"), 0);
    EXPECT_FALSE(is_blank(last_item(h.read("SYSTEM_F\\VBS_CHECK.txt"))));
    EXPECT_EQ(h.read("SYSTEM_F\\CHECK.txt"), "CHECK\r\n");
    EXPECT_EQ(files_below(h.folder), (std::vector<std::string>{"SYSTEM_F/CHECK.txt", "SYSTEM_F/VBS_CHECK.txt"}));
}

TEST(CheckCommand, WritesItsResultAlsoWithoutRequestOrFolder) {
    Harness h;
    EXPECT_EQ(run_mail_component(h.folder, "check"), 0);
    EXPECT_FALSE(is_blank(last_item(h.read("SYSTEM_F\\VBS_CHECK.txt"))));
}

}  // namespace
}  // namespace tv::test
