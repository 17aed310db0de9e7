// The parts of an HTML body that no reader sees: the contents of <style> and <script> blocks and
// of comments, which may run over many lines.
#pragma once

#include <string>
#include <string_view>

namespace tv::viewer {

class HtmlHiddenParts {
public:
    // The line without what is hidden in it, given the lines before it (fed in order).
    std::string visible(std::string_view line);

private:
    std::string closing_;  // what ends the hidden part an earlier line opened (upper case); empty: none
};

}  // namespace tv::viewer
