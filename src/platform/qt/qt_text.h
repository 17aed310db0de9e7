// The Qt boundary of our CP932 texts: display strings, typed input, colours and fonts.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "platform/forms.h"

namespace tv::platform::qt {

// CP932 to a display string; invalid bytes show as U+FFFD.
QString to_qstring(std::string_view cp932);
// Typed or pasted text to CP932; nullopt when CP932 cannot hold it.
std::optional<std::string> from_qstring(const QString& text);

// The same for a multi-line edit, whose widget ends lines with LF where the model holds CR LF.
QString lines_to_qstring(std::string_view cp932);
std::optional<std::string> lines_from_qstring(const QString& text);

QColor to_qcolor(Rgb rgb);

// The font family that stands in for a face name (CP932), e.g. "ＭＳ 明朝" -> IPAMincho.
QString font_family(std::string_view face);
// The font of a text or control; `weight` (100..900) is the control's weight, 0 for none.
QFont to_qfont(const Font& font, int weight = 0);

}  // namespace tv::platform::qt
