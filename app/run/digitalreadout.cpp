#include "run/digitalreadout.h"

#include <cmath>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include "design/clockdesign.h"
#include "design/numbertext.h"
#include "design/picture.h"

namespace dw::run {

namespace {

QColor colourOf(std::int32_t value) {
    const auto c = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QString textOf(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ReadoutTexts readoutTexts(const design::ClockDesign& design) {
    return {design.ac_edtHead, design.ac_edtHourSep, design.ac_edtMinSep,
            design.ac_edtTail, design.ac_edtAM,      design.ac_edtPM};
}

std::vector<ReadoutItem> readoutItems(const ReadoutStyle& style, const ReadoutTexts& texts,
                                      const DigitalNumbers& numbers, bool isAM, bool separatorsOn) {
    if (style.secondsOnly) {
        return {{numbers.seconds, style.secondColour, true}};
    }
    const bool twelveHour = style.hourMode == HourMode::Twelve;
    const ReadoutItem marker{isAM ? texts.am : texts.pm, style.separatorColour, true};
    const bool separatorsDrawn = !style.flash || separatorsOn;

    std::vector<ReadoutItem> items;
    items.push_back({texts.head, style.separatorColour, true});
    if (twelveHour && !style.ampmAfter) {
        items.push_back(marker);
    }
    items.push_back({numbers.hours, style.hourColour, true});
    items.push_back({texts.hourSep, style.separatorColour, separatorsDrawn});
    items.push_back({numbers.minutes, style.minuteColour, true});
    items.push_back({texts.minSep, style.separatorColour, separatorsDrawn});
    items.push_back({numbers.seconds, style.secondColour, true});
    if (twelveHour && style.ampmAfter) {
        items.push_back(marker);
    }
    items.push_back({texts.tail, style.separatorColour, true});
    return items;
}

QFont readoutFont(const std::string& family, std::int16_t points, bool bold, bool italic) {
    QFont font(textOf(family));
    // Sizes are whole points at the desktop's 96 dots per inch; n * 4 / 3 is never a half.
    const int pixels = static_cast<int>(std::lround(points * 96.0 / 72.0));
    font.setPixelSize(pixels < 1 ? 1 : pixels);
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(false);
    // Hard pixels keep frames exact and comparable from run to run.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

ReadoutLayout layoutReadout(const QFont& font, std::int16_t left,
                            const std::vector<ReadoutItem>& items) {
    const QFontMetricsF advances(font);
    const QFontMetrics lines(font);
    ReadoutLayout layout;
    layout.height = design::toInt16(lines.ascent() + lines.descent());
    std::int16_t x = left;
    for (const ReadoutItem& item : items) {
        layout.items.push_back({item, x});
        const std::int16_t width = design::toInt16(advances.horizontalAdvance(textOf(item.text)));
        x = design::toInt16(static_cast<double>(x) + width);
    }
    layout.width = x;
    return layout;
}

ReadoutLayout drawDigitalTime(design::Picture& picture, const QFont& font, std::int16_t left,
                              std::int16_t top, const std::vector<ReadoutItem>& items,
                              bool measureOnly) {
    ReadoutLayout layout = layoutReadout(font, left, items);
    if (measureOnly || picture.isEmpty()) {
        return layout;
    }
    QImage view = picture.view();
    QPainter painter(&view);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    const int baseline = top + QFontMetrics(font).ascent();
    for (const PlacedItem& placed : layout.items) {
        if (!placed.item.drawn || placed.item.text.empty()) {
            continue;
        }
        painter.setPen(colourOf(placed.item.colour));
        painter.drawText(QPoint(placed.x, baseline), textOf(placed.item.text));
    }
    return layout;
}

} // namespace dw::run
