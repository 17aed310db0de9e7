#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <span>

#include "books_fixture.h"
#include "common/flag_files.h"
#include "common/globals.h"

namespace tv::books {
namespace {

const std::string kPlaceholder = "\" \",\" \"\r\n";

std::string record(const std::string& name, const std::string& address) {
    return "\"" + name + "\",\"" + address + "\"\r\n";
}

struct AddressBookWindowTest : BooksTest {
    void open_with(const std::string& book) {
        if (!book.empty()) h.write(kAddressBook, book);
        open("ADDRESS");
    }
};

TEST_F(AddressBookWindowTest, OpensSortedAndClosesBothWays) {
    open_with(kPlaceholder + record("Zed", "z@example.jp") + record(" ", "\x81\x40") + record("Abe", "a@example.jp"));
    EXPECT_FALSE(pf::form("MAINFORM").enabled);
    EXPECT_TRUE(pf::form("FORM7").visible);
    EXPECT_EQ(rows(), (std::vector<std::string>{book_list_row({"Abe", "a@example.jp"}), book_list_row({"Zed", "z@example.jp"})}));
    h.click("FORM7", "BUTTON7");
    EXPECT_FALSE(pf::forms().is_loaded("FORM7"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    open("ADDRESS");
    pf::input::request_close(pf::form("FORM7"));
    h.settle();
    EXPECT_FALSE(pf::forms().is_loaded("FORM7"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
    EXPECT_EQ(pf::forms().child_slot(), "");
}

TEST_F(AddressBookWindowTest, AddCreatesTheBookAndEnterMovesBetweenBoxes) {
    open_with("");
    EXPECT_TRUE(rows().empty());
    type("EDIT9", "  Taro Yamada\r\n");
    EXPECT_EQ(box("EDIT9").text, "Taro Yamada");
    EXPECT_EQ(pf::form("FORM7").focused, "EDIT10");
    EXPECT_EQ(pf::form("FORM7").input_method, pf::InputMethod::Off);
    type("EDIT10", "Taro@Example.JP\r\n");
    EXPECT_EQ(box("EDIT10").text, "taro@example.jp");
    EXPECT_EQ(pf::form("FORM7").focused, "EDIT9");
    EXPECT_EQ(pf::form("FORM7").input_method, pf::InputMethod::Hiragana);
    h.click("FORM7", "BUTTON9");
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Taro Yamada", "taro@example.jp"));
    EXPECT_EQ(rows(), (std::vector<std::string>{book_list_row({"Taro Yamada", "taro@example.jp"})}));
    EXPECT_EQ(box("EDIT9").text, "");
    // A second add of the same address, typed with capitals and no Enter, is stored as typed.
    type("EDIT9", "Taro");
    type("EDIT10", "Taro@Example.JP");
    h.click("FORM7", "BUTTON9");
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Taro Yamada", "taro@example.jp") + record("Taro", "Taro@Example.JP"));
    EXPECT_TRUE(h.boxes().shown().empty());
}

TEST_F(AddressBookWindowTest, AddToABookOfBlankRecordsRewritesIt) {
    open_with(kPlaceholder + record(" ", " ") + record("", ""));
    type("EDIT9", "A \"quoted\" name");
    type("EDIT10", "a@example.jp");
    h.click("FORM7", "BUTTON9");
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("A quoted name", "a@example.jp"));
}

TEST_F(AddressBookWindowTest, MessagesOfTheAddOrEditButton) {
    open_with(kPlaceholder + record("Abe", "a@example.jp"));
    const std::string before = h.read(kAddressBook);
    h.click("FORM7", "BUTTON9");  // nothing selected, nothing typed
    expect_box("NOT EXIST DATA", "新規入力データまたは、編集データがありません。        "_sj);
    type("EDIT9", "only a name");
    h.click("FORM7", "BUTTON9");
    expect_box("BAD DATA", "表示名及びｅメール・アドレス、両方を入力して下さい。   "_sj);
    EXPECT_EQ(box("EDIT9").text, "only a name");  // kept
    click_row(0);
    type("EDIT9", " ");
    type("EDIT10", "");
    h.click("FORM7", "BUTTON9");
    expect_box("NOT EXIST DATA", "空欄では編集できません。        "_sj + "\r\n" + "データを削除する場合は、ダブルクリックして下さい。"_sj);
    EXPECT_EQ(list().selected(), -1);
    EXPECT_EQ(box("EDIT9").text, "");
    EXPECT_EQ(h.read(kAddressBook), before);
}

TEST_F(AddressBookWindowTest, ClickEditAndDeleteFindTheRecordTheRowShows) {
    const std::string sixty(60, 'L');
    // "a@example.jp" also stands inside the longer addresses: only the row's own record is touched.
    open_with(kPlaceholder + record("Abe", "xa@example.jp") + record(" Abe ", " a@example.jp") +
              record(sixty, "long@example.jp") + record("Abe", "a@example.jpx") + record("", "noname@example.jp"));
    std::vector<std::string> shown = rows();
    ASSERT_EQ(shown.size(), 5u);
    auto row_of = [&](const AddressEntry& e) {
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] == book_list_row(e)) return static_cast<int>(i);
        }
        return -1;
    };
    click_row(row_of({sixty, "long@example.jp"}));
    EXPECT_EQ(box("EDIT9").text, sixty);  // the whole name, not the cut one
    click_row(row_of({" Abe ", " a@example.jp"}));
    EXPECT_EQ(box("EDIT9").text, "Abe");
    EXPECT_EQ(box("EDIT10").text, "a@example.jp");
    type("EDIT9", "Abe Taro");
    h.click("FORM7", "BUTTON9");
    EXPECT_TRUE(pf::form("FORM7").enabled);
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Abe", "xa@example.jp") + record("Abe Taro", "a@example.jp") +
                                        record(sixty, "long@example.jp") + record("Abe", "a@example.jpx") +
                                        record("", "noname@example.jp"));
    EXPECT_EQ(list().selected(), -1);
    EXPECT_EQ(box("EDIT9").text, "");

    shown = rows();
    int noname = row_of({"", "noname@example.jp"});
    click_row(noname);
    EXPECT_EQ(box("EDIT10").text, "noname@example.jp");  // an empty name still finds its record
    h.boxes().answer_next(pf::MsgAnswer::Cancel);
    double_click_row(noname);
    expect_box("DELETE", "表示名："_sj + "\r\n" + "ｅメール・アドレス：noname@example.jp"_sj + "\r\n\r\n" +
                             "この１件のアドレスを削除します。   "_sj);
    EXPECT_EQ(list().selected(), -1);
    EXPECT_EQ(box("EDIT10").text, "");
    EXPECT_EQ(rows().size(), 5u);
    double_click_row(noname);  // OK
    shown = rows();
    double_click_row(row_of({"Abe Taro", "a@example.jp"}));
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Abe", "xa@example.jp") + record(sixty, "long@example.jp") +
                                        record("Abe", "a@example.jpx"));
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_TRUE(pf::form("FORM7").enabled);
    EXPECT_EQ(pf::form("FORM7").pointer, pf::MousePointer::Arrow);
}

// Bulk senders registered with the address as their name: the two rows show the same 50 bytes of
// name and address. Each row is its own record, the one in its place in the list.
TEST_F(AddressBookWindowTest, RowsThatLookAlikeAreTheirOwnRecords) {
    const std::string a = std::string(50, 'n') + "@a.example.jp";
    const std::string b = std::string(50, 'n') + "@b.example.jp";
    const std::string book = kPlaceholder + record(a, a) + record(b, b);
    open_with(book);
    ASSERT_EQ(rows().size(), 2u);
    ASSERT_EQ(rows()[0], rows()[1]);

    click_row(0);
    EXPECT_EQ(box("EDIT9").text, a);
    type("EDIT9", "Edited");
    h.click("FORM7", "BUTTON9");
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Edited", a) + record(b, b));

    h.write(kAddressBook, book);
    h.click("FORM7", "BUTTON7");
    open("ADDRESS");
    click_row(1);
    EXPECT_EQ(box("EDIT10").text, b);
    click_row(0);
    double_click_row(0);  // OK to the confirmation
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record(b, b));
}

// A book written elsewhere with LF line ends, or without the placeholder record, loses nothing.
TEST_F(AddressBookWindowTest, ABookIsReadLineByLineAndNothingOfItIsLost) {
    open_with("\" \",\" \"\n\"Abe\",\"a@example.jp\"\n\"Ito\",\"i@example.jp\"\n");
    EXPECT_EQ(rows(), (std::vector<std::string>{book_list_row({"Abe", "a@example.jp"}), book_list_row({"Ito", "i@example.jp"})}));
    type("EDIT9", "Ueda");
    type("EDIT10", "u@example.jp");
    h.click("FORM7", "BUTTON9");
    EXPECT_EQ(read_book(kAddressBook), (std::vector<AddressEntry>{{"Abe", "a@example.jp"}, {"Ito", "i@example.jp"},
                                                                  {"Ueda", "u@example.jp"}}));
    EXPECT_EQ(rows().size(), 3u);
    h.click("FORM7", "BUTTON7");

    // Its first line is an entry, not the placeholder: the add keeps it.
    const std::string entry_first = record("Abe", "a@example.jp");
    open_with(entry_first);
    EXPECT_TRUE(rows().empty());
    type("EDIT9", "Ueda");
    type("EDIT10", "u@example.jp");
    h.click("FORM7", "BUTTON9");
    EXPECT_EQ(h.read(kAddressBook), entry_first + record("Ueda", "u@example.jp"));
}

// A book another program wrote with LF line ends, longer than the longest line of a text file:
// every record is listed, and a delete writes back every other record.
TEST_F(AddressBookWindowTest, ALongLfBookIsListedWholeAndADeleteKeepsEveryOtherRecord) {
    std::string lf_book = "\" \",\" \"\n";
    std::string kept = kPlaceholder;
    for (int i = 1; i <= 1000; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        const std::string name = std::string("Member ") + number;
        const std::string address = std::string("member") + number + "@mail.example.jp";
        lf_book += "\"" + name + "\",\"" + address + "\"\n";
        if (i != 500) kept += record(name, address);
    }
    ASSERT_GT(lf_book.size(), 32767u);
    open_with(lf_book);
    ASSERT_EQ(rows().size(), 1000u);
    EXPECT_EQ(rows().back(), book_list_row({"Member 1000", "member1000@mail.example.jp"}));
    click_row(499);
    ASSERT_EQ(box("EDIT10").text, "member0500@mail.example.jp");
    double_click_row(499);  // OK to the confirmation
    EXPECT_EQ(h.read(kAddressBook), kept);
    EXPECT_EQ(rows().size(), 999u);
}

// A second click on "新規・編集" made while the first one's add runs waits in the window system
// until the add is done. The window took no input while it was busy, so that click is dropped: the
// entry is stored once, and no box says that nothing was typed.
TEST_F(AddressBookWindowTest, AnAddIsStoredOnce) {
    struct SecondClickWhileBusy : pf::FormsView {
        test::Harness& h;
        bool clicked = false;
        explicit SecondClickWhileBusy(test::Harness& harness) : h(harness) { pf::services().view = this; }
        ~SecondClickWhileBusy() override { pf::services().view = nullptr; }
        void form_changed(pf::Form& f) override {
            if (f.name() != "FORM7" || f.enabled || clicked) return;
            clicked = true;
            h.platform.window_system.post_message([] { pf::input::click(pf::form("FORM7").control("BUTTON9")); });
        }
        void drawing_changed(pf::Form&) override {}
        void control_changed(pf::Form&, pf::Control&) override {}
    };
    std::string book = kPlaceholder;
    for (int i = 0; i < 5; ++i) book += record("N" + std::to_string(i), "m" + std::to_string(i) + "@example.jp");
    open_with(book);
    type("EDIT9", "New");
    type("EDIT10", "new@example.jp");
    {
        SecondClickWhileBusy second_click(h);
        h.click("FORM7", "BUTTON9");
        EXPECT_TRUE(second_click.clicked);
    }
    EXPECT_EQ(h.platform.window_system.waiting(), 0u);
    EXPECT_TRUE(h.boxes().shown().empty());
    EXPECT_EQ(read_book(kAddressBook).size(), 6u);
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_TRUE(pf::form("FORM7").enabled);
}

TEST_F(AddressBookWindowTest, AnEntryGoneFromTheFileIsReported) {
    open_with(kPlaceholder + record("Abe", "a@example.jp") + record("Ito", "i@example.jp"));
    click_row(0);
    h.write(kAddressBook, kPlaceholder + record("Ito", "i@example.jp"));  // changed behind the window
    const std::string behind = h.read(kAddressBook);
    type("EDIT9", "Abe Taro");
    h.click("FORM7", "BUTTON9");
    expect_box("NOT EXIST DATA", not_found_text());
    EXPECT_EQ(h.read(kAddressBook), behind);
    EXPECT_EQ(rows(), (std::vector<std::string>{book_list_row({"Ito", "i@example.jp"})}));
    EXPECT_TRUE(pf::form("FORM7").enabled);
    h.write(kAddressBook, kPlaceholder + record("Ueda", "u@example.jp"));
    double_click_row(0);  // OK to the confirmation, then the report
    ASSERT_EQ(h.boxes().shown().size(), 2u);
    EXPECT_EQ(h.boxes().shown()[1].text, not_found_text());
    EXPECT_EQ(h.read(kAddressBook), kPlaceholder + record("Ueda", "u@example.jp"));
}

TEST_F(AddressBookWindowTest, ChangesKeepTheScrollRow) {
    std::string book = kPlaceholder;
    for (int i = 0; i < 40; ++i) book += record("Name" + std::to_string(10 + i), "m" + std::to_string(10 + i) + "@example.jp");
    open_with(book);
    pf::input::scroll_list(list(), 12);
    click_row(15);
    type("EDIT9", "Name25x");
    h.click("FORM7", "BUTTON9");  // edit
    EXPECT_EQ(list().top_index(), 12);
    type("EDIT9", "New");
    type("EDIT10", "new@example.jp");
    h.click("FORM7", "BUTTON9");  // add
    EXPECT_EQ(list().top_index(), 12);
    double_click_row(14);  // delete
    EXPECT_EQ(list().top_index(), 12);
    EXPECT_EQ(rows().size(), 40u);
}

// An add queued while the window loads: the list holds every entry once.
TEST_F(AddressBookWindowTest, AnAddOrACloseQueuedWhileTheWindowOpensActsOnceItIsOpen) {
    std::string book = kPlaceholder;
    for (int i = 0; i < 5; ++i) book += record("N" + std::to_string(i), "m" + std::to_string(i) + "@example.jp");
    h.write(kAddressBook, book);
    h.run_trapped([] { pf::handlers().run("ADDRESS_ON"); });
    pf::event_queue().post(pf::Event{"typed", [] {
        pf::Form& f = pf::form("FORM7");
        f.control("EDIT9").text = "Late";
        f.control("EDIT10").text = "late@example.jp";
    }});
    pf::event_queue().post("BUTTON9_ON");
    h.settle();
    EXPECT_EQ(rows().size(), 6u);
    // A close queued while it loads closes it.
    h.run_trapped([] { pf::handlers().run("BUTTON7_ON"); });
    h.run_trapped([] { pf::handlers().run("ADDRESS_ON"); });
    pf::event_queue().post("BUTTON7_ON");
    h.settle();
    EXPECT_FALSE(pf::forms().is_loaded("FORM7"));
    EXPECT_TRUE(pf::form("MAINFORM").enabled);
}

// What a view is told while a book window opens: each change of the list's rows with the window's
// pointer at that moment, and what events queued when the hourglass went up find when they run.
struct FillWatch : pf::FormsView {
    std::string form, list;
    std::uint64_t revision = 0;
    std::vector<pf::MousePointer> pointer_at_row_change;
    std::vector<int> rows_found_by_events;
    bool queued = false;

    FillWatch(std::string form_name, std::string list_name) : form(std::move(form_name)), list(std::move(list_name)) {
        pf::services().view = this;
    }
    ~FillWatch() override { pf::services().view = nullptr; }
    void form_changed(pf::Form& f) override {
        if (f.name() != form || f.pointer != pf::MousePointer::Hourglass || queued) return;
        queued = true;
        for (int i = 0; i < 3; ++i) {
            pf::event_queue().post(pf::Event{"look", [this] {
                rows_found_by_events.push_back(pf::form(form).control(list).count());
            }});
        }
    }
    void drawing_changed(pf::Form&) override {}
    void control_changed(pf::Form& f, pf::Control& c) override {
        if (f.name() != form || c.name() != list || c.rows_revision() == revision) return;
        revision = c.rows_revision();
        pointer_at_row_change.push_back(f.pointer);
    }
};

// The book windows as a test opens them from the menu and edits an entry in them.
struct BookUnderTest {
    const char* menu;
    const char* form;
    const char* list;
    const char* name_box;
    const char* address_box;
    const char* button;  // the add-or-edit button
    const char* book;
    bool sorted;          // rows sorted, or in file order
    const char* caption;  // UTF-8
};
const BookUnderTest kBookWindows[] = {
    {"ADDRESS", "FORM7", "LIST7", "EDIT9", "EDIT10", "BUTTON9", kAddressBook, true, "アドレス帳"},
    {"KYOHI_ADDRESS", "FORM12", "LIST16", "EDIT16", "EDIT17", "BUTTON36", kRejectBook, false, "転送(返信)拒否アドレス帳"},
    {"TOKUTEI_SASI", "FORM14", "LIST22", "EDIT23", "EDIT24", "BUTTON47", kSpecificSenderBook, false, "特定差出人アドレス帳"},
    {"YUUSENHENSINKYOHI", "FORM14", "LIST22", "EDIT23", "EDIT24", "BUTTON47", kPriorityRejectBook, false,
     "優先的返信拒否アドレス帳"},
};

// A book of 5,000 entries opens with every row at once: the list changes in one step under the
// hourglass, no event runs in the middle of the fill, and each row acts on its own record.
TEST_F(BooksTest, ALongBookIsListedAtOnceInEveryWindow) {
    constexpr int kEntries = 5000;
    auto entry = [](int n) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", n);
        return AddressEntry{std::string("Member ") + number, std::string("m") + number + "@example.jp"};
    };
    // Written out of order (7919 is prime to 5000), so that sorted rows are not the file's.
    std::vector<AddressEntry> written;
    std::string book = kPlaceholder;
    for (int i = 0; i < kEntries; ++i) {
        written.push_back(entry(i * 7919 % kEntries));
        book += record(written.back().name, written.back().address);
    }
    for (const auto& c : kBookWindows) {
        SCOPED_TRACE(c.menu);
        h.write(c.book, book);
        std::vector<AddressEntry> shown_order = written;
        if (c.sorted) {
            for (int n = 0; n < kEntries; ++n) shown_order[static_cast<std::size_t>(n)] = entry(n);
        }
        {
            FillWatch watch(c.form, c.list);
            open(c.menu);
            list_name = c.list;
            EXPECT_LE(watch.pointer_at_row_change.size(), 2u);  // cleared and filled, not 5,000 inserts
            EXPECT_EQ(std::count(watch.pointer_at_row_change.begin(), watch.pointer_at_row_change.end(),
                                 pf::MousePointer::Hourglass),
                      static_cast<std::ptrdiff_t>(watch.pointer_at_row_change.size()));
            EXPECT_EQ(watch.rows_found_by_events, std::vector<int>(3, kEntries));
        }
        EXPECT_NE(pf::form(c.form).pointer, pf::MousePointer::Hourglass);
        std::vector<std::string> expected;
        for (const auto& e : shown_order) expected.push_back(book_list_row(e));
        ASSERT_EQ(rows(), expected);

        // The rows carry their records: a click fills the boxes from it, a delete removes it alone.
        const int row = 1234;
        click_row(row);
        EXPECT_EQ(box(c.name_box).text, shown_order[row].name);
        double_click_row(row);  // OK to the confirmation
        std::vector<AddressEntry> kept = written;
        kept.erase(std::find(kept.begin(), kept.end(), shown_order[row]));
        EXPECT_EQ(read_book(c.book), kept);
        shown_order.erase(shown_order.begin() + row);
        EXPECT_EQ(rows().size(), shown_order.size());
        EXPECT_EQ(rows()[row], book_list_row(shown_order[row]));
        pf::input::request_close(pf::form(c.form));
        h.settle();
        h.boxes().clear();
    }
}

// Every key that moves the highlight fills the boxes from the highlighted entry, as a click does,
// and an edit then changes that entry: in each window, on a book of many pages.
TEST_F(BooksTest, KeysFillTheBoxesFromTheHighlightedEntryInEveryWindow) {
    // In file order and in sorted order alike.
    std::vector<AddressEntry> entries;
    std::string book = kPlaceholder;
    for (int i = 0; i < 300; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04d", i);
        entries.push_back({std::string("Member ") + number, std::string("m") + number + "@example.jp"});
        book += record(entries.back().name, entries.back().address);
    }
    using Key = pf::input::ListKey;
    // The keys, each with the row it highlights (16 rows are shown).
    const std::pair<Key, int> presses[] = {
        {Key::End, 299},     {Key::Home, 0}, {Key::PageDown, 15}, {Key::PageDown, 30}, {Key::Down, 31},
        {Key::PageUp, 16}, {Key::Up, 15},  {Key::End, 299},     {Key::Up, 298},
    };
    for (const auto& c : kBookWindows) {
        SCOPED_TRACE(c.menu);
        h.write(c.book, book);
        open(c.menu);
        list_name = c.list;
        click_row(2);
        for (auto [key, row] : presses) {
            SCOPED_TRACE(row);
            h.press_list_key(c.form, c.list, key);
            ASSERT_EQ(list().selected(), row);
            EXPECT_EQ(box(c.name_box).text, entries[row].name);
            EXPECT_EQ(box(c.address_box).text, entries[row].address);
        }
        type(c.name_box, "Edited");
        h.click(c.form, c.button);
        std::vector<AddressEntry> edited = entries;
        edited[298].name = "Edited";
        EXPECT_EQ(read_book(c.book), edited);
        pf::input::request_close(pf::form(c.form));
        h.settle();
    }
}

struct OtherBookWindowTest : BooksTest {};

// The same mechanics on the other windows: their own file, rows in file order.
TEST_F(OtherBookWindowTest, EachWindowEditsItsOwnBookInFileOrder) {
    for (const auto& c : std::span(kBookWindows).subspan(1)) {
        h.write(c.book, kPlaceholder + record("Zed", "z@example.jp"));
        open(c.menu);
        pf::Form& f = pf::form(c.form);
        EXPECT_EQ(f.caption, sj(c.caption));
        f.control(c.name_box).text = "Abe";
        f.control(c.address_box).text = "a@example.jp";
        h.click(c.form, c.button);
        EXPECT_EQ(h.read(c.book), kPlaceholder + record("Zed", "z@example.jp") + record("Abe", "a@example.jp")) << c.book;
        EXPECT_EQ(h.rows(c.form, c.list),
                  (std::vector<std::string>{book_list_row({"Zed", "z@example.jp"}), book_list_row({"Abe", "a@example.jp"})}));
        pf::input::double_click_row(f.control(c.list), 0);
        h.settle();
        EXPECT_EQ(h.read(c.book), kPlaceholder + record("Abe", "a@example.jp")) << c.book;
        pf::input::request_close(f);
        h.settle();
        EXPECT_TRUE(pf::form("MAINFORM").enabled);
    }
    EXPECT_EQ(globals().SENDER_BOOK_KIND, 2);
    EXPECT_EQ(h.read(kAddressBook), "");  // untouched
}

TEST_F(OtherBookWindowTest, RejectOptionsAreFlagRecords) {
    open("KYOHI_ADDRESS");
    EXPECT_FALSE(pf::form("FORM12").control("CHECK5").checked);
    EXPECT_TRUE(h.exists("SYSTEM_F\\KYOHI_TENSOU"));
    EXPECT_EQ(h.read("SYSTEM_F\\KYOHI_HENSIN"), "");
    h.click("FORM12", "CHECK5");
    const std::string on = "1" + std::string(19, ' ') + std::string(236, '\0');
    EXPECT_EQ(h.read("SYSTEM_F\\KYOHI_TENSOU"), on);
    EXPECT_EQ(globals().REJECT_ALLOW_FORWARD, "1");
    h.click("FORM12", "CHECK6");
    h.click("FORM12", "CHECK6");
    EXPECT_EQ(h.read("SYSTEM_F\\KYOHI_HENSIN"), "0" + std::string(19, ' ') + std::string(236, '\0'));
    EXPECT_EQ(globals().REJECT_ALLOW_REPLY, "0");
    h.click("FORM12", "BUTTON35");
    write_flag_record("SYSTEM_F\\KYOHI_HENSIN", "2");
    open("KYOHI_ADDRESS");
    EXPECT_TRUE(pf::form("FORM12").control("CHECK5").checked);
    EXPECT_TRUE(pf::form("FORM12").control("CHECK6").checked);  // any value above 0 ticks the box
    EXPECT_EQ(numeric_value(globals().REJECT_ALLOW_REPLY), 2);
}

}  // namespace
}  // namespace tv::books
