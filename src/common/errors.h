// Runtime errors carry the error number that handlers test.
#pragma once

#include <stdexcept>
#include <string>

namespace tv {

namespace err {
constexpr int kFileAnomaly = 54;    // reading past the end of data, malformed record, read fault
constexpr int kBadName = 55;        // a name the file system refuses, no program to open a document
constexpr int kNotFound = 63;       // file or path not found
constexpr int kExists = 64;         // the name already exists
constexpr int kAccessDenied = 75;   // access denied or file in use
constexpr int kWindowClosed = 364;  // a window that code has closed was shown, hidden or enabled
constexpr int kSlotOccupied = 1001; // the single child-window slot is taken
}  // namespace err

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& what) : std::runtime_error(what), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

[[noreturn]] inline void raise_error(int number, const std::string& what = {}) {
    throw RuntimeError(number, what.empty() ? "runtime error " + std::to_string(number) : what);
}

}  // namespace tv
