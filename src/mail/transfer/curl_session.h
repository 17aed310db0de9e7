// One libcurl handle for one mail server, set up the same way for POP3 and SMTP: implicit TLS on
// the TLS port, STARTTLS when the server offers it, certificates always verified, the account's
// inactivity limit on every wait. Failures become TransferError.
#pragma once

#include <curl/curl.h>

#include <string>
#include <string_view>

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
    // Connections the last perform had to open (0 when it reused the open one).
    long new_connections() const;

private:
    Endpoint endpoint_;
    CURL* curl_;
    char error_[CURL_ERROR_SIZE] = {};
};

}  // namespace tv::mail
