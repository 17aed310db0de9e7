#include "transfer/unsaved_attachments.h"

#include "common/sjis.h"
#include "platform/platform.h"
#include "store/progress_window.h"

namespace tv::transfer {

namespace {

struct Report {
    UnsavedAttachment unsaved;
    const char* title;
    const char* text;       // UTF-8, as the literals of the other messages
    const char* note;
    const char* view_text;  // the viewer's, once the mail is opened again
};

const Report kReports[] = {
    {UnsavedAttachment::NotSaved, "SAVE ERROR !",
     "添付ファイルを保存できませんでした。\r\n"
     "メールは受信ボックスに入っています。メールを開くと、もう一度保存します。   ",
     "添付ファイルを保存できませんでした。",
     "添付ファイルを保存できませんでした。\r\n"
     "もう一度メールを開くと、もう一度保存します。   "},
    {UnsavedAttachment::DiskFull, "DISK FULL !",
     "ディスクの空き容量が足りないため、添付ファイルを保存できませんでした。\r\n"
     "メールは受信ボックスに入っています。空き容量を増やしてからメールを開くと、添付ファイルを保存します。   ",
     "添付ファイルを保存できませんでした（空き容量不足）。",
     "ディスクの空き容量が足りないため、添付ファイルを保存できませんでした。\r\n"
     "空き容量を増やしてからメールを開くと、添付ファイルを保存します。   "},
};

const Report* report_of(UnsavedAttachment unsaved) {
    for (const Report& report : kReports) {
        if (report.unsaved == unsaved) return &report;
    }
    return nullptr;
}

}  // namespace

std::string unsaved_attachment_note(UnsavedAttachment unsaved) {
    const Report* report = report_of(unsaved);
    return report ? sj(report->note) : std::string();
}

void tell_unsaved_attachments(UnsavedAttachment unsaved, bool manual) {
    const Report* report = report_of(unsaved);
    if (!report || !manual) return;
    store::close_progress_window();  // the box must not stand behind it
    platform::inform("MAINFORM", report->title, sj(report->text));
}

void tell_unsaved_attachments_in_view(UnsavedAttachment unsaved, const std::string& owner) {
    const Report* report = report_of(unsaved);
    if (report) platform::inform(owner, report->title, sj(report->view_text));
}

}  // namespace tv::transfer
