#include "transfer/account.h"

#include "common/globals.h"
#include "common/sjis.h"
#include "platform/platform.h"

namespace tv::transfer {

using namespace tv::literals;

void show_account_not_set(const std::string& owner) {
    platform::inform(owner, program_caption(), "アカウント情報が設定されていません。      "_sj);
}

}  // namespace tv::transfer
