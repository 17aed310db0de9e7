#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "common/exchange_files.h"
#include "common/receive_list_row.h"
#include "platform/events.h"
#include "store/mail_stores.h"
#include "store/parse_exchange.h"
#include "transfer/receive.h"
#include "transfer/send.h"
#include "harness/file_faults.h"
#include "transfer_fixture.h"

namespace tv::transfer {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;
using test::TransferFixture;

std::string subject_column(const std::string& row) { return row.substr(56, 60); }

// A receive as the user starts it (the receive button), or as an answering check runs it.
void start_receive(TransferFixture& f, bool manual) {
    if (manual) {
        f.h.click("MAINFORM", "BUTTON3");
        return;
    }
    globals().MANUAL_TRANSFER = 0;
    globals().ANSWER_CHECK_RUNNING = 1;
    f.h.run_trapped(JUSIN);
}

TEST(Receive, AReceiveAskedForInsideAnotherTransferOrParseLocksNothing) {
    struct Case {
        const char* name;
        std::function<void(TransferFixture&)> outer;  // runs BUTTON3_ON while its script is waited for
        bool enabled_after;  // as the outer operation alone leaves the main window
    };
    std::vector<Case> cases{
        {"inside a silent send",
         [](TransferFixture& f) {
             f.h.write_lines("SYSTEM_F\\DEL_SOUSIN.txt", {"TO:a@example.jp", "FROM:t", "SUBJECT:s", "b", "MAIL_END"});
             f.h.scripts().on("sam042.wsf", [&f] { f.h.write("SYSTEM_F\\T_OUT_DONE.txt", "DONE\r\n"); });
             globals().MANUAL_TRANSFER = 0;
             f.h.run_trapped([] { SOUSIN(); });
         },
         false},
        {"inside a parse",
         [](TransferFixture& f) {
             f.h.write_lines("JUSINBOX\\20261201_100000.eml", TransferFixture::mail("DATE: 2026/12/01 10:00:00", "old"));
             f.h.run_trapped([] { store::PARSE_MAIL("JUSINBOX\\20261201_100000.eml", store::ParseCaller::Viewer); });
         },
         true},
    };
    for (const auto& c : cases) {
        TransferFixture f;
        f.runs = {{{TransferFixture::mail("DATE: 2026/12/10 09:00:01", "new")}, "DONE1"}};
        bool clicked = false;
        f.h.scripts().while_waiting = [&](const std::string& script) {
            if (script == "sam045.wsf" || clicked) return;
            clicked = true;
            pf::handlers().run("BUTTON3_ON");
        };
        c.outer(f);
        f.h.settle();
        EXPECT_TRUE(clicked) << c.name;
        EXPECT_EQ(f.h.scripts().starts("sam045.wsf"), 0) << c.name;
        EXPECT_FALSE(pf::forms().is_loaded("FORM5")) << c.name;
        EXPECT_EQ(pf::form("MAINFORM").enabled, c.enabled_after) << c.name;
        EXPECT_EQ(globals().MANUAL_TRANSFER, 0) << c.name;
    }
}

TEST(Receive, WithoutAnAccountNothingIsReceived) {
    TransferFixture f(false);
    f.h.click("MAINFORM", "BUTTON3");
    EXPECT_EQ(f.h.scripts().starts("sam045.wsf"), 0);
    ASSERT_EQ(f.h.boxes().shown().size(), 1u);
    EXPECT_EQ(f.h.boxes().shown()[0].text, "アカウント情報が設定されていません。      "_sj);
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(globals().MANUAL_TRANSFER, 0);
}

TEST(Receive, ManualReceiveMarksRowsUnreadAndWritesRecordsAndCache) {
    TransferFixture f;
    globals().ARRIVAL_SOUND = "1";
    f.runs = {{{TransferFixture::mail("DATE: 2026/12/10 09:00:01", "first"),
                TransferFixture::mail("DATE: 2026/12/10 09:00:02", "second, with a comma", {"a.pdf"})},
               "DONE2通のメールを受信しました。"_sj}};
    f.h.click("MAINFORM", "BUTTON3");
    auto rows = f.rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(subject_column(rows[0]).substr(0, 9), UNREAD_MARK() + "first");
    EXPECT_EQ(subject_column(rows[1]).substr(0, 23), UNREAD_MARK() + "second with a comma");
    EXPECT_EQ(rows[1].substr(50, 3), "  F");
    EXPECT_EQ(f.h.read("SYSTEM_F\\F_D_F\\20261210_090002.dxd"),
              "\"DATE: 2026/12/10 09:00:02\",\"FROM: s <s@example.jp>\",\"SUBJECT: second with a comma\",\"F\"\r\n");
    EXPECT_EQ(f.h.read("SYSTEM_F\\F_JU.txt"), test::crlf(rows));
    EXPECT_FALSE(f.h.exists("SYSTEM_F\\TALVENOR.txt"));
    ASSERT_FALSE(f.status_texts().empty());
    EXPECT_EQ(f.status_texts().back().rfind("2通のメールを受信しました。 *** "_sj, 0), 0u);
    EXPECT_EQ(f.h.platform.sound.played.size(), 1u);
    EXPECT_EQ(TransferFixture::count_line("[ 受信ボックス内メール数："_sj), "[ 受信ボックス内メール数： 2 通 ]"_sj);
    EXPECT_TRUE(f.h.boxes().shown().empty());
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(pf::form("MAINFORM").pointer, pf::MousePointer::Arrow);
}

TEST(Receive, SilentReceiveDuringAnAnsweringCheckMarksAndLogs) {
    TransferFixture f;
    f.runs = {{{TransferFixture::mail("DATE: 2026/12/10 09:00:01", "\"quoted\" subject")}, "DONE1通受信しました。"_sj}};
    start_receive(f, false);
    ASSERT_EQ(f.rows().size(), 1u);
    EXPECT_EQ(subject_column(f.rows()[0]).substr(0, 4), ANSWER_MARK());
    EXPECT_EQ(f.h.read("SYSTEM_F\\TALVENOR.txt"),
              "\"DATE: 2026/12/10 09:00:01\",\"FROM: s <s@example.jp>\",\"SUBJECT: quoted\xA5 subject\",\"Body: "
              "hiCrLfFILE:CrLf" + std::string(exchange::kEndLine) + "\",\"\",\"\",\"" +
                  files::list_folder_files("JUSINBOX").at(0) + "\",\"\"\r\n");  // no marks, attachments or steps
    EXPECT_EQ(f.h.scripts().starts("sam045.wsf"), 1);
    EXPECT_TRUE(f.h.boxes().shown().empty());
    EXPECT_TRUE(f.h.platform.sound.played.empty());
}

TEST(Receive, EveryNewMailGetsARowAndARecordWhateverItsResult) {
    TransferFixture f;
    f.runs = {{{TransferFixture::mail("DATE: 2026/12/10 09:00:01", "ok"), {"junk"}, TransferFixture::mail("DATE: x", "y")},
               "DONE3通受信しました。"_sj}};
    // Mail 2's result is the end line alone; mail 3's never ends.
    f.h.scripts().on("sam046.wsf", [&] {
        std::string request = files::read_first_line("SYSTEM_F\\CHECK.txt");
        if (request.find("090002") != std::string::npos) {
            f.h.write(exchange::kParseResultFile, std::string(exchange::kEndLine) + "\r\n");
        } else if (request.find("090003") != std::string::npos) {
            f.h.write("SYSTEM_F\\YOMITORI.txt", "DATE: 2026/12/10 09:00:03\r\nFROM: cut <c@example.jp>\r\n");
        } else {
            auto lines = *files::read_lines(request);
            lines.emplace_back(exchange::kEndLine);
            f.h.write_lines("SYSTEM_F\\YOMITORI.txt", lines);
        }
    });
    f.h.click("MAINFORM", "BUTTON3");
    auto rows = f.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), 3u);
    EXPECT_NE(rows[1].find("20261210_090002.eml"), std::string::npos);  // an empty result shows the file
    EXPECT_EQ(trim(rows[2].substr(0, 50)), "cut <c@example.jp>");
    for (const auto& row : rows) EXPECT_FALSE(is_blank(row));
}

TEST(Receive, DuplicatesWhileMailStaysOnTheServer) {
    struct Case {
        const char* name;
        std::vector<std::string> new_first_lines;
        std::vector<std::string> kept;  // the box afterwards
        std::string status;
        bool message;
    };
    std::vector<Case> cases{
        {"a new mail between two duplicates", {"DATE: a", "DATE: new", "DATE: b"},
         {"20261210_090001.eml", "20261210_090002.eml", "20261210_090004.eml"}, "1通のメールを受信しました。"_sj, false},
        {"every new mail a duplicate", {"DATE: a", "DATE: b"}, {"20261210_090001.eml", "20261210_090002.eml"},
         "新着メールはありませんでした。"_sj, true},
    };
    for (const auto& c : cases) {
        TransferFixture f;
        globals().KEEP_ON_SERVER = "1";
        f.runs.push_back({{TransferFixture::mail("DATE: a", "A"), TransferFixture::mail("  DATE: b  ", "B")},
                          "DONE2通受信しました。"_sj});
        f.h.click("MAINFORM", "BUTTON3");  // the box holds a and b, unread
        f.runs.push_back({{}, "DONE受信しました。"_sj});
        for (const auto& first : c.new_first_lines) f.runs.back().mails.push_back(TransferFixture::mail(first, "again"));
        f.h.boxes().clear();
        f.h.click("MAINFORM", "BUTTON3");
        EXPECT_EQ(files::list_folder_files("JUSINBOX"), c.kept) << c.name;
        EXPECT_EQ(f.rows().size(), c.kept.size()) << c.name;
        // Rows keep their marks.
        EXPECT_EQ(subject_column(f.rows()[0]).substr(0, 4), UNREAD_MARK()) << c.name;
        EXPECT_EQ(f.status_texts().back().substr(0, c.status.size()), c.status) << c.name;
        EXPECT_EQ(f.h.boxes().shown().size(), c.message ? 1u : 0u) << c.name;
        EXPECT_EQ(f.h.read("SYSTEM_F\\F_JU.txt"), test::crlf(f.rows())) << c.name;
        EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), c.kept.size()) << c.name;
    }
}

// A mail whose attachment the parse could not save (the parse says so beside its result) keeps its
// attachment mark in its row and record, and the receive never reports plain success over it: a
// manual receive says so in a box after its result, an unattended check only in its status line.
TEST(Receive, AnAttachmentTheParseCouldNotSaveIsMarkedAndReported) {
    const std::string disk_full_note = "添付ファイルを保存できませんでした（空き容量不足）。"_sj;
    struct Case {
        const char* name;
        std::string marks;
        bool manual;
        std::string title;  // of the box, none when empty
        std::string text;
        std::string note;
    };
    const std::vector<Case> cases{
        {"no room on the disk", "ATTACHMENT-NOT-SAVED\r\nDISK-FULL\r\n", true, "DISK FULL !",
         "ディスクの空き容量が足りないため、添付ファイルを保存できませんでした。\r\n"
         "メールは受信ボックスに入っています。空き容量を増やしてからメールを開くと、添付ファイルを保存します。   "_sj,
         disk_full_note},
        {"another failure", "ATTACHMENT-NOT-SAVED\r\n", true, "SAVE ERROR !",
         "添付ファイルを保存できませんでした。\r\n"
         "メールは受信ボックスに入っています。メールを開くと、もう一度保存します。   "_sj,
         "添付ファイルを保存できませんでした。"_sj},
        {"an answering check", "ATTACHMENT-NOT-SAVED\r\nDISK-FULL\r\n", false, "", "", disk_full_note},
    };
    for (const auto& c : cases) {
        TransferFixture f;
        f.runs = {{{TransferFixture::mail("DATE: 2026/12/10 09:00:01", "unsaved"),
                    TransferFixture::mail("DATE: 2026/12/10 09:00:02", "plain")},
                   "DONE2通のメールを受信しました。"_sj}};
        // The parse of the first mail writes its marks before its result, as the component does.
        f.h.scripts().on("sam046.wsf", [&] {
            std::string request = files::read_first_line(exchange::kRequestFile);
            if (request.find("090001") != std::string::npos) f.h.write(exchange::kParseMarksFile, c.marks);
            auto lines = *files::read_lines(request);
            lines.emplace_back(exchange::kEndLine);
            f.h.write_lines(exchange::kParseResultFile, lines);
        });
        std::vector<std::string> status_when_shown;
        bool progress_when_shown = true;
        f.h.boxes().while_shown = [&](const pf::MessageBoxRequest&) {
            status_when_shown = f.status_texts();
            progress_when_shown = pf::forms().is_loaded("FORM5");
        };
        start_receive(f, c.manual);

        auto rows = f.rows();
        ASSERT_EQ(rows.size(), 2u) << c.name;
        EXPECT_EQ(rows[0].substr(50, 3), "  F") << c.name;
        EXPECT_EQ(rows[1].substr(50, 3), "   ") << c.name;
        EXPECT_EQ(f.h.read("SYSTEM_F\\F_D_F\\20261210_090001.dxd"),
                  "\"DATE: 2026/12/10 09:00:01\",\"FROM: s <s@example.jp>\",\"SUBJECT: unsaved\",\"F\"\r\n")
            << c.name;
        EXPECT_EQ(f.h.read("SYSTEM_F\\F_JU.txt"), test::crlf(rows)) << c.name;
        ASSERT_FALSE(f.status_texts().empty()) << c.name;
        EXPECT_EQ(f.status_texts().back().rfind("2通のメールを受信しました。"_sj + c.note + " *** ", 0), 0u) << c.name;
        if (c.title.empty()) {
            EXPECT_TRUE(f.h.boxes().shown().empty()) << c.name;
            continue;
        }
        ASSERT_EQ(f.h.boxes().shown().size(), 1u) << c.name;
        EXPECT_EQ(f.h.boxes().shown()[0].title, c.title) << c.name;
        EXPECT_EQ(f.h.boxes().shown()[0].text, c.text) << c.name;
        EXPECT_EQ(status_when_shown, f.status_texts()) << c.name;  // after the result
        EXPECT_FALSE(progress_when_shown) << c.name;
    }
}

TEST(Receive, FailuresAreRetriedFiveTimesAtMost) {
    struct Case { int failures; int runs; bool message; };
    for (auto c : std::vector<Case>{{5, 5, true}, {4, 5, false}}) {
        TransferFixture f;
        for (int i = 0; i < c.failures; ++i) f.runs.push_back({{}, "ERROR受信に失敗しました。"_sj});
        f.runs.push_back({{TransferFixture::mail("DATE: 2026/12/10 09:00:09", "late")}, "DONE1通受信しました。"_sj});
        f.h.click("MAINFORM", "BUTTON3");
        EXPECT_EQ(f.h.scripts().starts("sam045.wsf"), c.runs);
        if (!c.message) {
            EXPECT_TRUE(f.h.boxes().shown().empty());
            EXPECT_EQ(f.rows().size(), 1u);
        } else {
            ASSERT_EQ(f.h.boxes().shown().size(), 1u);
            EXPECT_EQ(f.h.boxes().shown()[0].text, "受信に失敗しました。\r\nもう一度受信ボタンをどうそ！  "_sj);
        }
    }
}

TEST(Receive, ErrorMessagesOfAManualReceive) {
    struct Case { std::string result; std::string text; };
    std::vector<Case> cases{
        {"ERRORパスワードを確認してください。"_sj,
         "サーバーに接続できませんでした。  \r\n「アカウント情報」メニューから、パスワードを確認してください。"_sj},
        {"ERRORサーバーが見つかりません。"_sj, "サーバーが見つかりません。"_sj},
    };
    for (const auto& c : cases) {
        TransferFixture f;
        f.runs = {{{}, c.result}};
        f.h.click("MAINFORM", "BUTTON3");
        ASSERT_EQ(f.h.boxes().shown().size(), 1u);
        EXPECT_EQ(f.h.boxes().shown()[0].text, c.text);
        EXPECT_EQ(f.h.scripts().starts("sam045.wsf"), 1);
    }
}

TEST(Receive, AResultThatNeverComesEndsTheWait) {
    TransferFixture f;  // the script writes nothing
    f.h.click("MAINFORM", "BUTTON3");
    ASSERT_EQ(f.h.boxes().shown().size(), 1u);
    EXPECT_EQ(f.h.boxes().shown()[0].text, "スクリプト・エラー：スクリプトの動作環境が構築されていません。"_sj);
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
}

TEST(Receive, EmptyMailFileInTheBoxIsNoError) {
    TransferFixture f;
    globals().KEEP_ON_SERVER = "1";
    f.h.write("JUSINBOX\\20261201_000000.eml", "");
    store::LIST_FOLDER_FILES("JUSINBOX", store::work_list("LIST2"));
    f.runs = {{{TransferFixture::mail("DATE: 2026/12/10 09:00:01", "new")}, "DONE1通受信しました。"_sj}};
    f.h.click("MAINFORM", "BUTTON3");
    EXPECT_TRUE(f.h.boxes().shown().empty());
    EXPECT_EQ(f.rows().size(), 1u);
}

TEST(Receive, AFailedManualReceiveKeepsTheListsInStep) {
    TransferFixture f;
    // The script stores a mail and then removes its result file: the poll cannot open it.
    f.h.scripts().on("sam045.wsf", [&] {
        f.h.add_mail("JUSINBOX", "20261210_090001.eml", "2026/12/10 09:00:01", "s <s@example.jp>", "stored");
        files::remove_if_exists("SYSTEM_F\\T_IN_DONE.txt");
    });
    f.h.click("MAINFORM", "BUTTON3");
    ASSERT_EQ(f.h.boxes().shown().size(), 1u);
    EXPECT_EQ(f.h.boxes().shown()[0].text, "メールを受信できませんでした。   "_sj);
    EXPECT_EQ(store::work_list("LIST2").count(), 1);
    EXPECT_EQ(f.rows().size(), 1u);
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_FALSE(pf::forms().is_loaded("FORM5"));
    EXPECT_EQ(globals().MANUAL_TRANSFER, 0);
}

// A kill at any file change of a receive, manual or inside an answering check: at the next start
// the rows the cache held keep their marks, and each mail the kill left unlisted is listed once, in
// order, as new mail of its receive, with its record.
TEST(Receive, AKillInsideAReceiveKeepsEveryMarkAndListsTheRestAsNewMail) {
    struct Case {
        const char* name;
        bool manual;
        std::size_t old;  // mails in the box before
    };
    const std::string read_mark;  // a row the user has read carries none
    const std::vector<std::string> old_marks{UNREAD_MARK(), read_mark, ANSWER_MARK()};
    for (const Case& c : {Case{"manual", true, 3}, Case{"answering check", false, 3}, Case{"first receive", true, 0}}) {
        for (int step = 1;; ++step) {
            SCOPED_TRACE(std::string(c.name) + ", killed before change " + std::to_string(step));
            TransferFixture f;
            std::vector<std::string> rows;
            if (c.old > 0) {
                f.runs.push_back({{}, "DONE3通受信しました。"_sj});
                for (std::size_t i = 1; i <= c.old; ++i) {
                    f.runs.back().mails.push_back(TransferFixture::mail("DATE: old " + std::to_string(i), "old " + std::to_string(i)));
                }
                f.h.click("MAINFORM", "BUTTON3");
                // The user has read the second mail; the third came in an answering check.
                rows = f.rows();
                ASSERT_EQ(rows.size(), c.old);
                for (std::size_t i = 0; i < rows.size(); ++i) {
                    rows[i] = build_receive_row(trim(rows[i].substr(0, 50)), " ", old_marks[i] + "old " + std::to_string(i + 1), "");
                }
                f.h.write_lines("SYSTEM_F\\F_JU.txt", rows);
                ASSERT_TRUE(f.h.restart());
                ASSERT_EQ(f.rows(), rows);
            } else {
                f.runs.push_back({{}, "DONE"});  // the first start's own receive finds nothing
                f.h.click("MAINFORM", "BUTTON3");
                f.h.boxes().clear();
            }
            f.runs.push_back({{}, "DONE5通受信しました。"_sj});
            for (int i = 1; i <= 5; ++i) f.runs.back().mails.push_back(TransferFixture::mail("DATE: new " + std::to_string(i), "new " + std::to_string(i)));

            test::FileFaults faults;
            faults.kill_before(step);
            bool killed = false;
            try {
                start_receive(f, c.manual);
            } catch (const test::Killed&) {
                killed = true;
            }
            if (!killed) break;
            faults.clear();
            ASSERT_TRUE(f.h.restart());

            std::vector<std::string> mails = files::list_folder_files("JUSINBOX");
            std::vector<std::string> shown = f.rows();
            ASSERT_EQ(shown.size(), mails.size());
            // A manual receive's mail is new unread mail, an answering check's carries the mode's
            // mark, whether the receive listed it or the next start did.
            const std::string new_mark = c.manual ? UNREAD_MARK() : ANSWER_MARK();
            for (std::size_t i = 0; i < shown.size(); ++i) {
                std::string expected = i < c.old ? old_marks[i] + "old " + std::to_string(i + 1)
                                                 : new_mark + "new " + std::to_string(i - c.old + 1);
                EXPECT_EQ(trim(subject_column(shown[i])), expected) << "row " << i;
            }
            EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), mails.size());
            EXPECT_EQ(load_list_cache("SYSTEM_F\\F_JU.txt"), shown);
            EXPECT_TRUE(f.h.boxes().shown().empty());
            ASSERT_LT(step, 200);
        }
    }
}

// A mail component that outlived a killed receive may still be storing mail when the program starts
// again: the start waits for it under the hourglass, then lists every mail it stored as new unread
// mail behind the rows the cache kept, which keep their marks; a second start finds the list whole.
// A receive that later finds mail such a component stored after the listing counts it as received.
TEST(Receive, ARestartWaitsForTheMailComponentOfTheKilledRun) {
    TransferFixture f;
    f.runs = {{{TransferFixture::mail("DATE: old 1", "old 1"), TransferFixture::mail("DATE: old 2", "old 2")},
               "DONE2通のメールを受信しました。"_sj}};
    f.h.click("MAINFORM", "BUTTON3");
    std::vector<std::string> rows = f.rows();
    ASSERT_EQ(rows.size(), 2u);
    rows[0] = build_receive_row(trim(rows[0].substr(0, 50)), " ", "old 1", "");  // read by the user
    f.h.write_lines("SYSTEM_F\\F_JU.txt", rows);
    ASSERT_TRUE(f.h.restart());
    ASSERT_EQ(f.rows(), rows);

    auto store_new = [&](int from, int to) {
        for (int i = from; i <= to; ++i) {
            char name[40];
            std::snprintf(name, sizeof name, "JUSINBOX\\20261210_1000%02d.eml", i);
            f.h.write_lines(name, TransferFixture::mail("DATE: new " + std::to_string(i), "new " + std::to_string(i)));
        }
    };
    int lock = -1;
    f.h.scripts().on("sam045.wsf", [&] {
        store_new(1, 2);
        lock = ::open(files::resolve(exchange::kTransferLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_EQ(::flock(lock, LOCK_EX), 0);
        throw test::Killed{};  // the program, while its component goes on
    });
    EXPECT_THROW(f.h.click("MAINFORM", "BUTTON3"), test::Killed);
    ASSERT_GE(lock, 0);
    bool waited_under_hourglass = false;
    // The start's wait polls the lock every 100 ms under the hourglass.
    f.h.clock().on_sleep = [&](int ms) {
        if (lock < 0 || ms != 100 || pf::form("MAINFORM").pointer != pf::MousePointer::Hourglass) return;
        waited_under_hourglass = true;
        store_new(3, 5);
        ::close(lock);  // the component ends
        lock = -1;
    };
    ASSERT_TRUE(f.h.restart());
    f.h.clock().on_sleep = nullptr;
    EXPECT_TRUE(waited_under_hourglass);
    for (int i = 1; i <= 5; ++i) rows.push_back(build_receive_row("s <s@example.jp>", " ", UNREAD_MARK() + "new " + std::to_string(i), ""));
    auto subjects = [&](const std::vector<std::string>& list) {
        std::vector<std::string> texts;
        for (const auto& row : list) texts.push_back(trim(subject_column(row)));
        return texts;
    };
    EXPECT_EQ(subjects(f.rows()), subjects(rows));
    EXPECT_EQ(load_list_cache("SYSTEM_F\\F_JU.txt"), f.rows());
    EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), 7u);
    EXPECT_EQ(pf::form("MAINFORM").pointer, pf::MousePointer::Arrow);
    EXPECT_TRUE(f.h.boxes().shown().empty());
    ASSERT_TRUE(f.h.restart());
    EXPECT_EQ(subjects(f.rows()), subjects(rows));

    store_new(6, 7);
    f.h.scripts().on("sam045.wsf", [&] { f.h.write("SYSTEM_F\\T_IN_DONE.txt", "DONE新着メールはありませんでした。\r\n"_sj); });
    f.h.click("MAINFORM", "BUTTON3");
    ASSERT_EQ(f.rows().size(), 9u);
    EXPECT_EQ(trim(subject_column(f.rows()[8])), UNREAD_MARK() + "new 7");
    EXPECT_EQ(f.status_texts().back().rfind("2通のメールを受信しました。"_sj, 0), 0u);
}

// A component still at work when the start's wait ends, before it stored any mail: the start keeps
// its note, and a later start lists what the component stored with the cache's marks kept.
TEST(Receive, AComponentStillAtWorkAfterTheWaitIsListedByALaterStart) {
    TransferFixture f;
    f.runs = {{{TransferFixture::mail("DATE: old 1", "old 1")}, "DONE1通のメールを受信しました。"_sj}};
    f.h.click("MAINFORM", "BUTTON3");
    std::vector<std::string> rows = f.rows();
    rows[0] = build_receive_row(trim(rows[0].substr(0, 50)), " ", "old 1", "");  // read by the user
    f.h.write_lines("SYSTEM_F\\F_JU.txt", rows);
    ASSERT_TRUE(f.h.restart());
    int lock = -1;
    f.h.scripts().on("sam045.wsf", [&] {
        lock = ::open(files::resolve(exchange::kTransferLockFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        ASSERT_EQ(::flock(lock, LOCK_EX), 0);
        throw test::Killed{};
    });
    EXPECT_THROW(f.h.click("MAINFORM", "BUTTON3"), test::Killed);
    ASSERT_TRUE(f.h.restart());  // waits its whole bound on the virtual clock
    EXPECT_TRUE(f.h.exists("SYSTEM_F\\.receive_under_way"));
    f.h.write_lines("JUSINBOX\\20261210_100001.eml", TransferFixture::mail("DATE: new 1", "new 1"));
    ::close(lock);
    ASSERT_TRUE(f.h.restart());
    ASSERT_EQ(f.rows().size(), 2u);
    EXPECT_EQ(trim(subject_column(f.rows()[0])), "old 1");
    EXPECT_EQ(trim(subject_column(f.rows()[1])), UNREAD_MARK() + "new 1");
    EXPECT_FALSE(f.h.exists("SYSTEM_F\\.receive_under_way"));
}

}  // namespace
}  // namespace tv::transfer
