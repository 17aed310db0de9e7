#include "mail/transfer/smtp_session.h"

#include <algorithm>
#include <cstring>

#include "common/sjis.h"
#include "mail/transfer/curl_session.h"

namespace tv::mail {

namespace {

struct Upload {
    const std::string* data;
    std::size_t sent = 0;
};

size_t read_upload(char* buffer, size_t size, size_t count, void* user) {
    auto* upload = static_cast<Upload*>(user);
    std::size_t n = std::min(size * count, upload->data->size() - upload->sent);
    std::memcpy(buffer, upload->data->data() + upload->sent, n);
    upload->sent += n;
    return n;
}

}  // namespace

std::string ehlo_name(const std::string& local_host) {
    std::string name;
    for (std::size_t i = 0; i < local_host.size();) {
        std::size_t length = char_length(local_host, i);
        char c = local_host[i];
        i += length;
        // Double-byte characters go whole: their second byte may look like an ASCII letter.
        if (length == 2 || static_cast<unsigned char>(c) >= 0x80) continue;
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
        if (keep) {
            name += c;
        } else if (!name.empty() && name.back() != '-') {
            name += '-';
        }
    }
    std::size_t first = name.find_first_not_of("-.");
    std::size_t last = name.find_last_not_of("-.");
    if (first == std::string::npos) return "localhost";
    return name.substr(first, last - first + 1);
}

void send_over_smtp(const AccountData& account, const std::string& sender, const std::vector<std::string>& recipients,
                    const std::string& message) {
    CurlSession session(make_endpoint(Protocol::kSmtp, account.smtp_server(), port_number(account.smtp_port())),
                        account.user_id(), account.password(), timeout_seconds(account));
    CURL* curl = session.handle();
    // The path of an SMTP URL is the name the client gives in EHLO.
    curl_easy_setopt(curl, CURLOPT_URL, session.endpoint().url(ehlo_name(account.local_host())).c_str());
    std::string from = "<" + sender + ">";
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
    curl_slist* rcpt = nullptr;
    for (const auto& recipient : recipients) rcpt = curl_slist_append(rcpt, ("<" + recipient + ">").c_str());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, rcpt);
    Upload upload{&message};
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &read_upload);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    try {
        session.perform();
    } catch (...) {
        curl_slist_free_all(rcpt);
        throw;
    }
    curl_slist_free_all(rcpt);
}

}  // namespace tv::mail
