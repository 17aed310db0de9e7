#include "mail/transfer/keep_on_server.h"

#include "common/exchange_files.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace tv::mail {

bool keep_on_server() {
    auto lines = files::read_lines(exchange::kKeepOnServerFile);
    if (!lines || lines->empty()) return false;
    return numeric_value(trim(lines->back())) > 0;
}

}  // namespace tv::mail
