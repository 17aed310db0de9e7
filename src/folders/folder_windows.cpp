#include "folders/folder_windows.h"

#include <span>
#include <vector>

#include "common/flag_files.h"
#include "common/sjis.h"
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

// The buttons of each list's title row stand right of its title panel, the same in both windows
// and both rows but for the first caption.
struct RowButton {
    const char* received_caption;
    const char* sent_caption;
    int x, width;
};
constexpr RowButton kRowButtons[4] = {
    {"受信ボックスに戻す", "送信ボックスに戻す", 452, 150},
    {"削 除", "削 除", 612, 80},
    {"全て削除", "全て削除", 702, 90},
    {"名前を付けて保存", "名前を付けて保存", 802, 140},
};
constexpr int kReceivedRowY = 8;
constexpr int kSentRowY = 380;

// The four folder buttons stand in a row below the sent list.
struct FolderButton {
    const char* caption;
    int x, width;
};
constexpr FolderButton kFolderButtons[4] = {
    {"ＪＯＢフォルダ", 18, 110}, {"ＰＲＩＶＡＴＥフォルダ", 134, 150}, {"ＨＯＢＢＹフォルダ", 290, 130}, {"その他フォルダ", 426, 110}};

constexpr ButtonSpec kTrashOthers[] = {
    {"BUTTON87", "メイン", 14, 822, 700, 120, 26},
    {"BUTTON70", "", 14, 0, 0, 0, 0},
};
constexpr ButtonSpec kFolderOthers[] = {
    {"BUTTON81", "ごみ箱", 14, 542, 674, 90, 24},
    {"BUTTON82", "メイン", 14, 802, 688, 140, 32},
    {"BUTTON71", "", 14, 0, 0, 0, 0},
};

struct WindowSpec {
    WindowFace face;
    const char* caption;  // of the window's definition
    int left, top, width, height;
    const char* received_buttons[4];  // in the order of kRowButtons
    const char* sent_buttons[4];
    const char* folder_buttons[4];
    int folder_buttons_y;
    std::span<const ButtonSpec> other_buttons;
    int check_box_y;
};

constexpr const char* kDeleteOptionCaption = "メールを１件削除する場合、確認のダイアログを表示しない";

const WindowSpec kTrash{
    {"FORM8", 0, "CHECK8", "SYSTEM_F\\G_SAKU", 284, 228, {750, 360, 950, 390, 750, 365}, {750, 675, 950, 705, 750, 681}},
    "ごみ箱", 290, 98, 957, 729,
    {"BUTTON16", "BUTTON14", "BUTTON18", "BUTTON20"}, {"BUTTON17", "BUTTON15", "BUTTON19", "BUTTON21"},
    {"BUTTON83", "BUTTON84", "BUTTON85", "BUTTON86"}, 684, kTrashOthers, 710};

const WindowSpec kFolder{
    {"FORM16", 1, "CHECK9", "SYSTEM_F\\F_SAKU", 286, 216, {750, 360, 950, 390, 755, 367}, {750, 665, 950, 695, 755, 669}},
    "フォルダ", 208, 126, 957, 726,
    {"BUTTON54", "BUTTON55", "BUTTON56", "BUTTON57"}, {"BUTTON58", "BUTTON59", "BUTTON60", "BUTTON61"},
    {"BUTTON75", "BUTTON76", "BUTTON77", "BUTTON78"}, 674, kFolderOthers, 700};

std::vector<ButtonSpec> buttons_of(const WindowSpec& spec) {
    std::vector<ButtonSpec> buttons;
    for (int i = 0; i < 4; ++i) {
        const RowButton& b = kRowButtons[i];
        buttons.push_back({spec.received_buttons[i], b.received_caption, 14, b.x, kReceivedRowY, b.width, 28});
        buttons.push_back({spec.sent_buttons[i], b.sent_caption, 14, b.x, kSentRowY, b.width, 28});
    }
    for (int i = 0; i < 4; ++i) {
        const FolderButton& b = kFolderButtons[i];
        buttons.push_back({spec.folder_buttons[i], b.caption, 12, b.x, spec.folder_buttons_y, b.width, 24});
    }
    buttons.insert(buttons.end(), spec.other_buttons.begin(), spec.other_buttons.end());
    return buttons;
}

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
    for (const ButtonSpec& b : buttons_of(spec)) {
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
    for (const ButtonSpec& b : buttons_of(spec)) {
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
    value = open_flag_record(face.option_file);
    pf::Control& check = pf::form(face.form).control(face.check_box);
    check.checked = numeric_value(value) > 0;
    check.changed();
}

void write_delete_option(const WindowFace& face, std::string& value) {
    value = pf::form(face.form).control(face.check_box).checked ? "1" : "0";
    write_flag_record(face.option_file, value);
}

}  // namespace tv::folders
