// AccountData: the ten lines of SYSTEM_F\MAIL_DATA.txt, the one reader and writer of the account for
// the program and its mail component alike. Line n holds value n; it is read by lines, so a comma,
// colon or quote inside a value never shifts the values after it.
#pragma once

#include <array>
#include <string>

namespace tv {

struct AccountData {
    std::array<std::string, 10> values;  // trimmed; empty where the file gives none
    bool exists = false;

    const std::string& smtp_server() const { return values[0]; }
    const std::string& sender_name() const { return values[1]; }
    const std::string& sender_address() const { return values[2]; }
    const std::string& pop3_server() const { return values[3]; }
    const std::string& user_id() const { return values[4]; }
    const std::string& password() const { return values[5]; }
    const std::string& smtp_port() const { return values[6]; }
    const std::string& pop3_port() const { return values[7]; }
    const std::string& timeout() const { return values[8]; }
    const std::string& local_host() const { return values[9]; }

    // The file exists and no value is blank.
    bool is_set() const;
    // "FROM:" + name + "<" + address + ">", the sender line of every send request.
    std::string from_line() const;
};

AccountData read_account_file();
// Writes the ten values without control bytes, trimmed, one per line, through a temporary file; readable by its owner only.
void write_account_file(const std::array<std::string, 10>& values);

}  // namespace tv
