#include "mail/transfer/identity.h"

#include <glib.h>

#include "common/sjis.h"

namespace tv::mail {

std::string sha1_hex(std::initializer_list<std::string_view> parts) {
    GChecksum* checksum = g_checksum_new(G_CHECKSUM_SHA1);
    for (std::string_view part : parts) {
        g_checksum_update(checksum, reinterpret_cast<const guchar*>(part.data()), static_cast<gssize>(part.size()));
        g_checksum_update(checksum, reinterpret_cast<const guchar*>(""), 1);
    }
    std::string hex = g_checksum_get_string(checksum);
    g_checksum_free(checksum);
    return hex;
}

std::string identity_line(std::string_view server, std::string_view user, std::string_view uidl,
                          std::size_t occurrence) {
    std::string host = lower_ascii(server);
    std::string number = std::to_string(occurrence);
    std::string hash = occurrence <= 1 ? sha1_hex({host, user, uidl}) : sha1_hex({host, user, uidl, number});
    return "X-Talvenor-Id: " + hash + "\r\n";
}

}  // namespace tv::mail
