// One POP3 session over libcurl. Every command must run on the one connection the session opened:
// message numbers and deletions belong to it, so a reconnect is reported as an interruption. That
// is also how a listing or message cut short is found: libcurl ends such a transfer without an
// error, and only the next command, which has to reconnect, shows the break.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mail/transfer/curl_session.h"

namespace tv::mail {

struct ListedMessage {
    long number = 0;
    std::string uidl;
};

class Pop3Session {
public:
    Pop3Session(Endpoint endpoint, const std::string& user, const std::string& password, long timeout_seconds);

    // Logs in and lists the mailbox (UIDL). A listing or a line of it beyond any real mailbox's
    // ends the session with TransferError(kBadAnswer).
    std::vector<ListedMessage> list();
    // Fetches a message (RETR): its bytes, dot-unstuffed, go to `sink` piece by piece; a sink
    // that returns false stops the transfer and the call raises TransferError(kLocal).
    void retrieve(long number, const std::function<bool(std::string_view)>& sink);
    // Marks a message for deletion (DELE); the server deletes it when the session ends with QUIT.
    void remove(long number);
    // Proves that the connection is still the one of the session (NOOP).
    void check_connection();
    // Ends the session with QUIT; nothing is reported.
    void quit();

private:
    void run(const std::string& path, const char* command, bool has_body);
    std::unique_ptr<CurlSession> session_;
    bool started_ = false;
    std::string listing_;
    std::size_t line_bytes_ = 0;  // of the listing's last line so far
    const std::function<bool(std::string_view)>* sink_ = nullptr;
    bool sink_failed_ = false;
    static size_t on_data(char* data, size_t size, size_t count, void* self);
};

}  // namespace tv::mail
