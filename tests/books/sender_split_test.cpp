#include "books/sender_split.h"

#include <gtest/gtest.h>

#include "common/sjis.h"

namespace tv::books {
namespace {

using namespace tv::literals;

TEST(SenderSplit, NameAndAddressOfTheSenderText) {
    struct Case {
        std::string sender;
        bool address_book_name;
        AddressEntry split;
    };
    const std::string hyo = "表"_sj;  // its second byte is a backslash
    const Case cases[] = {
        {"\"Yamada Taro\" <taro@example.jp>", false, {"Yamada Taro", "taro@example.jp"}},
        {"  taro@example.jp ", false, {"taro@example.jp", "taro@example.jp"}},
        {"<taro@example.jp>", false, {"", "taro@example.jp"}},
        {"A <b> C <c@example.jp>", false, {"A <b> C", "c@example.jp"}},
        {"N <a@example.jp> ", false, {"N", "a@example.jp>"}},
        {"N < a@example.jp >", false, {"N", " a@example.jp "}},
        {"\" in quotes \" <q@example.jp>", false, {" in quotes ", "q@example.jp"}},
        {"\"q@example.jp\"", false, {"q@example.jp", "q@example.jp"}},  // the writer drops quotes
        {"N <", false, {"N", ""}},
        {"", false, {"", ""}},
        {"Yamada, Taro \\(Sales\\) <a@example.jp>", true, {"Yamada. Taro (Sales)", "a@example.jp"}},
        {"Yamada, Taro \\(Sales\\) <a@example.jp>", false, {"Yamada, Taro \\(Sales\\)", "a@example.jp"}},
        {"C:\\dir <a@example.jp>", true, {"C:\\dir", "a@example.jp"}},  // no "\(": backslashes stay
        {hyo + "\\(x\\) <a@example.jp>", true, {hyo + "(x)", "a@example.jp"}},
    };
    for (const auto& c : cases) EXPECT_EQ(split_sender(c.sender, c.address_book_name), c.split) << c.sender;
}

}  // namespace
}  // namespace tv::books
