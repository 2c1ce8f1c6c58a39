#include "shell/toolbaricons.h"

#include <cmath>
#include <functional>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace dw::shell {

namespace {

// Every image is drawn on a 16 x 16 grid and scaled, so both sizes show the same picture.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 245);
const QColor kHourColour(30, 60, 160);
const QColor kMinuteColour(20, 120, 40);
const QColor kSecondColour(200, 30, 30);

QPen pen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p) {
    QPainterPath outline;
    outline.moveTo(3, 1);
    outline.lineTo(10, 1);
    outline.lineTo(13, 4);
    outline.lineTo(13, 15);
    outline.lineTo(3, 15);
    outline.closeSubpath();
    p.setPen(pen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(outline);
    p.drawPolyline(QPolygonF({{10, 1}, {10, 4}, {13, 4}}));
}

void folder(QPainter& p) {
    p.setPen(pen(QColor(130, 90, 20), 1));
    p.setBrush(QColor(240, 190, 70));
    p.drawPolygon(QPolygonF({{1, 3}, {6, 3}, {7, 5}, {15, 5}, {15, 14}, {1, 14}}));
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(QPolygonF({{1, 14}, {3, 7}, {16, 7}, {15, 14}}));
}

void disk(QPainter& p) {
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4, 9, 8, 5.5));
}

void play(QPainter& p) {
    p.setPen(pen(QColor(20, 100, 30), 1));
    p.setBrush(QColor(50, 180, 60));
    p.drawPolygon(QPolygonF({{4, 2}, {14, 8}, {4, 14}}));
}

void stop(QPainter& p) {
    p.setPen(pen(QColor(120, 20, 20), 1));
    p.setBrush(QColor(210, 40, 40));
    p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
}

void crosshair(QPainter& p) {
    p.setPen(pen(kSecondColour, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 5, 5);
    p.setPen(pen(kInk, 1));
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
}

void film(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(1, 3, 14, 10));
    p.setBrush(kPaper);
    for (int x = 2; x < 15; x += 3) {
        p.drawRect(QRectF(x, 4, 1.5, 1.5));
        p.drawRect(QRectF(x, 10.5, 1.5, 1.5));
    }
    p.setBrush(QColor(120, 170, 230));
    p.drawRect(QRectF(3, 6.5, 10, 3));
}

// A small clock face with one hand, the hand's colour telling hour, minute or second.
void face(QPainter& p, const QColor& colour, double length, double angleDegrees) {
    p.setPen(pen(kInk, 1));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    const double radians = angleDegrees * M_PI / 180.0;
    p.setPen(pen(colour, 2));
    p.drawLine(QPointF(8, 8),
               QPointF(8 + length * std::sin(radians), 8 - length * std::cos(radians)));
}

void smooth(QPainter& p, const QColor& colour, double length) {
    face(p, colour, length, 60);
    // A gliding arc: the hand moves without steps.
    p.setPen(pen(colour, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3, 3, 10, 10), 90 * 16 - 10 * 16, -40 * 16);
}

void jitter(QPainter& p, const QColor& colour, double length) {
    face(p, colour, length, 60);
    // A zigzag beside the hand's tip: it wobbles into place.
    p.setPen(pen(colour, 1));
    p.drawPolyline(QPolygonF({{9.5, 1.5}, {11, 3}, {12.5, 1.5}, {14, 3}, {15.5, 1.5}}));
}

void unknown(QPainter& p) {
    p.setPen(pen(kInk, 1));
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, "?");
}

Drawing drawingOf(std::string_view key) {
    struct Entry {
        std::string_view key;
        Drawing drawing;
    };
    static const Entry table[] = {
        {"IDM_NEW", page},
        {"IDM_OPEN", folder},
        {"IDM_SAVE", disk},
        {"IDM_TEST", play},
        {"IDM_STOPTEST", stop},
        {"IDM_PLOTCENTRE", crosshair},
        {"IDM_SAVEAVI", film},
        {"IDM_SMOOTHH", [](QPainter& p) { smooth(p, kHourColour, 3.5); }},
        {"IDM_SMOOTHM", [](QPainter& p) { smooth(p, kMinuteColour, 5); }},
        {"IDM_SMOOTHS", [](QPainter& p) { smooth(p, kSecondColour, 6); }},
        {"IDM_JITTERH", [](QPainter& p) { jitter(p, kHourColour, 3.5); }},
        {"IDM_JITTERM", [](QPainter& p) { jitter(p, kMinuteColour, 5); }},
        {"IDM_JITTERS", [](QPainter& p) { jitter(p, kSecondColour, 6); }},
    };
    for (const Entry& entry : table) {
        if (entry.key == key) {
            return entry.drawing;
        }
    }
    return unknown;
}

QPixmap render(const Drawing& drawing, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    drawing(painter);
    return pixmap;
}

void clockFace(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x3a, 0x67));
    p.drawEllipse(QPointF(8, 8), 7.5, 7.5);
    p.setBrush(QColor(0xff, 0xfd, 0xf4));
    p.drawEllipse(QPointF(8, 8), 6.2, 6.2);
    p.setPen(pen(kHourColour, 1.6));
    p.drawLine(QPointF(8, 8), QPointF(10.8, 5.8));
    p.setPen(pen(kMinuteColour, 1.2));
    p.drawLine(QPointF(8, 8), QPointF(7.5, 3));
    p.setPen(pen(kSecondColour, 0.6));
    p.drawLine(QPointF(8, 8), QPointF(11.3, 11.3));
}

} // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(render(clockFace, size));
    }
    return icon;
}

QIcon toolbarIcon(std::string_view key) {
    const Drawing drawing = drawingOf(key);
    QIcon icon;
    icon.addPixmap(render(drawing, 16));
    icon.addPixmap(render(drawing, 24));
    return icon;
}

} // namespace dw::shell
