// The single-instance lock of the real program: one per program folder, whoever starts it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/linux_system.h"

namespace tv::platform {
namespace {

namespace fs = std::filesystem;

struct Folders {
    fs::path root = fs::temp_directory_path() / ("instance-lock-" + std::to_string(::getpid()));
    Folders() {
        fs::create_directories(root / "one");
        fs::create_directories(root / "two");
    }
    ~Folders() { fs::remove_all(root); }
};

TEST(InstanceLock, OneInstancePerProgramFolderAndFoldersSideBySide) {
    Folders folders;
    LinuxSystem running, second, other;
    EXPECT_EQ(running.acquire_instance_lock(folders.root / "one"), InstanceLock::Taken);
    EXPECT_EQ(second.acquire_instance_lock(folders.root / "one"), InstanceLock::HeldByAnother);
    EXPECT_EQ(other.acquire_instance_lock(folders.root / "two"), InstanceLock::Taken);
    // The lock is a dot-file, which no folder listing of the program shows.
    EXPECT_TRUE(fs::exists(folders.root / "one" / ".talvenor.lock"));
}

TEST(InstanceLock, AFolderWithoutRoomForTheLockFails) {
    Folders folders;
    LinuxSystem system;
    EXPECT_EQ(system.acquire_instance_lock(folders.root / "missing"), InstanceLock::Failed);
}

}  // namespace
}  // namespace tv::platform
