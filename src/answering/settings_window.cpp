#include "answering/settings_window.h"

#include "answering/reply_text_files.h"
#include "answering/settings_parts.h"
#include "common/answering_settings.h"
#include "common/errors.h"
#include "common/globals.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::answering {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr const char* kForm = "FORM11";
constexpr std::size_t kPreviewLines = 9998;
constexpr std::size_t kAddressBytes = 200;

struct ControlSpec {
    const char* name;
    pf::ControlKind kind;
    int x, y, width, height;
    const char* caption;  // UTF-8 source text
    bool mincho;
    double points;
};

using K = pf::ControlKind;
constexpr ControlSpec kControls[] = {
    {"RADIO1", K::Radio, 312, 24, 66, 18, "", false, 14},
    {"RADIO2", K::Radio, 312, 48, 66, 18, "１分", false, 14},
    {"RADIO3", K::Radio, 396, 48, 66, 18, "３分", false, 14},
    {"RADIO4", K::Radio, 480, 48, 66, 18, "５分", false, 14},
    {"RADIO5", K::Radio, 564, 48, 66, 18, "10分", false, 14},
    {"RADIO6", K::Radio, 708, 48, 66, 18, "", false, 14},
    {"RADIO7", K::Radio, 792, 48, 66, 18, "", false, 14},
    {"RADIO8", K::Radio, 882, 48, 66, 18, "", false, 14},
    {"EDIT18", K::Edit, 312, 96, 678, 27, "", false, 18},
    {"LIST17", K::ListBox, 312, 156, 492, 132, "", false, 14},
    {"BUTTON38", K::Button, 816, 168, 174, 42, "spam特定文字 追加", true, 16},
    {"BUTTON39", K::Button, 816, 234, 174, 42, "spam特定文字 削除", true, 16},
    {"CHECK1", K::CheckBox, 312, 294, 270, 18, "「転送」で、ｓｐａｍ設定を有効にする", false, 14},
    {"CHECK7", K::CheckBox, 618, 294, 354, 18, "「返信」で、ｓｐａｍ設定を有効にする(推奨)", false, 14},
    {"COMBO1", K::ComboBox, 312, 324, 552, 22, "", false, 14},  // its list drops 354 pixels
    {"BUTTON40", K::Button, 870, 324, 120, 22, "返信用本文作成", true, 14},
    {"EDIT21", K::Edit, 312, 354, 678, 96, "", false, 14},
    {"LIST20", K::ListBox, 312, 462, 564, 48, "", false, 14},
    {"BUTTON45", K::Button, 888, 462, 102, 24, "追　加", true, 14},
    {"BUTTON46", K::Button, 888, 486, 102, 24, "削  除", true, 14},
    {"CHECK3", K::CheckBox, 312, 528, 606, 18,
     "「自動転送」は、特定差出人のメールのみ転送する(それ以外のメールは自動転送しない)", false, 14},
    {"CHECK2", K::CheckBox, 312, 546, 528, 18, "「自動返信」は、特定差出人にのみ返信する(それ以外には自動返信しない)", false,
     14},
    {"CHECK4", K::CheckBox, 312, 570, 528, 18, "「自動転送」において、「添付ファイル」も転送する(非推奨)", false, 14},
    {"BUTTON31", K::Button, 828, 618, 174, 42, "キャンセル", true, 18},
    {"BUTTON37", K::Button, 828, 672, 174, 54, "Ｏ　Ｋ", true, 18},
};

struct Radio {
    const char* name;
    const char* interval;
};
constexpr Radio kIntervals[] = {{"RADIO2", "60"}, {"RADIO3", "180"}, {"RADIO4", "300"}, {"RADIO5", "600"}};

struct Flag {
    const char* box;
    std::string Globals::*value;
    SettingsField field;
};
const Flag kFlags[] = {
    {"CHECK2", &Globals::REPLY_ONLY_SPECIFIC, kReplyOnlySpecific},
    {"CHECK3", &Globals::FORWARD_ONLY_SPECIFIC, kForwardOnlySpecific},
    {"CHECK4", &Globals::FORWARD_ATTACHMENTS, kForwardAttachments},
    {"CHECK7", &Globals::REPLY_SPAM_FILTER, kReplySpamFilter},
};

struct Text {
    int x, y;
    double points;
    const char* text;
};
constexpr Text kTexts[] = {
    {79, 10, 18, "タルベノール設定"},
    {20, 49, 16, "* メール・チェック・インターバル ："},
    {30, 69, 14, "( この設定は、「タルベノールスタート」の時点から、メールチェックの間隔を分間隔で設定します )"},
    {20, 101, 16, "* メール転送先アドレス           ："},
    {30, 128, 14, "( この設定は、パソコンに送られてきたメールを転送先(自分の携帯電話等)に送信するアドレスを設定します )"},
    {20, 159, 16, "* ｓｐａｍ 設定                  ： "},
    {30, 179, 14, "( この設定は、メール・アドレス表示名、"},
    {30, 195, 14, "　メール本文または、件名に特定の文字"},
    {30, 211, 14, "　が含まれていた場合、spamメールとし"},
    {30, 227, 14, "　て転送(返信)を拒否する設定を行いま"},
    {30, 243, 14, "　す )"},
    {20, 328, 16, "* 返信用本文の設定               ： "},
    {30, 348, 14, "( この設定は、「自動返信」の際に送信"},
    {30, 364, 14, "　するメールの本文を設定するものです。"},
    {30, 380, 14, "　定形文を作成した後、必要な本文を選"},
    {30, 396, 14, "　択して設定して下さい )"},
    {20, 461, 16, "* 返信用添付ファイルの設定       ： "},
    {30, 481, 14, "( 「自動返信」の際にファイルを添付し"},
    {30, 497, 14, "　たい場合は、ここで登録して下さい )"},
    {20, 528, 16, "* 特定差出人の設定               ： "},
    {20, 570, 16, "* 添付ファイルの転送             ： "},
    {30, 590, 14,
     "( 容量の大きい添付ファイルは、「転送」において負担が大きくなるため、転送先が「携帯電話」の場合は、なるべくチェックをＯＦＦにして下さい )"},
};

pf::Form& window() { return pf::form(kForm); }
pf::Control& control(const char* name) { return window().control(name); }

void define(pf::Form& f) {
    f.set_outer_size(1024, 768, 8, 30);
    f.topmost = false;
    f.caption = program_caption();
    for (const auto& spec : kControls) {
        pf::Control& c = f.add(spec.name, spec.kind, spec.x, spec.y, spec.width, spec.height);
        c.caption = sj(spec.caption);
        c.font = spec.mincho ? pf::mincho(spec.points) : pf::gothic(spec.points);
        if (spec.kind == K::Radio) c.menu = "interval";  // one group
    }
    for (const char* hidden : {"RADIO1", "RADIO6", "RADIO7", "RADIO8"}) f.control(hidden).visible = false;
    f.control("EDIT18").max_length = kAddressBytes;  // the record holds 200 bytes: nothing is cut
    f.control("COMBO1").read_only = true;             // a drop-down list
    pf::Control& preview = f.control("EDIT21");
    preview.multiline = true;
    preview.read_only = true;
    preview.word_wrap = true;
    preview.scroll_bars = pf::ScrollBars::Vertical;
}

void draw_face(pf::Form& f) {
    pf::sunken_frame(f, 5, 4, 260, 32);
    for (const auto& t : kTexts) {
        f.font = pf::mincho(t.points);
        pf::engraved_text(f, t.x, t.y, sj(t.text));
    }
}

// The reply text to select: the stored name while it is listed, else the stored position (the
// first item when that is beyond the list).
int reply_text_to_select(const pf::Control& combo, const std::string& stored_position) {
    std::string name = trim(globals().REPLY_TEXT_FILE);
    for (int i = 0; !name.empty() && i < combo.count(); ++i) {
        if (trim(combo.item(i)) == name) return i;
    }
    long long p = numeric_value(stored_position);
    if (p > combo.count() - 1) p = 0;
    return static_cast<int>(p);
}

void select_item(pf::Control& combo, int i) {
    combo.select(i);
    combo.set_text(combo.item(i));
}

void show_preview() {
    pf::Control& preview = control("EDIT21");
    preview.set_text("");
    pf::Control& combo = control("COMBO1");
    if (combo.selected() < 0) return;
    try {
        if (auto text = read_reply_text(combo.item(combo.selected()), kPreviewLines)) preview.set_text(*text);
    } catch (const RuntimeError&) {
        tell_file_error(kForm);
    }
}

void show_main() {
    pf::Form& main = pf::form("MAINFORM");
    main.set_enabled(true);
    main.show();
}

void leave(bool restore_switches) {
    Globals& g = globals();
    if (restore_switches) {
        g.FORWARD_SWITCH_CLICKS = g.FORWARD_SWITCH_SAVED;
        g.REPLY_SWITCH_CLICKS = g.REPLY_SWITCH_SAVED;
        g.FORWARD_STOPPED = g.FORWARD_STOPPED_SAVED;
        g.REPLY_STOPPED = g.REPLY_STOPPED_SAVED;
    }
    if (pf::forms().is_loaded(kForm)) pf::forms().unload(kForm);
    show_main();
}

std::string flag(bool on) { return on ? "1" : "0"; }

}  // namespace

void define_settings_window() { pf::forms().define(kForm, define); }

void TALVENORSETTEI_ON() {
    if (!pf::forms().is_loaded(kForm)) pf::forms().load(kForm);
    window().hide();
    pf::form("MAINFORM").hide();
}

void FORM11_START() {
    if (!pf::forms().is_loaded(kForm)) return;
    Globals& g = globals();
    pf::Form& f = window();
    f.background = pf::kFace;
    f.clear_drawing();
    for (int y : {616, 666}) f.draw_picture(51, y, 46, 46, kPausePicture);
    f.show();
    f.font = pf::gothic(14);
    f.caption = program_caption();
    f.changed();
    draw_face(f);
    control("LIST17").clear();
    list_reply_attachments();

    SettingsReadout read = load_answering_settings(SettingsReader::SettingsWindow);
    for (const auto& r : kIntervals) control(r.name).set_checked(read.interval_text == r.interval);
    control("EDIT18").set_text(trim(g.FORWARD_ADDRESS));
    control("CHECK1").set_checked(g.FORWARD_SPAM_FILTER == "1");
    for (const auto& fl : kFlags) control(fl.box).set_checked(numeric_value(g.*fl.value) == 1);
    draw_switches();
    g.FORWARD_SWITCH_SAVED = g.FORWARD_SWITCH_CLICKS;
    g.REPLY_SWITCH_SAVED = g.REPLY_SWITCH_CLICKS;
    g.FORWARD_STOPPED_SAVED = g.FORWARD_STOPPED;
    g.REPLY_STOPPED_SAVED = g.REPLY_STOPPED;

    fill_spam_words();
    pf::Control& combo = control("COMBO1");
    combo.set_items(list_reply_texts());
    if (combo.count() > 0) {
        int i = reply_text_to_select(combo, read.had_record ? read.reply_text_index : "0");
        if (i >= 0) select_item(combo, i);
    }
    show_preview();
}

void COMBO1_CHANGE() {
    if (pf::forms().is_loaded(kForm)) show_preview();
}

void BUTTON37_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    Globals& g = globals();
    write_spam_words(control("LIST17").items());
    SettingsFields fields;
    for (const auto& r : kIntervals) {
        if (!control(r.name).checked) continue;
        fields[kInterval] = r.interval;
        g.CHECK_INTERVAL = std::stoi(r.interval);
    }
    g.FORWARD_ADDRESS = trim(control("EDIT18").text);
    fields[kForwardAddress] = g.FORWARD_ADDRESS;
    g.FORWARD_SPAM_FILTER = flag(control("CHECK1").checked);
    fields[kForwardSpamFilter] = g.FORWARD_SPAM_FILTER;
    const pf::Control& combo = control("COMBO1");
    int selected = combo.selected();
    fields[kReplyTextIndex] = std::to_string(selected);
    std::string file = selected >= 0 ? trim(combo.item(selected)) : std::string();
    fields[kReplyTextFile] = file;
    for (const auto& fl : kFlags) fields[fl.field] = g.*fl.value = flag(control(fl.box).checked);
    g.FORWARD_STOPPED = flag(g.FORWARD_SWITCH_CLICKS % 2 == 0);
    g.REPLY_STOPPED = flag(g.REPLY_SWITCH_CLICKS % 2 == 0);
    fields[kForwardStopped] = g.FORWARD_STOPPED;
    fields[kReplyStopped] = g.REPLY_STOPPED;
    write_answering_settings(fields);
    g.REPLY_TEXT_FILE = file;
    leave(false);
}

void BUTTON31_ON() { leave(true); }

void FORM11_QUERYCLOSE() { leave(true); }

void EDIT18_SETFOCUS() {
    if (pf::forms().is_loaded(kForm)) window().set_input_method(pf::InputMethod::Off);
}

void BUTTON40_ON() {
    if (!pf::forms().is_loaded(kForm)) return;
    if (!pf::forms().is_loaded("FORM13")) pf::forms().load("FORM13");
    pf::Form& editor = pf::form("FORM13");
    editor.hide();
    window().set_enabled(false);
    editor.set_topmost(true);
}

}  // namespace tv::answering
