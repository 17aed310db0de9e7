// The size text that the attachment lists show after a file name: " (" + number + unit + ")".
#pragma once

#include <string>

namespace tv {

// Below 1,000 bytes the byte count and "byte)"; up to 999,999,999 bytes kilobytes and "KB)";
// from 1,000,000,000 bytes megabytes and "MB)". Kilobytes and megabytes are the quotient plus
// 0.501 (as a single-precision constant, a hair below) rounded down, so 1,499 bytes give 1KB and
// 1,500 bytes 2KB. The number has "," between groups of three digits; 0 bytes show "0".
// A caller that sums sizes as single-precision numbers passes that sum.
std::string size_text(double bytes);

}  // namespace tv
