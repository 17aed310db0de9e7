// Runs the built talvenor-mail as the program's script host does: in the program folder, with no
// input but the files. The time zone is fixed so that dates come out the same everywhere.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tv::test {

inline constexpr const char* kTestTimeZone = "Asia/Tokyo";

// The exit status of `talvenor-mail <command>` run in `folder` (another copy of it: `program`).
int run_mail_component(const std::filesystem::path& folder, const char* command,
                       const std::filesystem::path& program = TALVENOR_MAIL_PROGRAM);

// A fixture mail's bytes (tests/fixtures/mail/<name>).
std::string fixture(std::string_view name);

// Every file below `folder`, as paths relative to it, sorted.
std::vector<std::string> files_below(const std::filesystem::path& folder);

}  // namespace tv::test
