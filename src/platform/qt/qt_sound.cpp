#include "platform/qt/qt_sound.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

#include <filesystem>

namespace tv::platform::qt {

void QtSound::play_and_wait(const std::string& disk_path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(disk_path, ec)) return;
    QSoundEffect effect;
    effect.setSource(QUrl::fromLocalFile(QString::fromStdString(disk_path)));
    QElapsedTimer timer;
    timer.start();
    auto wait = [&](auto done) {
        while (!done() && timer.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
            QThread::msleep(5);
        }
    };
    wait([&] { return effect.status() != QSoundEffect::Loading && effect.status() != QSoundEffect::Null; });
    if (effect.status() != QSoundEffect::Ready) return;
    effect.play();
    wait([&] { return effect.isPlaying(); });
    wait([&] { return !effect.isPlaying(); });
}

void QtSound::beep() { QApplication::beep(); }

}  // namespace tv::platform::qt
