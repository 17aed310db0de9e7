// One libcurl handle for one mail server, set up the same way for POP3 and SMTP: implicit TLS on
// the TLS port, STARTTLS when the server offers it, certificates always verified, connecting
// bounded on its own, the account's inactivity limit on every wait. Failures become TransferError.
//
// No credential ever goes out in plain text to a server that offers STARTTLS or has spoken TLS
// before: the session asks for TLS, and only a server that neither offers it nor is remembered
// with it is spoken to again without.
#pragma once

#include <curl/curl.h>

#include <string>
#include <optional>
#include <string_view>

#include "mail/transfer/transfer_error.h"

namespace tv::mail {

enum class Protocol { kPop3, kSmtp };

struct Endpoint {
    Protocol protocol;
    std::string host;   // UTF-8
    int port = 0;
    bool implicit_tls = false;

    // "pop3s://host:port/" followed by `path`.
    std::string url(std::string_view path) const;
    // "host ポートN" (CP932) for messages.
    std::string shown() const;
};

// The endpoint of a server of the account. A port speaks TLS from the first byte when it is the
// protocol's TLS port (995, 465) or listed in TALVENOR_IMPLICIT_TLS_PORTS.
Endpoint make_endpoint(Protocol protocol, const std::string& host_cp932, int port);

class CurlSession {
public:
    // `user` and `password` are CP932; empty ones are not sent.
    CurlSession(Endpoint endpoint, const std::string& user, const std::string& password, long timeout_seconds);
    ~CurlSession();
    CurlSession(const CurlSession&) = delete;
    CurlSession& operator=(const CurlSession&) = delete;

    CURL* handle() { return curl_; }
    const Endpoint& endpoint() const { return endpoint_; }

    // Runs what is set on the handle; raises TransferError when it fails.
    void perform();
    // A callback that ends the transfer with TransferError(failure) when it returns a failure
    // code after calling this.
    void fail_with(Failure failure) { failed_with_ = failure; }
    // Connections the last perform had to open (0 when it reused the open one).
    long new_connections() const;

private:
    CURLcode perform_once();
    static int on_debug(CURL*, curl_infotype type, char* data, size_t size, void* self);

    Endpoint endpoint_;
    CURL* curl_;
    char error_[CURL_ERROR_SIZE] = {};
    bool tls_required_ = true;     // false only for a server that offers no TLS and never did
    bool starttls_offered_ = false;
    bool remembered_ = false;
    std::optional<Failure> failed_with_;
};

}  // namespace tv::mail
