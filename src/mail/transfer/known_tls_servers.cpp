#include "mail/transfer/known_tls_servers.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

#include "common/sjis.h"
#include "common/text_file.h"
#include "mail/transfer/curl_session.h"

namespace tv::mail {

namespace {

constexpr const char* kKnownFile = "SYSTEM_F\\.tls_servers";

std::string key_of(const Endpoint& endpoint) { return lower_ascii(endpoint.host) + " " + std::to_string(endpoint.port); }

std::vector<std::string> known() {
    auto lines = files::read_lines(kKnownFile);
    return lines ? *lines : std::vector<std::string>{};
}

}  // namespace

bool seen_with_tls(const Endpoint& endpoint) {
    auto lines = known();
    return std::find(lines.begin(), lines.end(), key_of(endpoint)) != lines.end();
}

void remember_tls(const Endpoint& endpoint) {
    try {
        auto lines = known();
        std::string key = key_of(endpoint);
        if (std::find(lines.begin(), lines.end(), key) != lines.end()) return;
        lines.push_back(key);
        files::write_lines_atomic(kKnownFile, lines, 0600);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvenor-mail: %s not written: %s\n", kKnownFile, e.what());
    }
}

}  // namespace tv::mail
