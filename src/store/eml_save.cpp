#include "store/eml_save.h"

#include <exception>

#include "common/globals.h"
#include "common/paths.h"
#include "common/program_tree.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "common/user_copy.h"
#include "common/width_conversion.h"
#include "platform/platform.h"
#include "platform/forms.h"
#include "platform/registry_value.h"
#include "store/mail_stores.h"

namespace tv::store {

using namespace tv::literals;
namespace pf = tv::platform;

const pf::FileFilter kEmlFilter{sj("emlﾌｧｲﾙ(*.eml)"), "*.eml"};
const pf::FileFilter kAllFilesFilter{sj("すべてのファイル(*.*)"), "*.*"};

namespace {

bool is_separator(char c) { return c == '\\' || c == '/'; }

// The full stops of a name, read character by character.
int full_stops(std::string_view name) {
    int count = 0;
    for (std::size_t i = 0; i < name.size(); i += char_length(name, i)) count += name[i] == '.';
    return count;
}

// The name without the part from its last full stop.
std::string base_name(std::string_view name) {
    std::size_t dot = find_last_char(name, '.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

// Refuses a path in the program's tree, however it reaches there: a save there would overwrite a
// stored mail or a file of the program's, or add one that the program then lists, sends or attaches.
// True when it was refused.
bool refused_program_folder(const std::string& path, const std::string& owner) {
    if (!files::write_reaches_program_tree(path)) return false;
    pf::inform(owner, "BAD FILE PATH !", "カレントフォルダ内にファイルを保存することはできません。     "_sj);
    return true;
}

}  // namespace

std::string save_start_folder() {
    std::string remembered;
    if (auto lines = files::read_lines(kLastSaveFolder); lines && !lines->empty()) remembered = lines->back();
    return is_blank(remembered) ? pf::desktop_folder_text() : remembered;
}

std::string join_start_path(std::string_view folder, std::string_view name) {
    auto joined = [name](std::string_view in) {
        // No folder known: the root folder, as a bare "\" names it.
        if (in.empty()) return "/" + std::string(name);
        if (is_separator(in.back())) return std::string(in) + std::string(name);
        return std::string(in) + "/" + std::string(name);
    };
    std::string path = joined(folder);
    // A start path longer than the dialog takes (a very deep remembered folder) starts on the Desktop.
    if (path.size() > kMaxStartPath) path = joined(pf::desktop_folder_text());
    return path;
}

std::string default_eml_name(std::string_view subject) {
    std::string trimmed = trim(subject);
    std::string name;
    if (upper_ascii(trimmed).find("SPAM") != std::string::npos) {
        std::size_t bracket = trimmed.find(']');  // byte by byte, as the cut counts bytes
        std::size_t p = bracket == std::string::npos ? 0 : bracket + 1;
        name = trim(mid_bytes(subject, p + 18, 40));
    } else {
        name = trim(left_bytes(subject, 40));
    }
    return trim(TO_FULL_WIDTH(name)) + ".eml";
}

std::optional<std::string> choose_save_path(const SaveDialog& dialog) {
    for (;;) {
        pf::DialogAnswer answer =
            pf::save_file_dialog({dialog.owner, "ファイルの保存"_sj, dialog.start_path, {dialog.filter}});
        if (answer.outcome == pf::DialogAnswer::Outcome::Cancelled) return std::nullopt;
        if (answer.outcome == pf::DialogAnswer::Outcome::NotCp932) {
            pf::inform(dialog.owner, "BAD FILE NAME",
                       "ファイル名に使用できない文字が含まれています。  "_sj + "\r\n" + "ファイル名を変更して再度保存して下さい。  "_sj);
            pf::pause(20);
            continue;
        }
        std::string path = answer.path;
        if (refused_program_folder(path, dialog.owner)) return std::nullopt;
        std::string name = files::split_folder_name(path).second;
        if (full_stops(name) > 1) {
            pf::inform(dialog.owner, "BAD FILE NAME",
                       "ファイル名中に「 . 」は使用できません。  "_sj + "\r\n" + "または拡張子の設定に誤りがあります。     "_sj +
                           "\r\n" + "ファイル名を変更して再度保存して下さい。  "_sj);
            pf::pause(20);
            continue;
        }
        if (is_blank(base_name(trim(name)))) {
            pf::inform(dialog.owner, "NOT FILE NAME",
                       "ファイル名が未入力です。  "_sj + "\r\n" + "ファイル名を指定して再度保存して下さい。  "_sj);
            pf::pause(20);
            continue;
        }
        if (dialog.eml && !trim(path).ends_with(".eml")) {
            path += ".eml";
            // The dialog asked about the name without ".eml"; the file written is another one.
            if (refused_program_folder(path, dialog.owner)) return std::nullopt;
            if (files::file_exists(path) &&
                pf::message_box(dialog.owner, "ファイルの保存"_sj,
                                files::split_folder_name(path).second + " は既に存在します。"_sj + "\r\n" + "置き換えますか？"_sj,
                                pf::MsgButtons::YesNo, pf::MsgIcon::Question) != pf::MsgAnswer::Yes) {
                continue;
            }
        }
        // The folder keeps its separator at the end, as every remembered folder does.
        files::write_line(kLastSaveFolder, trim(files::split_folder_name(path).first + "/"));
        return path;
    }
}

bool copy_chosen_file(const std::string& from, const std::string& to, const std::string& owner,
                      const std::string& missing_text) {
    if (from.empty() || !files::file_exists(from)) {
        pf::inform(owner, "NOT EXIST FILE !", missing_text);
        return false;
    }
    try {
        // A file for the user outside the program folder: readable as the user's other files are.
        if (files::copy_file_for_user(from, to) == files::CopyOutcome::SameFile) {
            // The user reached the stored file itself (a store folder linked elsewhere, a link).
            pf::inform(owner, "SAME FILE !", "保存元と同じファイルには保存できません。    "_sj);
            return false;
        }
    } catch (const std::exception&) {
        pf::inform(owner, "SAVE ERROR !", "ファイルを保存できませんでした。    "_sj);
        return false;
    }
    return true;
}

void save_mail_as_eml(const std::string& owner, const std::string& mail_path, std::string_view subject) {
    std::string start = join_start_path(save_start_folder(), default_eml_name(subject));
    auto chosen = choose_save_path({owner, start, kEmlFilter, true});
    if (!chosen) return;
    copy_chosen_file(mail_path, *chosen, owner, "保存するメールが見つかりません。    "_sj);
}

void save_listed_mail(const FolderPlace& place, bool received, std::size_t subject_byte) {
    const FolderWindowLists& lists = place.lists;
    if (!pf::forms().is_loaded(lists.window)) return;
    pf::Form& window = pf::form(lists.window);
    const pf::Control& rows = window.control(received ? lists.received_list : lists.sent_list);
    int row = rows.selected();
    if (row < 0) {
        pf::inform(lists.window, "NOT SELECT",
                   received ? "受信メールが選択されていません。    "_sj : "送信メールが選択されていません。    "_sj);
        return;
    }
    auto& g = globals();
    g.VIEW_MODE = received ? 3 : 4;
    g.MAIL_FILE_NAME = listed_name(window.control(received ? lists.received_files : lists.sent_files), row + 1);
    if (is_blank(g.MAIL_FILE_NAME)) return;
    g.VIEW_SUBJECT = trim(mid_bytes(rows.item(row), subject_byte, 54));
    const MailStore& store = store_by_folder_no(place.folder_no);
    save_mail_as_eml(lists.window, files::join(received ? store.mail_folder : store.sent_folder, g.MAIL_FILE_NAME),
                     g.VIEW_SUBJECT);
}

}  // namespace tv::store
