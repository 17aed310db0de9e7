#include "mail/transfer/curl_session.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "common/sjis.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

struct ProtocolInfo {
    const char* plain_scheme;
    const char* tls_scheme;
    int tls_port;
};

const ProtocolInfo& info(Protocol protocol) {
    static const ProtocolInfo kPop3{"pop3", "pop3s", 995};
    static const ProtocolInfo kSmtp{"smtp", "smtps", 465};
    return protocol == Protocol::kPop3 ? kPop3 : kSmtp;
}

bool listed_tls_port(int port) {
    const char* list = std::getenv("TALVENOR_IMPLICIT_TLS_PORTS");
    if (!list) return false;
    std::string text(list);
    for (char& c : text) {
        if (c == ',') c = ' ';
    }
    std::istringstream in(text);
    int listed = 0;
    while (in >> listed) {
        if (listed == port) return true;
    }
    return false;
}

void global_init() {
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

Failure failure_of(CURLcode code, CURL* curl) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
            return Failure::kUnreachable;
        case CURLE_URL_MALFORMAT:
            return Failure::kAccount;
        case CURLE_LOGIN_DENIED:
            return Failure::kLoginRefused;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_USE_SSL_FAILED:
            return Failure::kCertificate;
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_QUOTE_ERROR:
            return Failure::kRefused;
        case CURLE_OPERATION_TIMEDOUT: {
            // A time-out before the session was ready (connect, greeting, login) is an unreachable server.
            curl_off_t pretransfer = 0;
            curl_easy_getinfo(curl, CURLINFO_PRETRANSFER_TIME_T, &pretransfer);
            return pretransfer == 0 ? Failure::kUnreachable : Failure::kInterrupted;
        }
        default: {
            long response = 0;
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response);
            return response >= 400 ? Failure::kRefused : Failure::kInterrupted;
        }
    }
}

}  // namespace

std::string Endpoint::url(std::string_view path) const {
    const ProtocolInfo& p = info(protocol);
    bool literal6 = host.find(':') != std::string::npos;
    std::string out = implicit_tls ? p.tls_scheme : p.plain_scheme;
    out += "://";
    out += literal6 ? "[" + host + "]" : host;
    out += ":" + std::to_string(port) + "/";
    out += path;
    return out;
}

std::string Endpoint::shown() const {
    return from_utf8_lossy(host) + " ポート"_sj + std::to_string(port);
}

Endpoint make_endpoint(Protocol protocol, const std::string& host_cp932, int port) {
    Endpoint endpoint{protocol, to_utf8(host_cp932), port, false};
    endpoint.implicit_tls = port == info(protocol).tls_port || listed_tls_port(port);
    return endpoint;
}

CurlSession::CurlSession(Endpoint endpoint, const std::string& user, const std::string& password,
                         long timeout_seconds)
    : endpoint_(std::move(endpoint)) {
    global_init();
    curl_ = curl_easy_init();
    if (!curl_) throw TransferError(Failure::kLocal, "libcurl");
    curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl_, CURLOPT_ERRORBUFFER, error_);
    curl_easy_setopt(curl_, CURLOPT_PROTOCOLS_STR,
                     endpoint_.protocol == Protocol::kPop3 ? "pop3,pop3s" : "smtp,smtps");
    if (!user.empty()) curl_easy_setopt(curl_, CURLOPT_USERNAME, to_utf8(user).c_str());
    if (!password.empty()) curl_easy_setopt(curl_, CURLOPT_PASSWORD, to_utf8(password).c_str());
    // STARTTLS whenever the server offers it; a port that speaks TLS from the start needs none.
    curl_easy_setopt(curl_, CURLOPT_USE_SSL, static_cast<long>(endpoint_.implicit_tls ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
    if (const char* ca = std::getenv("TALVENOR_CA_FILE"); ca && *ca) curl_easy_setopt(curl_, CURLOPT_CAINFO, ca);
    // The account's time-out bounds every wait: connecting, each answer, and silence in a transfer.
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, timeout_seconds);
    curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout_seconds);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, timeout_seconds);
}

CurlSession::~CurlSession() { curl_easy_cleanup(curl_); }

void CurlSession::perform() {
    error_[0] = '\0';
    CURLcode code = curl_easy_perform(curl_);
    if (code == CURLE_OK) return;
    std::fprintf(stderr, "talvenor-mail: %s (%d): %s\n", endpoint_.url("").c_str(), static_cast<int>(code),
                 error_[0] ? error_ : curl_easy_strerror(code));
    Failure failure = failure_of(code, curl_);
    std::string detail = endpoint_.shown();
    if (failure == Failure::kRefused) {
        long response = 0;
        curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &response);
        if (response >= 100) detail += " 応答"_sj + std::to_string(response);
    } else if (failure == Failure::kInterrupted) {
        detail += " コード"_sj + std::to_string(static_cast<int>(code));
    }
    throw TransferError(failure, detail);
}

long CurlSession::new_connections() const {
    long count = 0;
    curl_easy_getinfo(curl_, CURLINFO_NUM_CONNECTS, &count);
    return count;
}

}  // namespace tv::mail
