#include "mail/transfer/mail_names.h"

#include <cstdio>

#include "common/paths.h"
#include "common/sjis.h"
#include "mail/transfer/transfer_error.h"

namespace tv::mail {

using namespace tv::literals;

namespace {

constexpr std::size_t kStampLength = 15;  // YYYYMMDD_hhmmss
constexpr int kMaxSequence = 999999;

bool is_stamp(std::string_view s) {
    if (s.size() < kStampLength) return false;
    for (std::size_t i = 0; i < kStampLength; ++i) {
        bool digit = s[i] >= '0' && s[i] <= '9';
        if (i == 8 ? digit : !digit) return false;
    }
    return true;
}

std::string stamp_of(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d_%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buffer;
}

// The stamp one second later, counted on the calendar alone.
std::string next_stamp(const std::string& stamp) {
    std::tm tm{};
    tm.tm_year = std::stoi(stamp.substr(0, 4)) - 1900;
    tm.tm_mon = std::stoi(stamp.substr(4, 2)) - 1;
    tm.tm_mday = std::stoi(stamp.substr(6, 2));
    tm.tm_hour = std::stoi(stamp.substr(9, 2));
    tm.tm_min = std::stoi(stamp.substr(11, 2));
    tm.tm_sec = std::stoi(stamp.substr(13, 2)) + 1;
    std::time_t t = timegm(&tm);
    gmtime_r(&t, &tm);
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d_%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buffer;
}

std::string make_name(const std::string& stamp, int sequence, std::string_view extension) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "_%06d", sequence);
    return stamp + buffer + std::string(extension);
}

}  // namespace

std::vector<std::string> next_mail_names(std::string_view folder, std::size_t count, std::string_view extension,
                                         std::time_t now) {
    std::vector<std::string> existing = files::list_folder_files(folder);
    std::string stamp = stamp_of(now);
    int sequence = 1;
    if (!existing.empty()) {
        const std::string& newest = existing.back();
        if (is_stamp(newest) && newest.substr(0, kStampLength) >= stamp) {
            stamp = newest.substr(0, kStampLength);
            // Continue the newest name's sequence number when it has one.
            std::string_view rest = std::string_view(newest).substr(kStampLength);
            if (rest.size() >= 7 && rest[0] == '_' && rest.substr(1, 6).find_first_not_of("0123456789") == std::string_view::npos) {
                sequence = std::stoi(std::string(rest.substr(1, 6))) + 1;
            }
        }
        if (sequence > kMaxSequence || !files::name_less(newest, make_name(stamp, sequence, extension))) {
            stamp = next_stamp(stamp);
            sequence = 1;
        }
        if (!files::name_less(newest, make_name(stamp, sequence, extension))) {
            throw TransferError(Failure::kLocal, "並び順の合わないファイル "_sj + newest);
        }
    }
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (sequence > kMaxSequence) {
            stamp = next_stamp(stamp);
            sequence = 1;
        }
        names.push_back(make_name(stamp, sequence++, extension));
    }
    return names;
}

}  // namespace tv::mail
