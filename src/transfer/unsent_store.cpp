#include "transfer/unsent_store.h"

#include <ctime>

#include "common/paths.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace tv::transfer {

namespace pf = tv::platform;

namespace {

std::string stamp(const pf::DateTime& t) { return pf::format_yyyymmdd(t) + pf::format_time(t).substr(0, 2) +
                                                  pf::format_time(t).substr(3, 2) + pf::format_time(t).substr(6, 2); }

pf::DateTime next_second(pf::DateTime t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second + 1;
    std::time_t s = timegm(&tm);
    gmtime_r(&s, &tm);
    return pf::DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

std::string new_unsent_name() {
    pf::DateTime t = pf::now();
    for (;;) {
        std::string name = stamp(t) + "_DEL_SOUSIN.txt";
        if (!files::file_exists(files::join(kUnsentFolder, name))) return name;
        t = next_second(t);
    }
}

bool keep_request_as_unsent() {
    if (!files::file_exists(kSendRequest)) return false;
    files::copy_file(kSendRequest, files::join(kUnsentFolder, new_unsent_name()));
    pf::pause(20);
    files::remove_if_exists(kSendRequest);
    pf::pause(20);
    return true;
}

}  // namespace tv::transfer
