#include "viewer/mail_print.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/drawing_styles.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "transfer/transfer_windows.h"
#include "viewer/print_font.h"
#include "viewer/print_lines.h"
#include "viewer/view_modes.h"

namespace tv::viewer {

using namespace tv::literals;
namespace pf = tv::platform;

namespace {

constexpr transfer::StatusBar kPrintBar{440, 10.125, 6.125};
const char* const kMargin = "   ";

// Rows on the page after its first blank rows, counted to break pages. A row that raises the count
// to the page's lines opens the next page (under three blank rows) uncounted. A line wider than the
// page goes on in the next rows, and each of them counts, as do the rows an LF inside a line adds,
// so no page runs past its foot; a paper that holds fewer rows than the size's lines breaks sooner.
class PageRows {
public:
    PageRows(pf::PrinterService& printer, int page_lines) : printer_(printer), room_(printer.room()) {
        page_lines_ = room_.rows > kNewPageBlanks ? std::min(page_lines, room_.rows - kNewPageBlanks) : page_lines;
    }

    void blank() { printer_.print_row(""); }
    // A header line: counted, never a page break.
    void header(const std::string& line) {
        for (const auto& row : print_rows(line, room_.columns, kMargin)) {
            ++count_;
            printer_.print_row(row);
        }
    }
    void line(const std::string& line) {
        for (const auto& row : print_rows(line, room_.columns, kMargin)) {
            if (++count_ >= page_lines_) {
                printer_.new_page();
                count_ = 0;
                for (int i = 0; i < kNewPageBlanks; ++i) blank();
            }
            printer_.print_row(row);
        }
    }

private:
    static constexpr int kNewPageBlanks = 3;
    pf::PrinterService& printer_;
    pf::PageRoom room_;
    int page_lines_ = 0;
    int count_ = 0;
};

void show_status_window() {
    pf::forms().load("FORM6");
    pf::Form& f = pf::form("FORM6");
    f.background = pf::kFace;
    f.clear_drawing();
    f.show();
    f.set_topmost(true);
    f.font = pf::mincho(16);
    pf::engraved_text(f, 30, 14, "印刷中です・・・。"_sj);
    transfer::draw_status_bar_frame(kPrintBar);
}

// The header lines: the sender and the recipients change places for a sent mail.
std::vector<std::string> header_lines(pf::Form& viewer) {
    auto& g = globals();
    const ViewMode* view = view_mode(g.VIEW_MODE);
    bool received = !view || view->received;
    std::string box = trim(viewer.control("EDIT15").text), to = trim(g.VIEW_TO);
    return {kMargin + (received ? "差出人： "_sj : "宛  先： "_sj) + box,
            kMargin + "日　時： "_sj + trim(g.VIEW_DATE),
            kMargin + (received ? "宛  先： "_sj : "差出人： "_sj) + to,
            kMargin + "件  名： "_sj + trim(viewer.control("EDIT22").text)};
}

void print_mail(pf::PrinterService& printer, pf::Form& viewer, const PrintSize& size) {
    transfer::draw_status_blocks(kPrintBar, 1, 4);
    std::vector<std::string> items;
    for (const auto& item : viewer.control("LIST23").items()) {
        pf::EVENT_PUMP();
        items.push_back(item);
    }
    transfer::draw_status_blocks(kPrintBar, 5, 12);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < items.size(); ++i) {
        // Each byte up to the line's CR is looked at, and queued events run at each one.
        std::size_t cr = items[i].find('\r');
        for (std::size_t b = 0, examined = cr == std::string::npos ? items[i].size() : cr + 1; b < examined; ++b) {
            pf::EVENT_PUMP();
        }
        lines.push_back(printed_line(items[i], i == 0));
    }
    transfer::draw_status_blocks(kPrintBar, 12, 18);

    printer.set_font("ＭＳ 明朝"_sj, size.points);
    PageRows page(printer, size.page_lines);
    page.blank();
    transfer::draw_status_blocks(kPrintBar, 18, 20);
    for (const auto& line : header_lines(viewer)) page.header(line);
    page.blank();
    transfer::draw_status_blocks(kPrintBar, 20, 24);
    for (const auto& line : lines) {
        pf::EVENT_PUMP();
        page.line(kMargin + line);
    }
    page.blank();
    transfer::draw_status_blocks(kPrintBar, 24, 29);
    const auto attachments = viewer.control("LIST4").items();
    for (std::size_t i = 0; i < attachments.size(); ++i) {
        pf::EVENT_PUMP();
        page.line(kMargin + (i == 0 ? "添付ファイル： "_sj : std::string(15, ' ')) + attachments[i]);
    }
    transfer::draw_status_blocks(kPrintBar, 29, 32);
    pf::EVENT_PUMP();
    printer.end_document();
    transfer::draw_status_blocks(kPrintBar, 32, 40);
}

}  // namespace

PrintSize print_size(long long points) {
    switch (points) {
        case 10: return {10, 74};
        case 12: return {12, 62};
        default: return {8, 94};
    }
}

void BUTTON53_ON() {
    if (!pf::forms().is_loaded("FORM3")) return;
    pf::Form& viewer = pf::form("FORM3");
    viewer.set_topmost(false);
    viewer.set_enabled(false);
    EDIT8_CHANGE();
    pf::pause(20);
    auto& g = globals();
    g.PRINT_FONT_SIZE = read_print_font_size();
    PrintSize size = print_size(numeric_value(g.PRINT_FONT_SIZE));

    pf::PrinterService* printer = pf::services().printer;
    pf::PrintChoice choice = printer ? printer->choose("FORM3") : pf::PrintChoice::Failed;
    if (choice == pf::PrintChoice::Print && !printer->start_document("PRINTER")) choice = pf::PrintChoice::Failed;
    if (choice == pf::PrintChoice::Failed) {
        pf::inform("FORM3", "PRINT ERROR !", "印刷できませんでした。プリンタを確認して下さい。    "_sj);
    } else if (choice == pf::PrintChoice::Print) {
        show_status_window();
        if (pf::forms().is_loaded("FORM3")) print_mail(*printer, pf::form("FORM3"), size);
        pf::pause(100);
        pf::beep();
        pf::forms().unload("FORM6");
    }
    if (!pf::forms().is_loaded("FORM3")) return;
    viewer.set_topmost(true);
    viewer.set_enabled(true);
}

}  // namespace tv::viewer
