// The program started on the headless platform, with helpers for the book windows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/address_book.h"
#include "harness/harness.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/platform.h"

namespace tv::books {

using namespace tv::literals;
namespace pf = tv::platform;

struct BooksTest : ::testing::Test {
    test::Harness h;
    std::string window = "FORM7";
    std::string list_name = "LIST7";

    // Fixtures put their files in place in their constructors; the program starts after them.
    void SetUp() override {
        h.start();
        h.boxes().clear();
    }

    // Opens a book window from its menu-bar item.
    void open(const std::string& menu_item) {
        h.click("MAINFORM", menu_item);
        window = pf::forms().child_slot();
    }
    pf::Control& box(const std::string& name) { return pf::form(window).control(name); }
    pf::Control& list() { return pf::form(window).control(list_name); }
    std::vector<std::string> rows() { return h.rows(window, list_name); }
    void type(const std::string& name, const std::string& text) {
        pf::input::focus(box(name));
        pf::input::change_text(box(name), text);
        h.settle();
    }
    void click_row(int row) { h.click_row(window, list_name, row); }
    void double_click_row(int row) {
        pf::input::double_click_row(list(), row);
        h.settle();
    }
    // The one box shown since the last look.
    void expect_box(const std::string& title, const std::string& text) {
        ASSERT_EQ(h.boxes().shown().size(), 1u);
        EXPECT_EQ(h.boxes().shown()[0].title, title);
        EXPECT_EQ(h.boxes().shown()[0].text, text);
        h.boxes().clear();
    }
    static std::string not_found_text() {
        return "選択されたデータがファイルに見つかりません。    "_sj + "\r\n" + "アドレス帳が他で変更された可能性があります。"_sj;
    }
};

}  // namespace tv::books
