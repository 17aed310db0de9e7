#include "viewer/html_entities.h"

#include <charconv>
#include <unordered_map>

#include "common/charset_converter.h"

namespace tv::viewer {

namespace {

// Names of consecutive code points, from `first` on, separated by blanks.
struct EntityRun {
    char32_t first;
    const char* names;
};

constexpr EntityRun kEntityRuns[] = {
    {34, "quot"}, {34, "QUOT"}, {38, "amp"}, {38, "AMP"}, {39, "apos"}, {60, "lt"}, {60, "LT"}, {62, "gt"}, {62, "GT"},
    {160,
     "nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr "
     "deg plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo frac14 frac12 frac34 iquest "
     "Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml Igrave Iacute Icirc Iuml "
     "ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash Ugrave Uacute Ucirc Uuml Yacute THORN szlig "
     "agrave aacute acirc atilde auml aring aelig ccedil egrave eacute ecirc euml igrave iacute icirc iuml "
     "eth ntilde ograve oacute ocirc otilde ouml divide oslash ugrave uacute ucirc uuml yacute thorn yuml"},
    {169, "COPY"}, {174, "REG"},
    {338, "OElig oelig"}, {352, "Scaron scaron"}, {376, "Yuml"}, {402, "fnof"}, {710, "circ"}, {732, "tilde"},
    {913, "Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Mu Nu Xi Omicron Pi Rho"},
    {931, "Sigma Tau Upsilon Phi Chi Psi Omega"},
    {945, "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi omicron pi rho sigmaf sigma "
          "tau upsilon phi chi psi omega"},
    {977, "thetasym upsih"}, {982, "piv"},
    {8194, "ensp emsp"}, {8201, "thinsp"}, {8204, "zwnj zwj lrm rlm"}, {8211, "ndash mdash"},
    {8216, "lsquo rsquo sbquo"}, {8220, "ldquo rdquo bdquo"}, {8224, "dagger Dagger bull"}, {8230, "hellip"},
    {8240, "permil"}, {8242, "prime Prime"}, {8249, "lsaquo rsaquo"}, {8254, "oline"}, {8260, "frasl"},
    {8364, "euro"}, {8465, "image"}, {8472, "weierp"}, {8476, "real"}, {8482, "trade"}, {8501, "alefsym"},
    {8592, "larr uarr rarr darr harr"}, {8629, "crarr"}, {8656, "lArr uArr rArr dArr hArr"},
    {8704, "forall"}, {8706, "part exist"}, {8709, "empty"}, {8711, "nabla isin notin"}, {8715, "ni"},
    {8719, "prod"}, {8721, "sum minus"}, {8727, "lowast"}, {8730, "radic"}, {8733, "prop infin"}, {8736, "ang"},
    {8743, "and or cap cup int"}, {8756, "there4"}, {8764, "sim"}, {8773, "cong"}, {8776, "asymp"},
    {8800, "ne equiv"}, {8804, "le ge"}, {8834, "sub sup nsub"}, {8838, "sube supe"}, {8853, "oplus"},
    {8855, "otimes"}, {8869, "perp"}, {8901, "sdot"}, {8968, "lceil rceil lfloor rfloor"}, {9001, "lang rang"},
    {9674, "loz"}, {9824, "spades"}, {9827, "clubs"}, {9829, "hearts diams"},
};

const std::unordered_map<std::string, char32_t>& entity_table() {
    static const auto table = [] {
        std::unordered_map<std::string, char32_t> t;
        for (const EntityRun& run : kEntityRuns) {
            char32_t code = run.first;
            std::string_view names = run.names;
            while (!names.empty()) {
                std::size_t end = names.find(' ');
                t.emplace(std::string(names.substr(0, end)), code++);
                names.remove_prefix(end == std::string_view::npos ? names.size() : end + 1);
            }
        }
        return t;
    }();
    return table;
}

// The code point a reference's inside ("amp", "#38", "#x26") names; 0 for none.
char32_t code_of(std::string_view inside) {
    if (inside.size() > 1 && inside[0] == '#') {
        bool hex = inside[1] == 'x' || inside[1] == 'X';
        std::string_view digits = inside.substr(hex ? 2 : 1);
        unsigned long value = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
        if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return 0;
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
        return static_cast<char32_t>(value);
    }
    auto it = entity_table().find(std::string(inside));
    return it == entity_table().end() ? 0 : it->second;
}

std::string cp932_of(char32_t c) {
    if (c < 0x20 || c == 0x7F || c == 0xA0) return " ";
    const char bytes[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                           static_cast<char>((c >> 16) & 0xFF), static_cast<char>(c >> 24)};
    return charset_converter("UTF-32LE", "CP932").substituting(std::string_view(bytes, 4), "?", [](std::string_view) {
        return std::size_t{4};
    });
}

// The longest reference the decoder looks at ("&thetasym;", "&#x10FFFF;").
constexpr std::size_t kLongestReference = 12;

}  // namespace

std::string decode_html_entities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t amp = text.find('&', i);
        if (amp == std::string_view::npos) break;
        out.append(text.substr(i, amp - i));
        std::size_t semicolon = text.substr(amp, kLongestReference).find(';');
        char32_t code = semicolon == std::string_view::npos ? 0 : code_of(text.substr(amp + 1, semicolon - 1));
        if (code == 0) {
            out += '&';
            i = amp + 1;
        } else {
            out += cp932_of(code);
            i = amp + semicolon + 1;
        }
    }
    out.append(text.substr(std::min(i, text.size())));
    return out;
}

}  // namespace tv::viewer
