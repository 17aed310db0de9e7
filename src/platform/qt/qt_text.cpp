#include "platform/qt/qt_text.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/sjis.h"

namespace tv::platform::qt {

namespace {

struct FaceMapping {
    const char* face;  // UTF-8 spelling of the face name
    const char* family;
};

// Faces the program names and the installed fonts (Debian fonts-ipafont) that replace them. The
// fixed-pitch IPA faces draw full-width characters exactly two half-widths wide.
constexpr std::array<FaceMapping, 8> kFaces{{
    {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ ゴシック", "IPAGothic"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"MS Mincho", "IPAMincho"},
    {"MS Gothic", "IPAGothic"},
    {"MS PMincho", "IPAPMincho"},
    {"MS PGothic", "IPAPGothic"},
}};

}  // namespace

QString to_qstring(std::string_view cp932) { return QString::fromStdString(to_utf8(cp932)); }

std::optional<std::string> from_qstring(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return from_utf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString lines_to_qstring(std::string_view cp932) {
    // One pass over the bytes (CR and LF are never trail bytes): QString::replace moves the rest of
    // the text for every batch of matches, which takes seconds on a large mail source.
    std::string lines;
    lines.reserve(cp932.size());
    for (std::size_t i = 0; i < cp932.size(); ++i) {
        if (cp932[i] != '\r') {
            lines.push_back(cp932[i]);
        } else {
            lines.push_back('\n');
            if (i + 1 < cp932.size() && cp932[i + 1] == '\n') ++i;
        }
    }
    return to_qstring(lines);
}

std::optional<std::string> lines_from_qstring(const QString& text) {
    QString lines = text;
    lines.replace(QChar::ParagraphSeparator, QChar('\n'));
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return from_qstring(lines);
}

QColor to_qcolor(Rgb rgb) { return QColor(rgb.r, rgb.g, rgb.b); }

QString font_family(std::string_view face) {
    std::string utf8 = to_utf8(face);
    for (const auto& mapping : kFaces) {
        if (utf8 == mapping.face) return QString::fromLatin1(mapping.family);
    }
    return QString::fromStdString(utf8);
}

QFont to_qfont(const Font& font, int weight) {
    QFont result;
    if (!font.face.empty()) result.setFamilies({font_family(font.face)});
    // A Qt pixel size is the em height, which is the character height without internal leading.
    result.setPixelSize(character_height(font));
    int w = font.bold ? 700 : (weight > 0 ? weight : 400);
    result.setWeight(static_cast<QFont::Weight>(std::clamp(w, 100, 900)));
    result.setItalic(font.italic);
    result.setKerning(false);  // fixed byte columns must line up
    return result;
}

}  // namespace tv::platform::qt
