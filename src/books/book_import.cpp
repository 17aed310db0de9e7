#include "books/book_import.h"

#include <optional>
#include <string>
#include <vector>

#include "books/book_windows.h"
#include "books/export_charset.h"
#include "books/import_readers.h"
#include "common/address_book.h"
#include "common/errors.h"
#include "common/paths.h"
#include "common/sjis.h"
#include "common/text_file.h"
#include "platform/forms.h"
#include "platform/platform.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr int kPauseMs = 20;

struct Failure {
    const char* title;
    const char* text;
};

const Failure kNoFile{"NOT EXIST FILE", "アドレス帳ファイル(.csv/.vcfファイル)がありません。    "};
const Failure kBadCsvFile{"BAD FILE",
                          "「表示名」、及び「メールアドレス」の２フィールドだけをアウトルック・エクスプレスからエクスポートして下さい。     "};
const Failure kNoUsableFile{"BAD FILE", "使用可能なＶＣＦファイルがありませんでした。    "};

bool named_like(const std::string& name, const char* extension) {
    return upper_ascii(name).find(extension) != std::string::npos;
}

// The entries of one export, or nullopt when the file is listed but cannot be read, is not text
// or ends in the middle of a record. A file gone since the listing gives none: nothing was lost.
std::optional<std::vector<AddressEntry>> file_entries(const std::string& path, bool csv) {
    std::optional<std::string> bytes;
    try {
        bytes = files::read_bytes(path);
    } catch (const RuntimeError&) {
        return std::nullopt;  // held by another program, or not ours to read
    }
    if (!bytes) return std::vector<AddressEntry>{};
    auto text = exported_text(*bytes);
    if (!text) return std::nullopt;
    return csv ? csv_entries(*text) : vcard_entries(*text);
}

// Every CSV and vCard file of the folder, in listing order. A name that reads as both is no export
// of ours and is passed over. The import is whole or nothing: a file it cannot read ends it with
// the old book kept and the file named, so that no entry is left out without a word.
std::vector<AddressEntry> folder_import(const std::string& folder, const std::vector<std::string>& names,
                                        std::optional<Failure>& failure, std::string& bad_file) {
    std::vector<AddressEntry> entries;
    bool csv_listed = false, vcard_listed = false;
    for (const auto& name : names) {
        bool csv = named_like(name, ".CSV"), vcard = named_like(name, ".VCF");
        csv_listed = csv_listed || csv;
        vcard_listed = vcard_listed || vcard;
        if (csv == vcard) continue;
        auto read = file_entries(folder + "/" + name, csv);
        if (!read) {
            failure = csv ? kBadCsvFile : kNoUsableFile;
            bad_file = name;
            return {};
        }
        for (auto& e : *read) entries.push_back(std::move(e));
    }
    if (!csv_listed && !vcard_listed) {
        failure = kNoFile;
    } else if (entries.empty()) {
        failure = vcard_listed ? kNoUsableFile : kBadCsvFile;
    }
    return entries;
}

// The chosen folder, or nothing when the user gave none.
std::optional<std::string> chosen_folder() {
    pf::DialogAnswer answer = pf::browse_folder("FORM7");
    if (answer.outcome == pf::DialogAnswer::Outcome::NotCp932) {
        pf::inform("FORM7", "BAD FOLDER", "このフォルダは使用できません。フォルダ名を確認して下さい。    "_sj);
        return std::nullopt;
    }
    if (answer.outcome != pf::DialogAnswer::Outcome::Chosen || is_blank(answer.path)) return std::nullopt;
    return trim(answer.path);
}

}  // namespace

void BUTTON8_ON() {
    if (!pf::forms().is_loaded("FORM7")) return;
    std::string question = "アウトルック・エクスプレス(メールソフト)からエクスポートしたファイルのあるフォルダを指定して、"
                           "アドレス帳のデータをインポートして下さい。   "_sj +
                           "\r\n" + "(但し、現在作成されているアドレス帳のデータは全て削除されます）"_sj;
    if (pf::message_box("FORM7", "インポート"_sj, question, pf::MsgButtons::OkCancel, pf::MsgIcon::Information) !=
        pf::MsgAnswer::Ok) {
        return;
    }
    auto folder = chosen_folder();
    if (!folder || !pf::forms().is_loaded("FORM7")) return;
    set_busy("FORM7", true);
    // The import keeps its pace: 20 ms where the old book is let go, 20 ms per entry listed.
    pf::pause(kPauseMs);
    pf::Control& listing = pf::form("FORM7").control("LIST6");
    listing.set_items(files::list_folder_files(*folder));
    std::optional<Failure> failure;
    std::string bad_file;
    std::vector<AddressEntry> entries = folder_import(*folder, listing.items(), failure, bad_file);
    // The old book goes only once a new one with entries is complete.
    if (!failure) rewrite_book(kAddressBook, entries);
    fill_book_list(kAddressBookWindow, failure ? 0 : kPauseMs);
    if (!pf::forms().is_loaded("FORM7")) return;
    pf::form("FORM7").set_pointer(pf::MousePointer::Arrow);
    if (failure) {
        std::string text = sj(failure->text);
        if (!bad_file.empty()) text += "\r\n" + bad_file;
        pf::inform("FORM7", failure->title, text);
    } else {
        pf::inform("FORM7", "DONE", "アドレス帳をインポートしました。    "_sj);
    }
    if (pf::forms().is_loaded("FORM7")) set_busy("FORM7", false);
}

}  // namespace tv::books
