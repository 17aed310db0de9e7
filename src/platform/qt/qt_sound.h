// The arrival sound through Qt Multimedia.
#pragma once

#include "platform/services.h"

namespace tv::platform::qt {

class QtSound : public SoundService {
public:
    // Plays the file and waits until it has ended (at most 30 s); windows stay painted meanwhile.
    // A missing file or no sound device plays nothing.
    void play_and_wait(const std::string& disk_path) override;
    void beep() override;
};

}  // namespace tv::platform::qt
