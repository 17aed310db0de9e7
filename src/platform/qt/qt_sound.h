// The arrival sound through Qt Multimedia.
#pragma once

#include "platform/services.h"

namespace tv::platform::qt {

class QtSound : public SoundService {
public:
    // Plays the file and waits until it has ended, at most its length and a second; windows stay
    // painted meanwhile. A missing file, no sound device, or a sound that does not start within a
    // second plays nothing and is not waited for.
    void play_and_wait(const std::string& disk_path) override;
    void beep() override;
};

}  // namespace tv::platform::qt
