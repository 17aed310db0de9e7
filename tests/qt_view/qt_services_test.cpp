// The Qt side of the platform services and window actions, where it can fail on its own: printing
// into a PDF file read back with pdftotext, the dialogs, sizable windows, focus moved by code,
// close boxes, pictures, edit looks, the input method and the Esc key.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <regex>

#include "common/sjis.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_printer.h"
#include "platform/timers.h"
#include "viewer/print_lines.h"
#include "harness/qt_view_fixture.h"

namespace tv::platform::qt {
namespace {

using namespace tv::literals;

std::string run_command(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

// The words of a PDF with their boxes in points, page by page, as pdftotext reads them.
struct Word {
    int page = 0;
    double y_min = 0, y_max = 0, x_min = 0, x_max = 0;
    std::string text;
};
std::vector<Word> pdf_words(const std::filesystem::path& pdf) {
    std::string html = run_command("pdftotext -bbox '" + pdf.string() + "' - 2>/dev/null");
    std::vector<Word> words;
    int page = 0;
    std::regex word_re(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::istringstream lines(html);
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (line.find("<page ") != std::string::npos) ++page;
        if (std::regex_search(line, m, word_re)) {
            words.push_back(Word{page, std::stod(m[2]), std::stod(m[4]), std::stod(m[1]), std::stod(m[3]), m[5]});
        }
    }
    return words;
}

TEST_F(QtViewTest, PrintedRowsLieOneFontHeightApartAndAFullPageFitsA4) {
    auto pdf = h.folder / "printed.pdf";
    qt->qt_printer().print_to_pdf(pdf.string());
    PrinterService& printer = *services().printer;
    ASSERT_EQ(printer.choose("FORM3"), PrintChoice::Print);
    ASSERT_TRUE(printer.start_document("PRINTER"));
    // The longest pages the mail print makes: three blank rows and a page of lines, at each size.
    struct Size {
        double points;
        int lines;
    };
    const std::vector<Size> sizes{{8, 94}, {10, 74}, {12, 62}};
    for (std::size_t p = 0; p < sizes.size(); ++p) {
        if (p > 0) printer.new_page();
        printer.set_font("ＭＳ 明朝"_sj, sizes[p].points);
        for (int blank = 0; blank < 3; ++blank) printer.print_row("");
        for (int i = 1; i <= sizes[p].lines; ++i) printer.print_row("   R" + std::to_string(i) + " 件名");
    }
    printer.new_page();
    printer.set_font("ＭＳ 明朝"_sj, 10);
    printer.print_row("   差出人： 山田 太郎"_sj);
    printer.print_row("first\nsecond");  // an LF goes on in the next row, further right
    printer.print_row("after");
    printer.end_document();

    auto words = pdf_words(pdf);
    ASSERT_FALSE(words.empty()) << "pdftotext read nothing";
    auto find = [&](int page, const std::string& text) -> const Word* {
        for (const auto& w : words) {
            if (w.page == page && w.text == text) return &w;
        }
        return nullptr;
    };
    const double a4_height = 841.9;
    for (std::size_t p = 0; p < sizes.size(); ++p) {
        int page = static_cast<int>(p) + 1;
        const Word* first = find(page, "R1");
        const Word* second = find(page, "R2");
        const Word* last = find(page, "R" + std::to_string(sizes[p].lines));
        ASSERT_TRUE(first && second && last) << "page " << page;
        EXPECT_NEAR(second->y_min - first->y_min, sizes[p].points, 0.05) << "page " << page;
        EXPECT_LT(last->y_max, a4_height) << "page " << page;
        EXPECT_NEAR(first->y_min - sizes[p].points * 3, 28.35, sizes[p].points) << "the top margin";
    }
    const Word* name = find(4, "山田");
    ASSERT_NE(name, nullptr) << "the Japanese text reads back";
    const Word* first = find(4, "first");
    const Word* second = find(4, "second");
    const Word* after = find(4, "after");
    ASSERT_TRUE(first && second && after);
    EXPECT_NEAR(second->y_min - first->y_min, 10, 0.05);
    EXPECT_GT(second->x_min, first->x_min + 10);
    EXPECT_NEAR(after->y_min - second->y_min, 10, 0.05);
}

// A line wider than the page, laid out in the rows the mail print makes of it, reads back whole
// from the PDF, every row inside the paper chosen: portrait and landscape A4.
TEST_F(QtViewTest, AWrappedLineFitsThePaperChosen) {
    struct Paper {
        QPageLayout::Orientation orientation;
        double width;  // points
        int columns, rows;
    };
    const std::vector<Paper> papers{{QPageLayout::Portrait, 595.3, 134, 98}, {QPageLayout::Landscape, 841.9, 196, 67}};
    std::string line = "   ";
    for (int i = 0; i < 150; ++i) line += i % 10 == 9 ? "終"_sj : "あ"_sj;  // 300 bytes, no blank
    for (const Paper& paper : papers) {
        auto pdf = h.folder / (paper.orientation == QPageLayout::Portrait ? "tall.pdf" : "wide.pdf");
        qt->qt_printer().print_to_pdf(pdf.string(), QPageLayout(QPageSize(QPageSize::A4), paper.orientation,
                                                                 QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        PrinterService& printer = *services().printer;
        ASSERT_EQ(printer.choose("FORM3"), PrintChoice::Print);
        ASSERT_TRUE(printer.start_document("PRINTER"));
        printer.set_font("ＭＳ 明朝"_sj, 8);
        PageRoom room = printer.room();
        EXPECT_NEAR(room.columns, paper.columns, 1);
        EXPECT_NEAR(room.rows, paper.rows, 1);
        std::vector<std::string> rows = viewer::print_rows(line, room.columns, "   ");
        EXPECT_EQ(rows.size(), paper.orientation == QPageLayout::Portrait ? 3u : 2u);
        for (const auto& row : rows) printer.print_row(row);
        printer.end_document();

        std::string read;
        for (const auto& w : pdf_words(pdf)) {
            read += w.text;
            EXPECT_LE(w.x_max, paper.width - 28.3) << w.text;  // inside the right margin
        }
        std::string expected = to_utf8(line.substr(3));
        EXPECT_EQ(read, expected);
    }
}

TEST_F(QtViewTest, InputBoxRefusesBytesOverItsLimitAndCancelGivesEscape) {
    QString shown_prompt;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        auto* line = box->findChild<QLineEdit*>();
        shown_prompt = box->findChild<QLabel*>()->text();
        for (const char* typed : {"a", "b", "花", "子", "さ", "ん"}) {  // 10 bytes; the limit is 8
            QInputMethodEvent event;
            event.setCommitString(QString::fromUtf8(typed));
            QApplication::sendEvent(line, &event);
        }
        box->findChildren<QPushButton*>().first()->click();         // OK
    });
    std::string typed = input_box(InputBoxRequest{"", "ｓｐａｍ特定文字追加"_sj, "入力して下さい。"_sj, "", 8});
    EXPECT_EQ(typed, "ab花子さ"_sj);
    EXPECT_EQ(shown_prompt, QString::fromUtf8("入力して下さい。"));
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(input_box(InputBoxRequest{"", "t", "p", "", 64}), "\x1b");
}

TEST_F(QtViewTest, FileDialogsStartWhereAskedAndReturnTheProgramsPaths) {
    h.write("docs\\a.txt", "x");
    std::string folder = from_utf8((h.folder / "docs").string()).value();
    QString directory, proposed, title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        directory = dialog->directory().absolutePath();
        title = dialog->windowTitle();
        proposed = dialog->selectedFiles().value(0);
        dialog->selectFile(QString::fromStdString((h.folder / "docs" / "保存.eml").string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    // A remembered folder ends in "/" and the name follows a "\": the dialog takes both.
    FileDialogRequest save{"", "ファイルの保存"_sj, folder + "/\\a.txt", {{"すべてのファイル(*.*)"_sj, "*.*"}}};
    DialogAnswer answer = save_file_dialog(save);
    EXPECT_EQ(title, QString::fromUtf8("ファイルの保存"));
    EXPECT_EQ(directory, QString::fromStdString((h.folder / "docs").string()));
    EXPECT_TRUE(proposed.endsWith("/a.txt"));
    ASSERT_TRUE(answer.chosen());
    EXPECT_EQ(answer.path, folder + "/" + "保存.eml"_sj);

    h.write("docs\\x.txt", "x");
    std::filesystem::path emoji = h.folder / "docs" / "\xF0\x9F\x98\x80.txt";
    std::ofstream(emoji) << "x";
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString(emoji.string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    DialogAnswer refused = open_file_dialog(FileDialogRequest{"", "追加"_sj, folder, {}});
    EXPECT_EQ(refused.outcome, DialogAnswer::Outcome::NotCp932);
    EXPECT_EQ(refused.path, emoji.string());
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(browse_folder("").outcome, DialogAnswer::Outcome::Cancelled);
}

TEST_F(QtViewTest, TimersGoOnCountingWhileADialogIsUp) {
    Form& f = show("MAINFORM", [](Form& w) {
        w.width = 200;
        w.height = 100;
        w.add("TIMER1", ControlKind::Timer).interval = 2;  // an event every 20 ms
    });
    start_timer(f.control("TIMER1"));
    event_queue().clear();
    // Watches the queue while the box is up and closes it once a tick is queued (or after a long
    // while, failing): a busy machine only makes the wait longer.
    std::size_t queued_while_up = 0;
    QElapsedTimer up;
    up.start();
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        queued_while_up = event_queue().size();
        if (queued_while_up >= 1 || up.elapsed() > 20000) box->close();
    });
    watch.start();
    input_box(InputBoxRequest{"MAINFORM", "t", "p", "", 0});
    watch.stop();
    EXPECT_GE(queued_while_up, 1u);
}

// The end of a long job: the owner is disabled, the progress window closes just before the box, the
// program has pumped events; then the window manager hands the activation elsewhere (another
// program, the fallback of the closed window). The dialog must win the keyboard back, so that
// the keys the user types answer it.
TEST_F(QtViewTest, EveryDialogTakesTheKeyboardWhenShownWhateverHadIt) {
    struct Case {
        const char* name;
        std::function<std::string()> show;  // what the dialog answered
        Qt::Key key;
        std::string answer;
    };
    const std::vector<Case> cases = {
        {"message box", [] { return std::to_string(static_cast<int>(message_box("MAINFORM", "t", "done", MsgButtons::Ok, MsgIcon::Information))); },
         Qt::Key_Return, std::to_string(static_cast<int>(MsgAnswer::Ok))},
        {"input box", [] { return input_box(InputBoxRequest{"MAINFORM", "t", "p", "typed", 64}); }, Qt::Key_Return, "typed"},
        {"folder browser", [] { return std::to_string(static_cast<int>(browse_folder("MAINFORM").outcome)); },
         Qt::Key_Escape, std::to_string(static_cast<int>(DialogAnswer::Outcome::Cancelled))},
    };
    Form& main = show("MAINFORM", [](Form& f) {
        f.width = 300;
        f.height = 200;
    });
    QWidget elsewhere;  // a window that takes the activation away
    elsewhere.resize(100, 100);
    elsewhere.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        main.enabled = false;
        main.changed();
        show("FORM5", [](Form& f) {
            f.width = 200;
            f.height = 80;
            f.borderless = true;
            f.topmost = true;
        });
        pause(30);
        forms().unload("FORM5");
        // Once the dialog is up another window takes the activation; then the dialog must win the
        // keyboard back. Watched until it does (or a long while has passed, failing), so that a
        // busy machine only makes the wait longer.
        bool dialog_active = false, focus_inside = false, taken = false;
        QElapsedTimer since;
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || !dialog->isVisible()) return;
            if (!taken) {
                elsewhere.activateWindow();
                taken = true;
                since.start();
                return;
            }
            QWidget* focused = QApplication::focusWidget();
            dialog_active = QApplication::activeWindow() == dialog;
            focus_inside = focused && focused->window() == dialog;
            if (dialog_active && focus_inside) {
                watch.stop();
                QTest::keyClick(focused, c.key);
            } else if (since.elapsed() > 20000) {
                watch.stop();
                dialog->close();  // answered anyway, so that the next case runs
            }
        });
        watch.start();
        std::string answer = c.show();
        watch.stop();
        EXPECT_TRUE(dialog_active);
        EXPECT_TRUE(focus_inside);
        EXPECT_EQ(answer, c.answer);
        main.enabled = true;
        main.changed();
    }
}

// A folder whose name CP932 holds only as another name (a wave dash comes back as a full-width
// tilde) is refused by the dialog, as a name CP932 cannot hold is: no save goes nowhere.
TEST_F(QtViewTest, ADialogRefusesAPathThatComesBackAsAnotherName) {
    auto folder = h.folder / "\u671F\u9593\u301C2026";  // 期間〜2026
    std::filesystem::create_directories(folder);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setDirectory(QString::fromStdString(folder.string()));
        dialog->selectFile(QStringLiteral("report.eml"));
        static_cast<QDialog*>(dialog)->accept();
    });
    DialogAnswer answer = save_file_dialog({"", "ファイルの保存"_sj, "", {{"emlﾌｧｲﾙ(*.eml)"_sj, "*.eml"}}});
    EXPECT_EQ(answer.outcome, DialogAnswer::Outcome::NotCp932);
    EXPECT_EQ(answer.path, (folder / "report.eml").string());
}

// Qt's own dialogs read in Japanese like the rest of the program.
TEST_F(QtViewTest, QtsOwnDialogsSpeakJapanese) {
    QString title;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        for (auto* button : dialog->findChildren<QPushButton*>()) {
            if (button->isVisible()) buttons << button->text();
        }
        dialog->close();
    });
    browse_folder("");
    EXPECT_NE(title, QStringLiteral("Find Directory"));
    EXPECT_FALSE(title.isEmpty());
    EXPECT_TRUE(buttons.contains(QString::fromUtf8("キャンセル"))) << buttons.join(u'|').toStdString();
    EXPECT_FALSE(buttons.contains(QStringLiteral("Cancel")));
}

// A window without a minimise box that the desktop minimises anyway comes back at once: the
// windows it keeps disabled or hidden would otherwise leave nothing on the screen to reach.
TEST_F(QtViewTest, AWindowWithoutAMinimiseBoxComesBackWhenTheDesktopMinimisesIt) {
    Form& f = show("FORM13", [](Form& w) {
        w.width = 300;
        w.height = 200;
        w.minimize_box = false;
    });
    FormWindow* window = view().window("FORM13");
    window->showMinimized();  // as the window manager's own menu does
    QTest::qWait(50);
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(f.window_state(), WindowState::Normal);
}

TEST_F(QtViewTest, ASizableWindowReportsUserResizesAndFollowsTheProgram) {
    record({"FORM2_RESIZE"});
    Form& f = show("FORM2", [](Form& w) {
        w.width = 700;
        w.height = 400;
        w.sizable = true;
        w.maximize_box = true;
    });
    FormWindow* window = view().window("FORM2");
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    window->resize(760, 430);  // as the user drags the border
    EXPECT_EQ(ran(), std::vector<std::string>{"FORM2_RESIZE"});
    EXPECT_EQ(f.width, 760);
    EXPECT_EQ(f.height, 430);
    f.set_size(656, 300);  // the program puts it back
    EXPECT_EQ(window->size(), QSize(656, 300));
    EXPECT_EQ(ran(), std::vector<std::string>{"FORM2_RESIZE"});  // its own event only
    window->showMaximized();
    EXPECT_EQ(f.window_state(), WindowState::Maximized);
    EXPECT_EQ(ran().front(), "FORM2_RESIZE");
}

TEST_F(QtViewTest, FocusMovedByCodeRaisesBothEventsOnceAndReachesTheBox) {
    record({"EDIT12_SETFOCUS", "EDIT12_KILLFOCUS", "EDIT14_SETFOCUS", "EDIT14_KILLFOCUS"});
    Form& f = show("FORM9", [](Form& w) {
        w.width = 400;
        w.height = 200;
        for (const char* name : {"EDIT12", "EDIT14"}) {
            Control& box = w.add(name, ControlKind::Edit);
            box.multiline = true;
            box.x = 10, box.y = name == std::string("EDIT12") ? 10 : 50, box.width = 300, box.height = 28;
        }
    });
    FormWindow* window = view().window("FORM9");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    // The box first in the tab order gets the focus with the window, as on the desktop.
    EXPECT_EQ(ran(), std::vector<std::string>{"EDIT12_SETFOCUS"});
    auto* to_box_edit = qobject_cast<QPlainTextEdit*>(view().control_widget("FORM9", "EDIT12"));
    QWidget* to_box = to_box_edit->viewport();
    QWidget* subject = view().control_widget("FORM9", "EDIT14");
    QTest::mouseClick(to_box, Qt::LeftButton);  // the user, in the box that has the focus
    EXPECT_EQ(ran(), std::vector<std::string>{});
    f.set_focus("EDIT14");  // the program, as Enter in the To box does
    EXPECT_EQ(QApplication::focusWidget(), subject);
    EXPECT_EQ(ran(), (std::vector<std::string>{"EDIT12_KILLFOCUS", "EDIT14_SETFOCUS"}));
    QTest::mouseClick(to_box, Qt::LeftButton);
    EXPECT_EQ(ran(), (std::vector<std::string>{"EDIT14_KILLFOCUS", "EDIT12_SETFOCUS"}));
}

TEST_F(QtViewTest, AGreyedCloseBoxOrADisabledWindowIgnoresTheUsersClose) {
    record({"FORM6_QUERYCLOSE"});
    Form& f = show("FORM6", [](Form& w) {
        w.width = 592;
        w.height = 120;
        w.left = 30;
        w.top = 40;
    });
    FormWindow* window = view().window("FORM6");
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(30, 40));  // the outer window's place
    f.close_box_enabled = false;
    f.changed();
    EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
    window->close();
    qt->window_system().dispatch_pending_messages();
    f.close_box_enabled = true;
    f.enabled = false;
    f.changed();
    window->close();
    qt->window_system().dispatch_pending_messages();
    EXPECT_TRUE(forms().is_loaded("FORM6"));
    EXPECT_EQ(ran(), std::vector<std::string>{});
}

TEST_F(QtViewTest, PicturesEditLooksInputMethodAndEscAreShown) {
    QImage red(46, 46, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString((h.folder / "SYSTEM_F" / "BTN_PL.bmp").string())) ||
                (std::filesystem::create_directories(h.folder / "SYSTEM_F") &&
                 red.save(QString::fromStdString((h.folder / "SYSTEM_F" / "BTN_PL.bmp").string()))));
    Form& f = show("FORM11", [](Form& w) {
        w.width = 300;
        w.height = 200;
        Control& body = w.add("EDIT11", ControlKind::Edit);
        body.multiline = true;
        body.word_wrap = true;
        body.scroll_bars = ScrollBars::Vertical;
        body.x = 100, body.y = 10, body.width = 150, body.height = 100;
        Control& line = w.add("EDIT34", ControlKind::Edit);
        line.border = false;
        line.back_color = Rgb{236, 233, 216};
        line.x = 100, line.y = 120, line.width = 150, line.height = 20;
    });
    f.draw_picture(50, 60, 45, 45, "SYSTEM_F\\BTN_PL.bmp");
    FormWindow* window = view().window("FORM11");
    QImage shot = window->surface()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(50, 60), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(94, 104), QColor(Qt::red));
    EXPECT_NE(shot.pixelColor(95, 105), QColor(Qt::red));

    auto* body = qobject_cast<QPlainTextEdit*>(view().control_widget("FORM11", "EDIT11"));
    auto* line = qobject_cast<QLineEdit*>(view().control_widget("FORM11", "EDIT34"));
    EXPECT_EQ(body->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(body->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(line->hasFrame());
    EXPECT_EQ(line->palette().color(QPalette::Base), QColor(236, 233, 216));
    Control& url = f.control("EDIT34");
    url.text = "http://example.jp";
    url.select_all();
    EXPECT_EQ(line->selectedText(), "http://example.jp");

    f.set_input_method(InputMethod::Off);
    EXPECT_FALSE(body->testAttribute(Qt::WA_InputMethodEnabled));
    f.set_input_method(InputMethod::Hiragana);
    EXPECT_TRUE(body->testAttribute(Qt::WA_InputMethodEnabled));

    f.enabled = false;  // Esc counts on a window that takes no input too
    f.changed();
    QTest::keyClick(body, Qt::Key_Escape);
    EXPECT_TRUE(escape_key_pressed());
    EXPECT_FALSE(escape_key_pressed());
}

TEST_F(QtViewTest, TheArrivalSoundNeverHoldsTheProgramLong) {
    // Without a sound device (as here, offscreen) nothing plays and nothing is waited for; with one
    // the short chime ends within its length and a second.
    std::filesystem::path wav = h.folder / "JUSIN.WAV";
    std::string pcm(8820, '\0');  // 0.2 s of 22,050 Hz 16-bit mono silence
    std::string header = "RIFF";
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto put16 = [&](std::uint16_t v) {
        header.push_back(static_cast<char>(v & 0xFF));
        header.push_back(static_cast<char>(v >> 8));
    };
    put32(36 + static_cast<std::uint32_t>(pcm.size()));
    header += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(22050);
    put32(44100);
    put16(2);
    put16(16);
    header += "data";
    put32(static_cast<std::uint32_t>(pcm.size()));
    std::ofstream(wav, std::ios::binary) << header << pcm;
    auto started = std::chrono::steady_clock::now();
    services().sound->play_and_wait(wav.string());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(2500));
}

}  // namespace
}  // namespace tv::platform::qt
