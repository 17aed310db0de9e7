#include "common/iso2022jp.h"

#include <optional>

namespace tv {

namespace {

enum class Mode { Ascii, Kanji, Kanji0212, Kana };

// The escape sequences after ESC and the mode each selects; "&@" only announces the 1990 edition of
// the set that follows, so the mode stays.
struct Designation {
    std::string_view sequence;
    std::optional<Mode> mode;
};
constexpr Designation kDesignations[] = {
    {"(B", Mode::Ascii}, {"(J", Mode::Ascii}, {"(H", Mode::Ascii},  {"(I", Mode::Kana},
    {"$@", Mode::Kanji}, {"$B", Mode::Kanji}, {"$(B", Mode::Kanji}, {"$(Q", Mode::Kanji},
    {"$(O", Mode::Kanji}, {"$(D", Mode::Kanji0212}, {"&@", std::nullopt},
};

// JIS X 0208 row/cell bytes (0x21-0x7E each) to the CP932 pair, rows 13 and 89-92 included.
void append_jis_pair(std::string& out, unsigned char c1, unsigned char c2) {
    unsigned lead = ((c1 - 0x21u) >> 1) + 0x81u;
    if (lead > 0x9Fu) lead += 0x40u;
    unsigned trail;
    if (((c1 - 0x21u) & 1u) == 0) {
        trail = c2 + 0x1Fu + (c2 >= 0x60 ? 1u : 0u);
    } else {
        trail = c2 + 0x7Eu;
    }
    out.push_back(static_cast<char>(lead));
    out.push_back(static_cast<char>(trail));
}

}  // namespace

std::string jis_to_cp932(std::string_view in) {
    Mode mode = Mode::Ascii;
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        auto c = static_cast<unsigned char>(in[i]);
        if (c == 0x1B) {
            // A known sequence is taken whole; of an unknown one the ESC byte alone is dropped.
            std::string_view rest = in.substr(i + 1);
            for (const Designation& d : kDesignations) {
                if (!rest.starts_with(d.sequence)) continue;
                if (d.mode) mode = *d.mode;
                i += d.sequence.size();
                break;
            }
            continue;
        }
        if (c == 0x0E) {
            mode = Mode::Kana;
            continue;
        }
        if (c == 0x0F) {
            mode = Mode::Ascii;
            continue;
        }
        if (c == '\r' || c == '\n') {
            mode = Mode::Ascii;
            out.push_back(static_cast<char>(c));
            continue;
        }
        switch (mode) {
            case Mode::Ascii:
                out.push_back(static_cast<char>(c));
                break;
            case Mode::Kana:
                out.push_back(static_cast<char>(c >= 0x21 && c <= 0x5F ? c + 0x80 : c));
                break;
            case Mode::Kanji:
            case Mode::Kanji0212: {
                if (c < 0x21 || c > 0x7E) {
                    out.push_back(c < 0x21 ? static_cast<char>(c) : '?');
                    break;
                }
                auto next = i + 1 < in.size() ? static_cast<unsigned char>(in[i + 1]) : 0;
                if (next < 0x21 || next > 0x7E) {
                    out.push_back('?');
                    break;
                }
                ++i;
                if (mode == Mode::Kanji) {
                    append_jis_pair(out, c, next);
                } else {
                    out.push_back('?');  // JIS X 0212 has no place in CP932
                }
                break;
            }
        }
    }
    return out;
}

}  // namespace tv
