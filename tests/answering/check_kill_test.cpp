// An answering check killed at any file change (as a shutdown or a logout kills it), then the
// program started again and the mode with it: the check's mail is forwarded and answered as if no
// kill had come, but for the one step the kill stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "answering_program.h"
#include "common/exchange_files.h"
#include "common/list_row_columns.h"
#include "common/receive_list_row.h"
#include "common/sjis.h"
#include "harness/file_faults.h"

namespace tv::test {
namespace {

using namespace tv::literals;
namespace pf = tv::platform;

// The subject of a request, without its prefix, and its recipient.
struct Sent {
    std::string to;
    std::string subject;
};

std::string subject_column(const std::string& row) {
    return row.substr(kReceiveColumns.address + 6, kReceiveColumns.subject);
}

Sent sent(const std::string& request, std::string_view prefix) {
    auto lines = files::split_lines(request);
    return {lines[0].substr(3), lines[2].substr(std::string_view("SUBJECT:").size() + prefix.size())};
}

// Every mail the killed check received is forwarded once, but the one whose forward the kill caught
// as it was handed over (the last mail handed over, no other mail written for the send since),
// which may go twice; no sender is answered twice in the day, also by a later mail; the
// day's reply log holds each sender once, and at most the one reply the kill stopped is missing
// from the sends; the receive list, the records and the cache follow the box, every row with the
// mode's mark; nothing is left in the answering log.
TEST(CheckKill, EveryMailIsForwardedAndNoSenderIsAnsweredTwice) {
    const std::map<std::string, std::string> sender_of{
        {"1", "a@example.jp"}, {"2", "b@example.jp"}, {"3", "a@example.jp"},
        {"4", "c@example.jp"}, {"5", "a@example.jp"}, {"6", "b@example.jp"}};
    auto mail = [&](const char* subject) {
        return AnsweringProgram::mail("Sender <" + sender_of.at(subject) + ">", subject);
    };
    const std::string reply_prefix = std::string(exchange::kReplySubjectMark);
    const std::string forward_prefix = std::string(exchange::kForwardSubjectMark);
    const std::string kSendRequest = exchange::kSendRequestFile;
    auto is_forward = [&](const std::string& request) {
        return files::split_lines(request)[2].starts_with("SUBJECT:" + forward_prefix);
    };
    for (int step = 1;; ++step) {
        SCOPED_TRACE("killed before change " + std::to_string(step));
        AnsweringProgram p;
        // The second run's mails come after the restart: a and b write again the same day.
        p.receives = {{mail("1"), mail("2"), mail("3"), mail("4")}, {mail("5"), mail("6")}};
        p.start_mode();
        FileFaults faults;
        faults.kill_before(step);
        bool killed = false;
        try {
            p.run_seconds(5);
        } catch (const Killed&) {
            killed = true;
        }
        if (!killed) break;
        faults.clear();
        // The one forward the kill may have caught as it was handed over: the last mail handed over,
        // while no other mail had been written for the send since.
        std::string caught;
        const std::string pending = p.h.exists(kSendRequest) ? p.h.read(kSendRequest) : std::string();
        if (!p.requests.empty() && is_forward(p.requests.back()) && (pending.empty() || pending == p.requests.back())) {
            caught = sent(p.requests.back(), forward_prefix).subject;
        }
        p.h.boxes().clear();
        ASSERT_TRUE(p.h.restart());
        EXPECT_TRUE(p.h.boxes().shown().empty());
        p.start_mode();
        p.h.boxes().clear();
        p.run_seconds(70);
        ASSERT_GE(p.h.scripts().starts("sam045.wsf"), 2);

        std::map<std::string, int> forwards, replies;
        for (const auto& request : p.requests_with("SUBJECT:" + forward_prefix)) {
            ++forwards[sent(request, forward_prefix).subject];
        }
        for (const auto& request : p.requests_with("SUBJECT:" + reply_prefix)) ++replies[sent(request, reply_prefix).to];
        for (const auto& [subject, sender] : sender_of) {
            EXPECT_GE(forwards[subject], 1) << "mail " << subject;
            EXPECT_LE(forwards[subject], subject == caught ? 2 : 1) << "mail " << subject;
        }
        std::vector<std::string> logged = *files::read_lines("SYSTEM_F\\TODAY_HENSIN\\20261210_TODAY_HENSIN.txt");
        std::sort(logged.begin(), logged.end());
        EXPECT_EQ(logged, (std::vector<std::string>{"a@example.jp", "b@example.jp", "c@example.jp"}));
        int unanswered = 0;
        for (const auto& address : logged) {
            EXPECT_LE(replies[address], 1) << address;
            unanswered += replies[address] == 0;
        }
        EXPECT_LE(unanswered, 1);

        std::vector<std::string> mails = files::list_folder_files("JUSINBOX");
        std::vector<std::string> rows = p.h.rows("MAINFORM", "LIST3");
        ASSERT_EQ(mails.size(), 6u);
        ASSERT_EQ(rows.size(), mails.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(trim(subject_column(rows[i])), ANSWER_MARK() + std::to_string(i + 1)) << "row " << i;
        }
        EXPECT_EQ(files::list_folder_files("SYSTEM_F\\F_D_F").size(), mails.size());
        EXPECT_EQ(load_list_cache("SYSTEM_F\\F_JU.txt"), rows);
        EXPECT_FALSE(p.h.exists("SYSTEM_F\\TALVENOR.txt"));
        EXPECT_TRUE(p.h.boxes().shown().empty());
        ASSERT_LT(step, 500);
    }
}

}  // namespace
}  // namespace tv::test
