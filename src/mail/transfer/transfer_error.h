// A failed transfer: what kind of failure (which decides the words of the result) and a short
// detail (CP932) shown after the message.
#pragma once

#include <stdexcept>
#include <string>

namespace tv::mail {

enum class Failure {
    kAccount,       // the account file is incomplete
    kRequest,       // the send request is missing or malformed, an attachment is missing
    kUnreachable,   // the server could not be reached (name, connection, time-out before the greeting)
    kLoginRefused,  // the server refused the user ID or password
    kCertificate,   // TLS could not be set up or the certificate could not be verified
    kTlsRefused,    // the server offered STARTTLS and then refused or failed it; no credential was sent
    kTlsMissing,    // a server that spoke TLS before offers none now; no credential was sent
    kInterrupted,   // the connection broke or went silent after it was made
    kRefused,       // the server answered a command with an error
    kBadAnswer,     // the server's answer is beyond any sound one (an endless listing or line)
    kUnsupported,   // the server lacks something the transfer needs
    kLocal,         // a file could not be written
    kBusy,          // another receive or send of the program folder did not end in time
};

class TransferError : public std::runtime_error {
public:
    TransferError(Failure failure, std::string detail)
        : std::runtime_error("transfer failed"), failure_(failure), detail_(std::move(detail)) {}
    Failure failure() const { return failure_; }
    const std::string& detail() const { return detail_; }

private:
    Failure failure_;
    std::string detail_;
};

}  // namespace tv::mail
