#include <gtest/gtest.h>

#include <algorithm>

#include "books_fixture.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/text_file.h"
#include "store/receive_list.h"

namespace tv::books {
namespace {

const std::string kPlaceholder = "\" \",\" \"\r\n";
const char* const kMailName = "20261210_090000_0001.txt";
const char* const kTrashFolder = "GOMIBAKO\\JUSIN_FO";
const char* const kHobbyFolder = "SYSTEM_F\\FORDA_FO\\HOBBY\\JUSIN_FO";

// The trash and folder windows as far as a registration sees them: a received-mail list and the
// hidden list of its file names.
void define_stand_in(const char* form, const char* list, const char* files) {
    pf::forms().define(form, [=](pf::Form& f) {
        f.width = 632;
        f.height = 700;
        pf::Control& shown = f.add(list, pf::ControlKind::ListBox);
        shown.x = 12, shown.y = 78, shown.width = 600, shown.height = 280;
        f.add(files, pf::ControlKind::ListBox).visible = false;
    });
    pf::handlers().set(std::string(form) + "_START", [] {});
}

struct RegistrationTest : BooksTest {
    RegistrationTest() {
        h.install_fake_parser();
        h.add_mail("JUSINBOX", kMailName, "2026/12/10 09:00:00", "\"Yamada, Taro\" <taro@example.jp>", "Hello");
    }

    // Shows the trash (folder_no 0) or a folder window holding one mail from `from`, selected.
    void show_mail_window(int folder_no, const std::string& from) {
        const bool trash = folder_no == 0;
        const char* form = trash ? "FORM8" : "FORM16";
        define_stand_in(form, trash ? "LIST10" : "LIST27", trash ? "LIST8" : "LIST25");
        h.add_mail(trash ? kTrashFolder : kHobbyFolder, kMailName, "2026/12/09 08:00:00", from, "Old");
        pf::forms().load(form);
        pf::form(form).show();
        pf::form(form).control(trash ? "LIST8" : "LIST25").add_item(kMailName);
        pf::Control& list = pf::form(form).control(trash ? "LIST10" : "LIST27");
        list.add_item("the mail's row");
        list.select(0);
        globals().TRASH_WINDOW_OPEN = trash ? 1 : 0;
        globals().FOLDER_WINDOW_OPEN = trash ? 0 : 1;
        globals().FOLDER_NO = folder_no;
        h.settle();
    }
    void select_receive_row() { store::receive_list().select(0); }

    // Runs a registration as its popup item or button does; `nested` is queued behind it.
    void run(const std::string& handler, std::function<void()> nested = {}) {
        pf::event_queue().post(handler);
        if (nested) pf::event_queue().post(pf::Event{"nested", std::move(nested)});
        h.settle();
    }
};

TEST_F(RegistrationTest, EveryRegistrationPutsTheSenderInItsBook) {
    struct Case {
        const char* handler;
        int folder_no;  // -1: the receive box
        const char* book;
        const char* title;
        const char* sentence;
        const char* name;          // shown and stored: the address book's name where the row looks it up
        bool events_while_parsing;
        int pauses;                // of 20 ms before the question, the old request and result on disk
    };
    const Case cases[] = {
        // The address book first: it turns the commas of the mail's name into full stops, and the
        // other books then take that name from it.
        {"BUTTON10_ON", -1, kAddressBook, "アドレス帳に登録", "この１件のアドレスをアドレス帳に登録します。  ",
         "Yamada. Taro", true, 4},
        {"BUTTON34_ON", -1, kRejectBook, "転送(返信)拒否アドレス帳に登録",
         "この１件のメールを転送(返信)拒否アドレス帳に登録します。  ", "Yamada. Taro", true, 4},
        {"YUUSENTEKI_TORO", -1, kPriorityRejectBook, "優先的返信拒否アドレス帳に登録",
         "この１件のメールを優先的返信拒否アドレス帳に登録します。  ", "Yamada. Taro", true, 4},
        {"BUTTON49_ON", -1, kSpecificSenderBook, "特定差出人アドレス帳に登録",
         "この１件のメールを特定差出人アドレス帳に登録します。  ", "Yamada. Taro", false, 4},
        {"ADO_TOUROKU_GOMI_F", 0, kAddressBook, "アドレス帳に登録", "この１件のアドレスをアドレス帳に登録します。  ",
         "Sato. Jiro", true, 3},
        {"GOMI_KYOHI", 3, kRejectBook, "転送(返信)拒否アドレス帳に登録",
         "この１件のメールを転送(返信)拒否アドレス帳に登録します。  ", "Sato. Jiro", true, 4},
        {"GOMI_YUUSEN", 0, kPriorityRejectBook, "優先的返信拒否アドレス帳に登録",
         "この１件のメールを優先的返信拒否アドレス帳に登録します。  ", "Sato. Jiro", true, 3},
        {"GOMI_TOKUTEI", 3, kSpecificSenderBook, "特定差出人アドレス帳に登録",
         "この１件のメールを特定差出人アドレス帳に登録します。  ", "Sato. Jiro", true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handler);
        const bool receive_box = c.folder_no < 0;
        const std::string address = receive_box ? "taro@example.jp" : "jiro@example.jp";
        const std::string window = receive_box ? "MAINFORM" : c.folder_no == 0 ? "FORM8" : "FORM16";
        if (receive_box) {
            select_receive_row();
        } else {
            show_mail_window(c.folder_no, "\"Sato, Jiro\" <jiro@example.jp>");
        }
        const std::string before = h.read(c.book);
        h.write("SYSTEM_F\\CHECK.txt", "old request\r\n");
        h.write("SYSTEM_F\\YOMITORI.txt", "old result\r\n");
        h.clock().reset_pauses();
        bool nested_ran = false;
        bool ran_before_question = false;
        std::vector<int> pauses;
        h.boxes().while_shown = [&](const pf::MessageBoxRequest& box) {
            ran_before_question = nested_ran;
            pauses = h.clock().pauses();
            EXPECT_FALSE(pf::form(window).enabled);  // the window waits while the registration runs
            EXPECT_EQ(box.owner, window);
        };
        run(c.handler, [&] { nested_ran = true; });
        h.boxes().while_shown = nullptr;
        expect_box(sj(c.title), "差出人： "_sj + c.name + "\r\n" + "ｅメール・アドレス： "_sj + address + "\r\n\r\n" +
                                    sj(c.sentence));
        EXPECT_EQ(ran_before_question, c.events_while_parsing);
        // The receive box's registrations and the trash's reject-book one delete the old request
        // before writing the new one; the others write it afresh.
        EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 20), c.pauses);
        EXPECT_EQ(h.read(c.book), (before.empty() ? kPlaceholder : before) + "\"" + c.name + "\",\"" + address + "\"\r\n");
        std::string folder = receive_box ? "JUSINBOX" : c.folder_no == 0 ? kTrashFolder : kHobbyFolder;
        EXPECT_EQ(files::read_first_line("SYSTEM_F\\CHECK.txt"), folder + "\\" + kMailName);
        EXPECT_EQ(globals().MAIL_FILE_NAME, kMailName);
        pf::Form& f = pf::form(window);
        EXPECT_TRUE(f.enabled);
        EXPECT_EQ(f.pointer, pf::MousePointer::Arrow);
        EXPECT_EQ(f.control(receive_box ? "LIST3" : c.folder_no == 0 ? "LIST10" : "LIST27").selected(), -1);
        if (!receive_box) pf::forms().unload(window);
    }
}

TEST_F(RegistrationTest, CancelDuplicateAndNoSelection) {
    select_receive_row();
    h.boxes().answer_next(pf::MsgAnswer::Cancel);
    run("BUTTON34_ON");
    EXPECT_FALSE(h.exists(kRejectBook));
    EXPECT_EQ(store::receive_list().selected(), -1);
    h.boxes().clear();

    h.write(kRejectBook, kPlaceholder + "\"T\",\" taro@example.jp \"\r\n");
    select_receive_row();
    run("BUTTON34_ON");
    ASSERT_EQ(h.boxes().shown().size(), 2u);
    EXPECT_EQ(h.boxes().shown()[1].title, "ALREADY EXIST");
    EXPECT_EQ(h.boxes().shown()[1].text, "このアドレスは既に転送(返信)拒否アドレス帳に登録されています。     "_sj);
    EXPECT_EQ(h.read(kRejectBook), kPlaceholder + "\"T\",\" taro@example.jp \"\r\n");
    EXPECT_EQ(store::receive_list().selected(), 0);  // kept
    h.boxes().clear();

    store::receive_list().select(-1);
    run("BUTTON10_ON");
    expect_box("NOT SELECT", "差出人が選択されていません。　"_sj);
    run("YUUSENTEKI_TORO");
    expect_box("NOT SELECT", "受信メールを選択して下さい。    "_sj);
    // From the trash or a folder with neither window open: nothing at all.
    int parses = h.scripts().starts("sam046.wsf");
    run("GOMI_KYOHI");
    EXPECT_TRUE(h.boxes().shown().empty());
    EXPECT_EQ(h.scripts().starts("sam046.wsf"), parses);
}

// Books another program wrote with LF line ends, longer than the longest line of a text file: the
// sender in the last record is already there.
TEST_F(RegistrationTest, TheLastRecordOfALongLfBookIsAlreadyThere) {
    struct Case {
        const char* handler;
        const char* book;
        const char* already;
    };
    const Case cases[] = {
        {"BUTTON10_ON", kAddressBook, "このアドレスは既にアドレス帳に登録されています。     "},
        {"BUTTON34_ON", kRejectBook, "このアドレスは既に転送(返信)拒否アドレス帳に登録されています。     "},
        {"YUUSENTEKI_TORO", kPriorityRejectBook, "このアドレスは既に優先的返信拒否アドレス帳に登録されています。     "},
        {"BUTTON49_ON", kSpecificSenderBook, "このアドレスは既に特定差出人アドレス帳に登録されています。     "},
    };
    std::string book = "\" \",\" \"\n";
    for (int i = 1; book.size() <= 40000; ++i) {
        book += "\"Sender " + std::to_string(i) + "\",\"sender" + std::to_string(i) + "@example.jp\"\n";
    }
    book += "\"Taro\",\"taro@example.jp\"\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handler);
        h.write(c.book, book);
        select_receive_row();
        run(c.handler);
        ASSERT_EQ(h.boxes().shown().size(), 2u);  // the question, then the answer
        EXPECT_EQ(h.boxes().shown()[1].title, "ALREADY EXIST");
        EXPECT_EQ(h.boxes().shown()[1].text, sj(c.already));
        EXPECT_EQ(h.read(c.book), book);
        h.boxes().clear();
        files::remove_file(c.book);
    }
}

TEST_F(RegistrationTest, AnUnusableSenderIsRefused) {
    for (const char* from : {"Yamada <", "", "can not read mail !"}) {
        SCOPED_TRACE(from);
        h.add_mail("JUSINBOX", kMailName, "2026/12/10 09:00:00", from, "Hello");
        select_receive_row();
        run("BUTTON49_ON");
        expect_box("NOT EXIST ADDRESS", "差出人のｅメール・アドレスがありません。    "_sj + "\r\n" + "登録できません。"_sj);
        EXPECT_FALSE(h.exists(kSpecificSenderBook));
        EXPECT_TRUE(pf::form("MAINFORM").enabled);
    }
}

TEST_F(RegistrationTest, AResultCutShortTouchesNoBook) {
    // The parse script writes a result that never reaches its end line.
    h.scripts().on("sam046.wsf", [this] { h.write_lines("SYSTEM_F\\YOMITORI.txt", {"DATE: x", "FROM: a@example.jp"}); });
    show_mail_window(0, "a@example.jp");
    run("GOMI_YUUSEN");
    expect_box("NOT READ", "メールを読み取れませんでした。    "_sj);
    EXPECT_FALSE(h.exists(kPriorityRejectBook));
    EXPECT_TRUE(pf::form("FORM8").enabled);
    EXPECT_EQ(pf::form("FORM8").pointer, pf::MousePointer::Arrow);
}

}  // namespace
}  // namespace tv::books
