#include "mail/transfer/pop3_session.h"

#include <cstdlib>

#include "common/sjis.h"
#include "common/text_file.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

// A listing of a few hundred thousand messages fits; a server that sends without end does not.
constexpr std::size_t kMaxListingBytes = 16 << 20;
// A listing line is a number and a UIDL of at most 70 characters; this leaves room for faults.
constexpr std::size_t kMaxListingLineBytes = 1024;

}  // namespace

Pop3Session::Pop3Session(Endpoint endpoint, const std::string& user, const std::string& password,
                         long timeout_seconds)
    : session_(std::make_unique<CurlSession>(std::move(endpoint), user, password, timeout_seconds)) {
    curl_easy_setopt(session_->handle(), CURLOPT_WRITEFUNCTION, &Pop3Session::on_data);
    curl_easy_setopt(session_->handle(), CURLOPT_WRITEDATA, this);
}

size_t Pop3Session::on_data(char* data, size_t size, size_t count, void* self) {
    auto* session = static_cast<Pop3Session*>(self);
    std::string_view bytes(data, size * count);
    if (session->sink_) {
        if (!(*session->sink_)(bytes)) {
            session->sink_failed_ = true;
            return 0;
        }
        return bytes.size();
    }
    bool line_too_long = false;
    for (char c : bytes) {
        session->line_bytes_ = c == '\n' ? 0 : session->line_bytes_ + 1;
        line_too_long = line_too_long || session->line_bytes_ > kMaxListingLineBytes;
    }
    if (session->listing_.size() + bytes.size() > kMaxListingBytes || line_too_long) {
        session->session_->fail_with(Failure::kBadAnswer);
        return 0;
    }
    session->listing_.append(bytes);
    return bytes.size();
}

void Pop3Session::run(const std::string& path, const char* command, bool has_body) {
    if (!session_) throw TransferError(Failure::kInterrupted, {});
    CURL* curl = session_->handle();
    curl_easy_setopt(curl, CURLOPT_URL, session_->endpoint().url(path).c_str());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, command);
    curl_easy_setopt(curl, CURLOPT_NOBODY, has_body ? 0L : 1L);
    try {
        session_->perform();
    } catch (const TransferError&) {
        if (sink_failed_) throw TransferError(Failure::kLocal, {});
        throw;
    }
    // The first command opens the connection; any later one that had to open another lost the session.
    if (started_ && session_->new_connections() > 0) {
        throw TransferError(Failure::kInterrupted, session_->endpoint().shown());
    }
    started_ = true;
}

std::vector<ListedMessage> Pop3Session::list() {
    listing_.clear();
    line_bytes_ = 0;
    run("", "UIDL", true);
    std::vector<ListedMessage> messages;
    for (const std::string& line : files::split_lines(listing_)) {
        std::string text = trim(line);
        if (text.empty()) continue;
        std::size_t blank = text.find(' ');
        if (blank == std::string::npos) throw TransferError(Failure::kUnsupported, session_->endpoint().shown());
        char* end = nullptr;
        long number = std::strtol(text.c_str(), &end, 10);
        std::string uidl = trim(text.substr(blank + 1));
        if (end != text.c_str() + blank || number <= 0 || uidl.empty()) {
            throw TransferError(Failure::kRefused, session_->endpoint().shown());
        }
        messages.push_back({number, uidl});
    }
    return messages;
}

void Pop3Session::retrieve(long number, const std::function<bool(std::string_view)>& sink) {
    sink_ = &sink;
    sink_failed_ = false;
    try {
        run(std::to_string(number), nullptr, true);
    } catch (...) {
        sink_ = nullptr;
        throw;
    }
    sink_ = nullptr;
}

void Pop3Session::remove(long number) { run(std::to_string(number), "DELE", false); }

void Pop3Session::check_connection() { run("", "NOOP", false); }

void Pop3Session::quit() {
    // libcurl sends QUIT when it closes the connection; the deletions take effect then.
    session_.reset();
}

}  // namespace tv::mail
