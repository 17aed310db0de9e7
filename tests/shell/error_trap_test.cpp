#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/errors.h"
#include "common/paths.h"
#include "harness/harness.h"
#include "platform/forms.h"

namespace tv::shell {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

TEST(ErrorTrap, TitleTextsAndTheFileAnomalyPurge) {
    struct Case { int number; std::string first; bool purge; };
    std::vector<Case> cases{
        {54, "ファイルに異常があります。               "_sj, true},
        {55, "古いタイプのインターネット・エクスプローラーです。               "_sj, false},
        {75, "ネットワークが切断されました。               "_sj, false},
        {1001, "ネットワークが切断されました。               "_sj, false},
    };
    for (const auto& c : cases) {
        test::Harness h;
        ASSERT_TRUE(h.start());
        h.write("SYSTEM_F\\F_D_F\\a.dxd", "x");
        h.write("SYSTEM_F\\F_D_F\\b.txt", "x");
        pf::forms().load("FORM5");
        EXPECT_TRUE(h.run_trapped([&] { raise_error(c.number); }));
        ASSERT_EQ(h.boxes().shown().size(), 1u);
        const auto& box = h.boxes().shown()[0];
        EXPECT_EQ(box.title, "ERROR !  ( ER.No.："_sj + std::to_string(c.number) + " ) ･･････ タルベノールメーラー Ver.2.12"_sj);
        EXPECT_EQ(box.text.substr(0, c.first.size() + 4), c.first + "\r\n\r\n");
        EXPECT_EQ(box.icon, pf::MsgIcon::Exclamation);
        EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
        EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").empty(), c.purge) << c.number;
    }
}

// Makes a file that cannot be deleted: its folder read-only, or, for root, the file immutable.
// Undone by the returned function; nothing when neither is possible here.
std::function<void()> undeletable(const std::filesystem::path& file) {
    if (::geteuid() != 0) {
        auto folder = file.parent_path();
        ::chmod(folder.c_str(), 0555);
        return [folder] { ::chmod(folder.c_str(), 0755); };
    }
    int fd = ::open(file.c_str(), O_RDONLY);
    int flags = 0;
    if (fd < 0 || ::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        if (fd >= 0) ::close(fd);
        return nullptr;
    }
    int set = flags | FS_IMMUTABLE_FL;
    bool done = ::ioctl(fd, FS_IOC_SETFLAGS, &set) == 0;
    ::close(fd);
    if (!done) return nullptr;
    return [file, flags] {
        int f = ::open(file.c_str(), O_RDONLY);
        int restore = flags;
        ::ioctl(f, FS_IOC_SETFLAGS, &restore);
        ::close(f);
    };
}

TEST(ErrorTrap, ARecordThatCannotBeDeletedStillEndsTheProgramInOrder) {
    test::Harness h;
    ASSERT_TRUE(h.start());
    for (const char* name : {"a.dxd", "b.dxd", "c.dxd"}) h.write(std::string("SYSTEM_F\\F_D_F\\") + name, "x");
    auto undo = undeletable(files::resolve("SYSTEM_F\\F_D_F\\b.dxd"));
    if (!undo) GTEST_SKIP() << "no way to make a file undeletable here";
    bool ended = false;
    try {
        ended = h.run_trapped([] { raise_error(54); });
    } catch (...) {
        undo();
        FAIL() << "an error escaped the trap";
    }
    undo();
    EXPECT_TRUE(ended);
    EXPECT_EQ(h.boxes().shown().size(), 1u);
    // The one that could not go stays for the next start to deal with; the others went (unless
    // the whole folder was made read-only).
    auto left = files::list_folder_files("SYSTEM_F\\F_D_F");
    if (::geteuid() == 0) {
        EXPECT_EQ(left, std::vector<std::string>{"b.dxd"});
    } else {
        EXPECT_EQ(left.size(), 3u);
    }
}

}  // namespace
}  // namespace tv::shell
