#include "transfer/unsent_store.h"

#include "common/exchange_files.h"
#include "common/paths.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace tv::transfer {

namespace pf = tv::platform;


std::string new_unsent_name() {
    pf::DateTime t = pf::now();
    for (;;) {
        std::string name = pf::format_stamp(t) + "_DEL_SOUSIN.txt";
        if (!files::file_exists(files::join(kUnsentFolder, name))) return name;
        t = pf::add_seconds(t, 1);
    }
}

bool keep_request_as_unsent() {
    if (!files::file_exists(exchange::kSendRequestFile)) return false;
    files::copy_file(exchange::kSendRequestFile, files::join(kUnsentFolder, new_unsent_name()));
    pf::pause(20);
    files::remove_if_exists(exchange::kSendRequestFile);
    pf::pause(20);
    return true;
}

}  // namespace tv::transfer
