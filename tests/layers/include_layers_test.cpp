// The layers of the sources: a file includes headers of its own folder and of the layers below it,
// never of a layer above it nor of a sibling subsystem. Subsystems that must reach a sibling or a
// layer above do it by handler name (platform/events.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The stack from the bottom up; the folders of one level sit side by side.
const std::vector<std::vector<std::string>> kStack{
    {"common"},
    {"platform"},
    {"store"},
    {"transfer"},
    {"books", "answering", "viewer", "compose", "folders"},
    {"shell"},
    {"program"},
};

// What each layer may include besides its own folder.
std::map<std::string, std::set<std::string>> allowed_includes() {
    std::map<std::string, std::set<std::string>> allowed;
    std::set<std::string> below;
    for (const auto& level : kStack) {
        for (const auto& folder : level) allowed[folder] = below;
        below.insert(level.begin(), level.end());
    }
    // The platform's two implementations stand beside the stack: only the program picks one.
    allowed["platform/headless"] = {"common", "platform"};
    allowed["platform/qt"] = {"common", "platform"};
    allowed["program"].insert("platform/qt");
    // The mail component is a program of its own on the common layer alone.
    allowed["mail"] = {"common", "mail/parse", "mail/transfer"};
    allowed["mail/parse"] = {"common", "mail"};
    allowed["mail/transfer"] = {"common", "mail"};
    return allowed;
}

// The layer of a path below src/ ("store/receive_list.h"): the longest layer name it begins with.
std::string layer_of(const std::string& path, const std::map<std::string, std::set<std::string>>& allowed) {
    if (path == "main.cpp") return "program";
    std::string best;
    for (const auto& [layer, _] : allowed) {
        if (path.rfind(layer + "/", 0) == 0 && layer.size() > best.size()) best = layer;
    }
    return best;
}

// Empty when allowed, else why not.
std::string check_include(const std::string& file, const std::string& header) {
    static const auto allowed = allowed_includes();
    std::string from = layer_of(file, allowed);
    if (from.empty()) return file + ": a folder of no layer (add it to the stack of this test)";
    std::string to = layer_of(header, allowed);
    if (to.empty() || to == from || allowed.at(from).count(to)) return {};
    return file + " (" + from + ") includes " + header + " (" + to + ")";
}

TEST(IncludeLayers, TheRuleRefusesUpwardsAndSideways) {
    struct Case {
        const char* file;
        const char* header;
        bool allowed;
    };
    const Case cases[] = {
        {"shell/main_load.cpp", "store/receive_list.h", true},
        {"folders/trash_move.cpp", "transfer/send.h", true},
        {"store/receive_list.cpp", "transfer/receive.h", false},   // upwards
        {"viewer/viewer.cpp", "folders/folder_windows.h", false},  // a sibling
        {"platform/forms.cpp", "store/mail_stores.h", false},
        {"store/x.cpp", "platform/qt/qt_view.h", false},
        {"main.cpp", "platform/qt/qt_platform.h", true},
        {"mail/parse/parse_result.h", "store/parse_exchange.h", false},
        {"mail/main.cpp", "mail/parse/charset.h", true},
        {"common/sjis.cpp", "platform/platform.h", false},
    };
    for (const Case& c : cases) EXPECT_EQ(check_include(c.file, c.header).empty(), c.allowed) << c.file << " " << c.header;
    EXPECT_FALSE(check_include("newthing/a.cpp", "common/sjis.h").empty());
}

TEST(IncludeLayers, EverySourceIncludesOnlyItsOwnLayerAndTheLayersBelow) {
    const fs::path src = TALVENOR_SOURCE_DIR "/src";
    const std::regex include_line(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> violations;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        ++files;
        std::string file = fs::relative(entry.path(), src).generic_string();
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::smatch m;
            if (!std::regex_search(line, m, include_line)) continue;
            std::string why = check_include(file, m[1]);
            if (!why.empty()) violations.push_back(why);
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_TRUE(violations.empty()) << testing::PrintToString(violations);
}

}  // namespace
