#include "transfer/transfer_result.h"

#include "common/globals.h"
#include "common/sjis.h"

namespace tv::transfer {

using namespace tv::literals;

bool result_begins(const std::string& result, std::string_view word) { return trim(result).starts_with(word); }

const std::string& script_environment_error() {
    return "ERRORスクリプト・エラー：スクリプトの動作環境が構築されていません。"_sj;
}

TransferGuard::TransferGuard() { globals().TRANSFER_RUNNING = true; }
TransferGuard::~TransferGuard() { globals().TRANSFER_RUNNING = false; }

}  // namespace tv::transfer
