#include "platform/qt/qt_sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>

namespace tv::platform::qt {

namespace {

// A sound that does not load, or does not start playing, within this time is skipped.
constexpr qint64 kStartLimitMs = 1000;

std::uint32_t little_endian(const char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// The playing time of a RIFF WAVE file from its format and data chunks; nothing when the file
// does not say.
std::optional<qint64> wave_length_ms(const std::string& disk_path) {
    std::ifstream in(disk_path, std::ios::binary);
    char header[12];
    if (!in.read(header, 12) || std::string(header, 4) != "RIFF" || std::string(header + 8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::uint32_t bytes_per_second = 0;
    char chunk[8];
    while (in.read(chunk, 8)) {
        std::uint32_t size = little_endian(chunk + 4, 4);
        std::string id(chunk, 4);
        if (id == "fmt ") {
            char format[16];
            if (size < 16 || !in.read(format, 16)) return std::nullopt;
            bytes_per_second = little_endian(format + 8, 4);
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (id == "data") {
            if (bytes_per_second == 0) return std::nullopt;
            return static_cast<qint64>(size) * 1000 / bytes_per_second;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return std::nullopt;
}

// Keeps the windows painted while waiting, until `done` or the time is up; true when done.
template <class Done>
bool wait_for(Done done, qint64 limit_ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() >= limit_ms) return false;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace

void QtSound::play_and_wait(const std::string& disk_path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(disk_path, ec)) return;
    // Without a sound device nothing could play: the program does not wait for it.
    if (QMediaDevices::audioOutputs().isEmpty()) return;
    QSoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(QString::fromStdString(disk_path)));
    bool loaded = wait_for([&] { return effect.status() != QSoundEffect::Loading && effect.status() != QSoundEffect::Null; },
                           kStartLimitMs);
    if (!loaded || effect.status() != QSoundEffect::Ready) return;
    effect.play();
    if (!wait_for([&] { return effect.isPlaying(); }, kStartLimitMs)) {
        effect.stop();
        return;
    }
    // A playing sound is waited for at most its length and a second.
    qint64 length = wave_length_ms(disk_path).value_or(30000);
    if (!wait_for([&] { return !effect.isPlaying(); }, length + 1000)) effect.stop();
}

void QtSound::beep() { QApplication::beep(); }

}  // namespace tv::platform::qt
