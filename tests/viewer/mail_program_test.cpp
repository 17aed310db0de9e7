// Opening a mail of the main lists in the desktop's mail program through a copy in SYSTEM_F\DUSEACT.
#include <gtest/gtest.h>

#include "platform/events.h"
#include "store/mail_program.h"
#include "store/receive_list.h"
#include "viewer_program.h"

namespace tv::viewer::test {
namespace {

TEST(MailProgram, TheCopysName) {
    struct Case { const char* mail, *copy; };
    for (auto c : {Case{"JUSINBOX\\20261201_100001.eml", "SYSTEM_F\\DUSEACT\\20261201_100001.eml"},
                   Case{"SOUSINBOX\\a.b.txt", "SYSTEM_F\\DUSEACT\\a.b.eml"},
                   Case{"SOUSINBOX\\plain", "SYSTEM_F\\DUSEACT\\plain.eml"}}) {
        EXPECT_EQ(store::mail_copy_path(c.mail), c.copy) << c.mail;
    }
}

struct MailProgramTest : ::testing::Test {
    ViewerProgram p;
    void SetUp() override { p.start(); }
    void run(const char* handler) {
        p.h.run_trapped([handler] { pf::handlers().run(handler); });
    }
    std::string copy(const std::string& name) { return "SYSTEM_F\\DUSEACT\\" + name; }
};

TEST_F(MailProgramTest, OpensACopyOfTheSelectedMail) {
    store::receive_list().select(1);
    run("BUTTON24_ON");
    EXPECT_EQ(p.h.platform.shell.documents, Strings{copy(mail_name(2))});
    // Handed to the desktop's program for mail, whatever the stored mail's first header is.
    EXPECT_EQ(p.h.platform.shell.document_types, Strings{"message/rfc822"});
    EXPECT_EQ(p.h.read(copy(mail_name(2))), p.h.read("JUSINBOX\\" + mail_name(2)));
    pf::Form& main = pf::form("MAINFORM");
    EXPECT_TRUE(main.minimized);
    EXPECT_EQ(main.pointer, pf::MousePointer::Arrow);
    // The File menu opens both selections, the received mail first.
    main.set_window_state(pf::WindowState::Normal);
    p.control("MAINFORM", "LIST1").select(0);
    p.h.click("MAINFORM", "WIN_OPEN");
    EXPECT_EQ(p.h.platform.shell.documents,
              (Strings{copy(mail_name(2)), copy(mail_name(2)), copy("20261201_200001.eml")}));
    EXPECT_TRUE(p.h.boxes().shown().empty());
}

TEST_F(MailProgramTest, NothingSelectedAMissingMailOrNoProgramIsTold) {
    run("BUTTON25_ON");
    p.h.click("MAINFORM", "WIN_OPEN");
    EXPECT_EQ(p.titles(), (Strings{"NOT SELECT", "NOT SELECT"}));
    EXPECT_EQ(p.h.boxes().shown()[0].text, "メールが選択されていません。    "_sj);
    // A copy left from an earlier opening is not opened in place of a mail that is gone.
    p.h.write(copy(mail_name(1)), "stale");
    std::filesystem::remove(p.h.folder / "JUSINBOX" / mail_name(1));
    store::receive_list().select(0);
    run("BUTTON24_ON");
    p.h.platform.shell.types_without_program.insert("message/rfc822");
    p.control("MAINFORM", "LIST1").select(0);
    run("BUTTON25_ON");
    EXPECT_EQ(p.titles(), (Strings{"NOT SELECT", "NOT SELECT", "NOT EXIST FILE !", "OPEN ERROR !"}));
    EXPECT_EQ(p.h.boxes().shown()[3].text, "メールを開くメールソフトが設定されていません。    "_sj);
    EXPECT_TRUE(p.h.platform.shell.documents.empty());
    EXPECT_FALSE(pf::form("MAINFORM").minimized);
    EXPECT_EQ(pf::form("MAINFORM").pointer, pf::MousePointer::Arrow);
    EXPECT_FALSE(p.h.program_ended());
}

}  // namespace
}  // namespace tv::viewer::test
