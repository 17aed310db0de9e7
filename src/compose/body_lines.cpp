#include "compose/body_lines.h"

#include "common/request_lines.h"
#include "common/sjis.h"

namespace tv::compose {

std::vector<std::string> split_body(std::string_view text) {
    std::string work = trim(text);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = work.find("\r\n", start);
        std::string line = work.substr(start, end == std::string::npos ? std::string::npos : end - start);
        lines.push_back(lines.empty() ? trim(line) : line);
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

std::string request_body_line(std::string_view line, BodyTrim trim_mode) {
    std::string_view kept = line.substr(0, line.find('\r'));
    return guard_body_line(trim_mode == BodyTrim::Both ? trim(kept) : trim_right(kept));
}

}  // namespace tv::compose
