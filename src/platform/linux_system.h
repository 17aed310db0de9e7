// The system services of the real program on Linux.
#pragma once

#include "platform/services.h"

namespace tv::platform {

class LinuxSystem : public SystemInfo {
public:
    // The lock is a dot-file in the folder, so it holds for every user and every way the folder
    // is reached.
    InstanceLock acquire_instance_lock(const std::filesystem::path& folder) override;
    int menu_bar_height() override { return menu_bar; }
    std::string desktop_folder() override;
    bool executable_exists(const std::string& path) override;

    int menu_bar = 20;  // the view sets the real height

private:
    int lock_fd_ = -1;
};

}  // namespace tv::platform
