#include "folders/folder_windows.h"

#include <span>

#include "common/flag_files.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "store/folder_places.h"

namespace tv::folders {

using namespace tv::literals;
namespace pf = tv::platform;
using pf::ControlKind;

namespace {

struct ButtonSpec {
    const char* name;
    const char* caption;  // UTF-8 source text; empty: a hidden button
    int pixels;
    int x, y, width, height;
};

// The buttons of each list's title row stand right of its title panel, at the same x in both
// rows; the window buttons and the option stand below the sent list.
constexpr ButtonSpec kTrashButtons[] = {
    {"BUTTON16", "受信ボックスに戻す", 14, 452, 8, 150, 28},
    {"BUTTON14", "削 除", 14, 612, 8, 80, 28},
    {"BUTTON18", "全て削除", 14, 702, 8, 90, 28},
    {"BUTTON20", "名前を付けて保存", 14, 802, 8, 140, 28},
    {"BUTTON17", "送信ボックスに戻す", 14, 452, 380, 150, 28},
    {"BUTTON15", "削 除", 14, 612, 380, 80, 28},
    {"BUTTON19", "全て削除", 14, 702, 380, 90, 28},
    {"BUTTON21", "名前を付けて保存", 14, 802, 380, 140, 28},
    {"BUTTON83", "ＪＯＢフォルダ", 12, 18, 684, 110, 24},
    {"BUTTON84", "ＰＲＩＶＡＴＥフォルダ", 12, 134, 684, 150, 24},
    {"BUTTON85", "ＨＯＢＢＹフォルダ", 12, 290, 684, 130, 24},
    {"BUTTON86", "その他フォルダ", 12, 426, 684, 110, 24},
    {"BUTTON87", "メイン", 14, 822, 700, 120, 26},
    {"BUTTON70", "", 14, 0, 0, 0, 0},
};

constexpr ButtonSpec kFolderButtons[] = {
    {"BUTTON54", "受信ボックスに戻す", 14, 452, 8, 150, 28},
    {"BUTTON55", "削 除", 14, 612, 8, 80, 28},
    {"BUTTON56", "全て削除", 14, 702, 8, 90, 28},
    {"BUTTON57", "名前を付けて保存", 14, 802, 8, 140, 28},
    {"BUTTON58", "送信ボックスに戻す", 14, 452, 380, 150, 28},
    {"BUTTON59", "削 除", 14, 612, 380, 80, 28},
    {"BUTTON60", "全て削除", 14, 702, 380, 90, 28},
    {"BUTTON61", "名前を付けて保存", 14, 802, 380, 140, 28},
    {"BUTTON75", "ＪＯＢフォルダ", 12, 18, 674, 110, 24},
    {"BUTTON76", "ＰＲＩＶＡＴＥフォルダ", 12, 134, 674, 150, 24},
    {"BUTTON77", "ＨＯＢＢＹフォルダ", 12, 290, 674, 130, 24},
    {"BUTTON78", "その他フォルダ", 12, 426, 674, 110, 24},
    {"BUTTON81", "ごみ箱", 14, 542, 674, 90, 24},
    {"BUTTON82", "メイン", 14, 802, 688, 140, 32},
    {"BUTTON71", "", 14, 0, 0, 0, 0},
};

struct WindowSpec {
    WindowFace face;
    const char* caption;  // of the window's definition
    int left, top, width, height;
    std::span<const ButtonSpec> buttons;
    int check_box_y;
};

constexpr const char* kDeleteOptionCaption = "メールを１件削除する場合、確認のダイアログを表示しない";

const WindowSpec kTrash{
    {"FORM8", 0, "CHECK8", "SYSTEM_F\\G_SAKU", 284, 228, {750, 360, 950, 390, 750, 365}, {750, 675, 950, 705, 750, 681}},
    "ごみ箱", 290, 98, 957, 729, kTrashButtons, 710};

const WindowSpec kFolder{
    {"FORM16", 1, "CHECK9", "SYSTEM_F\\F_SAKU", 286, 216, {750, 360, 950, 390, 755, 367}, {750, 665, 950, 695, 755, 669}},
    "フォルダ", 208, 126, 957, 726, kFolderButtons, 700};

const WindowSpec& spec_of(const std::string& form) { return form == "FORM16" ? kFolder : kTrash; }

constexpr int kListX = 18;
constexpr int kReceivedListY = 78;
constexpr int kSentListY = 450;
constexpr int kListWidth = 924;

void add_list(pf::Form& f, const char* name, int y, int height, bool visible, bool sorted) {
    pf::Control& list = f.add(name, ControlKind::ListBox);
    list.x = visible ? kListX : 0;
    list.y = visible ? y : 0;
    list.width = visible ? kListWidth : 0;
    list.height = height;
    list.visible = visible;
    list.sorted = sorted;
    list.font = pf::gothic(14, pf::SizeUnit::Pixels);
    list.visible_rows = height / 16;
}

void define(pf::Form& f, const WindowSpec& spec) {
    f.caption = sj(spec.caption);
    f.left = spec.left;
    f.top = spec.top;
    f.width = spec.width;
    f.height = spec.height;
    f.frame_width = 8;
    f.frame_height = 34;
    f.background = pf::kFace;
    for (const ButtonSpec& b : spec.buttons) {
        pf::Control& button = f.add(b.name, ControlKind::Button);
        button.caption = sj(b.caption);
        button.font = pf::mincho(b.pixels, pf::SizeUnit::Pixels);
        button.x = b.x;
        button.y = b.y;
        button.width = b.width;
        button.height = b.height;
        button.visible = *b.caption != '\0';
    }
    pf::Control& check = f.add(spec.face.check_box, ControlKind::CheckBox);
    check.caption = sj(kDeleteOptionCaption);
    check.font = pf::mincho(12, pf::SizeUnit::Pixels);
    check.x = kListX;
    check.y = spec.check_box_y;
    check.width = 360;
    check.height = 18;
    const store::FolderWindowLists& lists = store::folder_place(spec.face.folder_lists_of).lists;
    add_list(f, lists.received_list, kReceivedListY, spec.face.received_list_height, true, false);
    add_list(f, lists.sent_list, kSentListY, spec.face.sent_list_height, true, false);
    for (const char* hidden : {lists.received_files, lists.record_files, lists.sent_files}) add_list(f, hidden, 0, 0, false, true);
}

// The four heading cells over a list's columns (x from, x to), 7 pixels a byte from the list's
// left edge: sender or recipient, the attachment flag, the subject, the date.
constexpr int kCells[4][2] = {{18, 344}, {348, 375}, {379, 770}, {774, 941}};
constexpr int kHeadingX[4] = {160, 354, 554, 832};
constexpr const char* kReceivedHeadings[4] = {"差出人", "θ", "件　名", "受信日時"};
constexpr const char* kSentHeadings[4] = {"宛　先", "θ", "件　名", "送信日時"};

void draw_list_heading(pf::Form& f, int panel_y, const char* title, int cell_y, const char* const (&headings)[4]) {
    pf::sunken_frame(f, 18, panel_y, 268, panel_y + 32);
    f.font = pf::mincho(20, pf::SizeUnit::Pixels);
    pf::engraved_text(f, 95, panel_y + 7, sj(title));
    for (const auto& cell : kCells) {
        f.draw_box(cell[0] + 1, cell_y - 1, cell[1] + 1, cell_y + 23, pf::kWhite);
        f.draw_box(cell[0], cell_y, cell[1], cell_y + 24, pf::kGrey);
    }
    f.font = pf::mincho(14, pf::SizeUnit::Pixels);
    for (int i = 0; i < 4; ++i) pf::engraved_text(f, kHeadingX[i], cell_y + 6, sj(headings[i]));
}

}  // namespace

const WindowFace& trash_face() { return kTrash.face; }
const WindowFace& folder_face() { return kFolder.face; }
const WindowFace& face_of(const std::string& form) { return spec_of(form).face; }

void define_folder_windows() {
    for (const WindowSpec* spec : {&kTrash, &kFolder}) {
        pf::forms().define(spec->face.form, [spec](pf::Form& f) { define(f, *spec); });
    }
}

void draw_face(const WindowFace& face) {
    const WindowSpec& spec = spec_of(face.form);
    pf::Form& f = pf::form(face.form);
    draw_list_heading(f, 6, "受信メール", 50, kReceivedHeadings);
    draw_list_heading(f, 378, "送信メール", 422, kSentHeadings);
    for (const ButtonSpec& b : spec.buttons) {
        pf::Control& button = f.control(b.name);
        button.font = pf::mincho(b.pixels, pf::SizeUnit::Pixels);
        button.caption = sj(b.caption);
        button.changed();
    }
    const store::FolderWindowLists& lists = store::folder_place(face.folder_lists_of).lists;
    for (auto [name, height] : {std::pair{lists.received_list, face.received_list_height},
                                std::pair{lists.sent_list, face.sent_list_height}}) {
        pf::Control& list = f.control(name);
        list.font = pf::gothic(14, pf::SizeUnit::Pixels);
        list.width = kListWidth;
        list.height = height;
        list.changed();
    }
    pf::Control& check = f.control(face.check_box);
    check.font = pf::mincho(12, pf::SizeUnit::Pixels);
    check.caption = sj(kDeleteOptionCaption);
    check.changed();
}

void draw_count_line(const std::string& form, bool received, int count) {
    const WindowFace& face = face_of(form);
    const CountLinePlace& place = received ? face.received_count : face.sent_count;
    pf::Form& f = pf::form(form);
    f.draw_filled_box(place.box_x1, place.box_y1, place.box_x2, place.box_y2, pf::kFace, pf::kFace);
    f.font = pf::mincho(14, pf::SizeUnit::Pixels);
    std::string text = (received ? "[ 受信メール： "_sj : "[ 送信メール： "_sj) + std::to_string(count) + " 通 ]"_sj;
    pf::engraved_text(f, place.x, place.y, text);
}

void read_delete_option(const WindowFace& face, std::string& value) {
    // The option file is opened for records, which makes a missing one empty.
    if (!files::file_exists(face.option_file)) files::write_bytes(face.option_file, "");
    value = read_flag_record(face.option_file);
    pf::Control& check = pf::form(face.form).control(face.check_box);
    check.checked = numeric_value(value) > 0;
    check.changed();
}

void write_delete_option(const WindowFace& face, std::string& value) {
    value = pf::form(face.form).control(face.check_box).checked ? "1" : "0";
    write_flag_record(face.option_file, value);
}

}  // namespace tv::folders
