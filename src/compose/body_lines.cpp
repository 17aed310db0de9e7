#include "compose/body_lines.h"

#include "common/request_lines.h"
#include "common/sjis.h"

namespace tv::compose {

std::vector<std::string> split_body(std::string_view text) {
    std::string work = trim_right(text);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = work.find("\r\n", start);
        std::string line = work.substr(start, end == std::string::npos ? std::string::npos : end - start);
        lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

std::string request_body_line(std::string_view line) {
    return guard_body_line(trim_right(line.substr(0, line.find('\r'))));
}

}  // namespace tv::compose
