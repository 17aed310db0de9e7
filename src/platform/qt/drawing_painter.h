// Paints a form's retained drawing list onto its surface, in order.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>
#include <vector>

#include "platform/forms.h"

namespace tv::platform::qt {

// What one paint put on the surface, for checking the view against the model.
struct PaintedItem {
    DrawOp::Kind kind = DrawOp::Kind::Text;
    QRect rect;       // a box or line with both corners; for a text its position and ink size
    QString text;
    QColor color;     // text, outline or line colour
    QColor fill;
    QString family;   // the font family a text was drawn in
    int pixel_size = 0;
    bool bold = false;
    bool italic = false;
};

// Texts are drawn with a transparent background at the top-left corner of their first character;
// boxes and lines include both end points and are one pixel wide.
void paint_drawing(QPainter& painter, const std::vector<DrawOp>& ops, std::vector<PaintedItem>* record);

}  // namespace tv::platform::qt
