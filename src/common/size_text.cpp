#include "common/size_text.h"

#include <cmath>

namespace tv {

namespace {

// 0.501 held in single precision.
constexpr double kRoundUp = static_cast<double>(0.501f);

// "," between groups of three digits.
std::string grouped_number(unsigned long long n) {
    std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string size_text(double bytes) {
    if (bytes < 1000) return " (" + grouped_number(static_cast<unsigned long long>(bytes)) + "byte)";
    if (bytes < 1e9) return " (" + grouped_number(static_cast<unsigned long long>(std::floor(bytes / 1000 + kRoundUp))) + "KB)";
    return " (" + grouped_number(static_cast<unsigned long long>(std::floor(bytes / 1e6 + kRoundUp))) + "MB)";
}

}  // namespace tv
