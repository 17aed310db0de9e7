// AccountData: the ten lines of SYSTEM_F\MAIL_DATA.txt, read by lines everywhere.
#pragma once

#include <array>
#include <string>

namespace tv::transfer {

inline constexpr const char* kAccountFile = "SYSTEM_F\\MAIL_DATA.txt";

struct Account {
    std::array<std::string, 10> values;  // trimmed; blank where the file gives none
    bool exists = false;
    const std::string& smtp_server() const { return values[0]; }
    const std::string& sender_name() const { return values[1]; }
    const std::string& sender_address() const { return values[2]; }
    // Set when the file exists and every value is non-blank.
    bool is_set() const;
    // "FROM:" + name + "<" + address + ">", the sender line of every request.
    std::string from_line() const;
};

Account read_account();
// Writes the ten values, trimmed, one per line; readable by its owner only.
void write_account(const std::array<std::string, 10>& values);

// The message every transfer shows when the account is not set.
void show_account_not_set();

}  // namespace tv::transfer
