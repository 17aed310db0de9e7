#include "viewer/print_lines.h"

#include "platform/events.h"
#include "platform/forms.h"

namespace tv::viewer {

namespace pf = tv::platform;

std::vector<std::string> print_items(std::string_view body) {
    std::string text = std::string(body) + "\r\n";
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 1)) {
        // The first item ends before its CR; every further one runs from the LF before it to its CR.
        items.push_back(items.empty() ? text.substr(0, at) : text.substr(start, at + 1 - start));
        start = at + 1;
    }
    return items;
}

std::string printed_line(std::string_view item, bool first) {
    std::string_view line = item.substr(0, item.find('\r'));
    if (!first && !line.empty()) line.remove_prefix(1);
    return std::string(line);
}

void EDIT8_CHANGE() {
    if (!pf::forms().is_loaded("FORM3")) return;
    pf::Form& f = pf::form("FORM3");
    f.control("LIST23").set_items(print_items(f.control("EDIT8").text));
    pf::EVENT_PUMP();
    if (pf::forms().is_loaded("FORM3")) pf::form("FORM3").set_focus("EDIT8");
}

}  // namespace tv::viewer
