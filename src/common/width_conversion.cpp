#include "common/width_conversion.h"

#include <array>
#include <cstdint>
#include <unordered_map>

#include "common/sjis.h"

namespace tv {

namespace {

constexpr std::uint16_t kBlackSquare = 0x81A1;
constexpr std::uint16_t kFullBlank = 0x8140;
constexpr unsigned char kHalfU = 0xB3;
constexpr std::uint16_t kFullVu = 0x8394;

// Full-width forms of 0x20..0x7E.
constexpr std::array<std::uint16_t, 95> kAsciiFull{
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169, 0x816A, 0x8196, 0x817B,
    0x8143, 0x817C, 0x8144, 0x815E, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x8197, 0x8260, 0x8261, 0x8262,
    0x8263, 0x8264, 0x8265, 0x8266, 0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, 0x8277, 0x8278, 0x8279, 0x816D,
    0x818F, 0x816E, 0x814F, 0x8151, 0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, 0x8290, 0x8291, 0x8292, 0x8293,
    0x8294, 0x8295, 0x8296, 0x8297, 0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150};

// Full-width forms of the half-width katakana and signs 0xA1..0xDF.
constexpr std::array<std::uint16_t, 63> kKanaFull{
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383,
    0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367,
    0x8369, 0x836A, 0x836B, 0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F,
    0x8393, 0x814A, 0x814B};

bool takes_voiced_mark(unsigned char kana) { return (kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE); }
bool takes_semi_voiced_mark(unsigned char kana) { return kana >= 0xCA && kana <= 0xCE; }

void put(std::string& out, std::uint16_t code) {
    out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

// Full-width code to its half-width bytes, built once from the two tables.
const std::unordered_map<std::uint16_t, std::string>& half_width_table() {
    static const auto table = [] {
        std::unordered_map<std::uint16_t, std::string> t;
        for (std::size_t i = 0; i < kAsciiFull.size(); ++i) t.emplace(kAsciiFull[i], std::string(1, static_cast<char>(0x20 + i)));
        for (std::size_t i = 0; i < kKanaFull.size(); ++i) {
            auto kana = static_cast<unsigned char>(0xA1 + i);
            t.emplace(kKanaFull[i], std::string(1, static_cast<char>(kana)));
            if (takes_voiced_mark(kana)) t.emplace(kKanaFull[i] + 1, std::string{static_cast<char>(kana), '\xDE'});
            if (takes_semi_voiced_mark(kana)) t.emplace(kKanaFull[i] + 2, std::string{static_cast<char>(kana), '\xDF'});
        }
        return t;
    }();
    return table;
}

}  // namespace

std::string TO_FULL_WIDTH(std::string_view text, const FullWidthRules& rules) {
    std::string out;
    out.reserve(text.size() * 2);
    unsigned char last_kana = 0;  // the half-width kana just converted, for a following mark
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        unsigned char kana = 0;
        if (is_lead_byte(c) && i + 1 < text.size()) {
            out.append(text.substr(i, 2));
            ++i;
        } else if (c >= 0x20 && c <= 0x7E) {
            put(out, kAsciiFull[c - 0x20]);
        } else if ((c == 0x7F || c == 0xA0) && rules.blank_for_del_nbsp) {
            put(out, kFullBlank);
        } else if (c == 0xDE && last_kana == kHalfU && rules.voiced_u) {
            out.resize(out.size() - 2);
            put(out, kFullVu);
        } else if (c == 0xDE && last_kana && takes_voiced_mark(last_kana)) {
            out.back() = static_cast<char>(static_cast<unsigned char>(out.back()) + 1);
        } else if (c == 0xDF && last_kana && takes_semi_voiced_mark(last_kana)) {
            out.back() = static_cast<char>(static_cast<unsigned char>(out.back()) + 2);
        } else if (c >= 0xA1 && c <= 0xDF) {
            put(out, kKanaFull[c - 0xA1]);
            kana = c;
        } else {
            put(out, kBlackSquare);
        }
        last_kana = kana;
    }
    return out;
}

std::string TO_HALF_WIDTH(std::string_view text) {
    const auto& table = half_width_table();
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (is_lead_byte(c) && i + 1 < text.size()) {
            auto code = static_cast<std::uint16_t>((c << 8) | static_cast<unsigned char>(text[i + 1]));
            auto it = table.find(code);
            if (it != table.end()) {
                out += it->second;
            } else {
                out.append(text.substr(i, 2));
            }
            ++i;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string convert_width(std::string_view text) { return TO_HALF_WIDTH(TO_FULL_WIDTH(text)); }

std::string fit_column(std::string_view text, std::size_t width) {
    std::string cut(text.substr(0, width));
    cut.append(width - cut.size(), ' ');
    return fit_width(convert_width(cut), width);
}

}  // namespace tv
