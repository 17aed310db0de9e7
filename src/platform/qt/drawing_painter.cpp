#include "platform/qt/drawing_painter.h"

#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <map>
#include <string>

#include "common/paths.h"
#include "platform/qt/qt_text.h"

namespace tv::platform::qt {

namespace {

QRect corners(const DrawOp& op) {
    return QRect(QPoint(std::min(op.x1, op.x2), std::min(op.y1, op.y2)),
                 QPoint(std::max(op.x1, op.x2), std::max(op.y1, op.y2)));
}

// A one-pixel outline on exactly the pixels of the rectangle's edges.
void outline(QPainter& painter, const QRect& r, const QColor& color) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

void line(QPainter& painter, const DrawOp& op, const QColor& color) {
    if (op.x1 == op.x2 || op.y1 == op.y2) {
        painter.fillRect(corners(op), color);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 0));
    painter.drawLine(op.x1, op.y1, op.x2, op.y2);
    painter.drawPoint(op.x1, op.y1);
    painter.drawPoint(op.x2, op.y2);
}

// Pictures are read once from their files; a file that cannot be read draws nothing.
const QImage& picture(const std::string& path) {
    static std::map<std::string, QImage> loaded;
    std::string disk = files::resolve(path).string();
    auto it = loaded.find(disk);
    if (it == loaded.end()) it = loaded.emplace(disk, QImage(QString::fromStdString(disk))).first;
    return it->second;
}

}  // namespace

void paint_drawing(QPainter& painter, const std::vector<DrawOp>& ops, std::vector<PaintedItem>* record) {
    painter.setBackgroundMode(Qt::TransparentMode);
    // Texts in a row mostly share their font: it is made anew only when it changes.
    const Font* made_for = nullptr;
    QFont font;
    QFontMetrics metrics(font);
    for (const DrawOp& op : ops) {
        PaintedItem item;
        item.kind = op.kind;
        item.color = to_qcolor(op.color);
        switch (op.kind) {
            case DrawOp::Kind::Text: {
                if (!made_for || !(*made_for == op.font)) {
                    made_for = &op.font;
                    font = to_qfont(op.font);
                    metrics = QFontMetrics(font);
                    painter.setFont(font);
                }
                item.text = to_qstring(op.text);
                painter.setPen(item.color);
                // The position is the top of the character cell; Qt draws from the baseline.
                painter.drawText(QPoint(op.x1, op.y1 + metrics.ascent()), item.text);
                item.rect = QRect(op.x1, op.y1, metrics.horizontalAdvance(item.text), metrics.height());
                item.family = painter.fontInfo().family();  // the font actually used
                item.pixel_size = font.pixelSize();
                item.bold = font.bold();
                item.italic = font.italic();
                break;
            }
            case DrawOp::Kind::FilledBox:
                item.rect = corners(op);
                item.fill = to_qcolor(op.fill);
                painter.fillRect(item.rect, item.fill);
                outline(painter, item.rect, item.color);
                break;
            case DrawOp::Kind::Box:
                item.rect = corners(op);
                outline(painter, item.rect, item.color);
                break;
            case DrawOp::Kind::Line:
                item.rect = QRect(QPoint(op.x1, op.y1), QPoint(op.x2, op.y2));
                line(painter, op, item.color);
                break;
            case DrawOp::Kind::Picture: {
                item.rect = corners(op);
                item.text = QString::fromStdString(op.text);
                const QImage& image = picture(op.text);
                if (!image.isNull()) painter.drawImage(item.rect, image);
                break;
            }
        }
        if (record) record->push_back(std::move(item));
    }
}

}  // namespace tv::platform::qt
