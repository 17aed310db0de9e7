// The account file SYSTEM_F\MAIL_DATA.txt, read line by line: line n holds value n.
#pragma once

#include <string>

namespace tv::mail {

struct Account {
    // CP932 as the file holds them, trimmed.
    std::string smtp_server;
    std::string sender_name;
    std::string sender_address;
    std::string pop3_server;
    std::string user_id;
    std::string password;
    std::string smtp_port;
    std::string pop3_port;
    std::string timeout;
    std::string local_host;
};

// Reads the account; raises TransferError(kAccount) when the file is missing or one of the ten
// values is blank.
Account read_account();

// A port value as a number; raises TransferError(kAccount) when it is not one.
int port_number(const std::string& value);

// The inactivity limit in seconds (value 9); 180 when it is not a positive number.
long timeout_seconds(const Account& account);

}  // namespace tv::mail
