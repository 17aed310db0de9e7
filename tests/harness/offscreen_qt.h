// The Qt platform for tests of the view: Qt's offscreen platform, no screen needed.
#pragma once

#include <cstdlib>
#include <memory>

#include "platform/qt/qt_platform.h"

namespace tv::test {

inline std::unique_ptr<platform::qt::QtPlatform> offscreen_qt_platform() {
    static int argc = 1;
    static char name[] = "talvenor-tests";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto qt = std::make_unique<platform::qt::QtPlatform>(argc, argv);
    qt->install();
    return qt;
}

}  // namespace tv::test
