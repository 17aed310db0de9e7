#include "store/rebuild_progress.h"

#include <cmath>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "store/progress_window.h"

namespace tv::store {

namespace {

using namespace tv::literals;
using platform::kFace;
using platform::kGrey;
using platform::kWhite;
using platform::Rgb;

constexpr Rgb kLightGrey{192, 192, 192};
constexpr Rgb kGreen{0, 255, 0};

}  // namespace

void SHOW_REBUILD_PROGRESS(ProgressForm kind, const std::string& banner, const std::string& front_wait_line) {
    auto& forms = platform::forms();
    forms.load("FORM5");
    platform::Form& f = platform::form("FORM5");
    f.pointer = platform::MousePointer::Hourglass;
    f.background = kFace;
    f.clear_drawing();
    f.show();
    f.topmost = true;
    f.font = platform::mincho(30, platform::SizeUnit::Pixels, true, true);
    f.changed();
    platform::engraved_text(f, 20, 9, program_caption(), 2);
    f.font.size = 16;
    if (kind == ProgressForm::FirstRun) {
        const std::string& working = "データベースの再構築を行っています・・・・・・"_sj;
        const std::string& wait = "しばらくお待ち下さい・・・・・・"_sj;
        f.draw_text(21, 68, banner, kWhite);
        f.draw_text(20, 67, banner, kGrey);
        f.draw_text(21, 86, working, kWhite);
        f.draw_text(21, 104, wait, kWhite);
        f.draw_text(20, 85, working, kGrey);
        f.draw_text(20, 103, front_wait_line.empty() ? wait : front_wait_line, kGrey);
    } else {
        f.fore_color = kFace;
        f.fill_color = kFace;
        f.draw_filled_box(15, 70, 480, 100, kFace, kFace);
        f.draw_filled_box(127, 76, 473, 95, kLightGrey, kWhite);
        f.draw_box(126, 75, 474, 96, kGrey);
        f.draw_line(474, 75, 474, 96, kWhite);
        f.draw_line(126, 96, 474, 96, kWhite);
        platform::engraved_text(f, 20, 77, banner);
        f.font.size = 14;
        platform::engraved_text(f, 20, 105, "データベースの再構築を行っています。しばらくお待ち下さい･･･"_sj);
    }
    f.font.italic = false;
    f.font.bold = false;
    f.caption = "データベースの再構築"_sj;
    f.changed();
}

int progress_bar_right(int position, int count) {
    if (position >= count) return 470;
    return 130 + static_cast<int>(std::floor((340.0 / count) * position));
}

void STEP_REBUILD_PROGRESS(int position, int count) {
    int right = progress_bar_right(position, count);
    platform::form("FORM5").draw_filled_box(130, 79, right, 92, kGreen, kGreen);
}

void CLOSE_REBUILD_PROGRESS() { close_progress_window(); }

}  // namespace tv::store
