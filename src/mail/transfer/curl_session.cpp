#include "mail/transfer/curl_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "common/sjis.h"
#include "mail/transfer/known_tls_servers.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

// Connecting has its own bound: a server that drops packets ends the session well before the
// inactivity limit would.
constexpr long kConnectSeconds = 15;
// Below this many bytes a second over the inactivity limit, a transfer is taken for stalled: a
// server that trickles a byte now and then must not hold the session for hours.
constexpr long kLowSpeedBytes = 256;

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
    curl_easy_setopt(curl_, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    // The server's capabilities show whether it offers STARTTLS (see perform).
    curl_easy_setopt(curl_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl_, CURLOPT_DEBUGFUNCTION, &CurlSession::on_debug);
    curl_easy_setopt(curl_, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl_, CURLOPT_SSL_VERIFYHOST, 2L);
    if (const char* ca = std::getenv("TALVENOR_CA_FILE"); ca && *ca) curl_easy_setopt(curl_, CURLOPT_CAINFO, ca);
    // The account's time-out bounds every answer and every slow stretch of a transfer.
    curl_easy_setopt(curl_, CURLOPT_CONNECTTIMEOUT, std::min(kConnectSeconds, timeout_seconds));
    curl_easy_setopt(curl_, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout_seconds);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytes);
    curl_easy_setopt(curl_, CURLOPT_LOW_SPEED_TIME, timeout_seconds);
}

CurlSession::~CurlSession() { curl_easy_cleanup(curl_); }

int CurlSession::on_debug(CURL*, curl_infotype type, char* data, size_t size, void* self) {
    if (type != CURLINFO_HEADER_IN) return 0;
    // A capability line: "STLS" in a POP3 CAPA answer, "250-STARTTLS" or "250 STARTTLS" after EHLO.
    std::string_view text(data, size);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    std::string line = trim(upper_ascii(text));
    if (line.size() > 4 && (line.compare(0, 4, "250-") == 0 || line.compare(0, 4, "250 ") == 0)) line.erase(0, 4);
    if (line == "STLS" || line == "STARTTLS") static_cast<CurlSession*>(self)->starttls_offered_ = true;
    return 0;
}

CURLcode CurlSession::perform_once() {
    error_[0] = '\0';
    failed_with_.reset();
    return curl_easy_perform(curl_);
}

void CurlSession::perform() {
    CURLcode code = perform_once();
    if (code == CURLE_USE_SSL_FAILED && tls_required_ && !endpoint_.implicit_tls) {
        // Nothing but the greeting and the capabilities has passed: no credential was sent.
        if (starttls_offered_) throw TransferError(Failure::kTlsRefused, endpoint_.shown());
        if (seen_with_tls(endpoint_)) throw TransferError(Failure::kTlsMissing, endpoint_.shown());
        tls_required_ = false;
        curl_easy_setopt(curl_, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_NONE));
        code = perform_once();
    }
    // The session ran over TLS as far as the login: the server is known to speak it from now on.
    if (tls_required_ && !remembered_ && (code == CURLE_OK || code == CURLE_LOGIN_DENIED)) {
        remember_tls(endpoint_);
        remembered_ = true;
    }
    if (code == CURLE_OK) return;
    std::fprintf(stderr, "talvenor-mail: %s (%d): %s\n", endpoint_.url("").c_str(), static_cast<int>(code),
                 error_[0] ? error_ : curl_easy_strerror(code));
    if (failed_with_) throw TransferError(*failed_with_, endpoint_.shown());
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
