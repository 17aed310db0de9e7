// What the transfers share about their result files (TransferResult).
#pragma once

#include <string>
#include <string_view>

namespace tv::transfer {

// Whether the trimmed result begins with "DONE" or "ERROR".
bool result_begins(const std::string& result, std::string_view word);

// The result a transfer goes on with when its script never wrote one.
const std::string& script_environment_error();

// Marks a transfer as running for its lifetime: no second one starts inside it.
class TransferGuard {
public:
    TransferGuard();
    ~TransferGuard();
    TransferGuard(const TransferGuard&) = delete;
    TransferGuard& operator=(const TransferGuard&) = delete;
};

}  // namespace tv::transfer
