#include "sheet/contactsheet.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QFont>
#include <QPainter>

#include "design/hosttap.h"
#include "design/numbertext.h"
#include "design/picture.h"
#include "design/runtimeerror.h"
#include "run/designersession.h"
#include "run/framesink.h"
#include "run/runwriter.h"

namespace dw::sheet {

namespace {

constexpr int kGap = 8;
constexpr int kLabelHeight = 24;
constexpr int kLabelPixels = 14;
constexpr int kRefusalPixels = 12;

// Keeps the first frame of a run and refuses the next, which ends the run (as the still command
// does).
class FirstFrameCapture : public run::FrameSink {
public:
    bool open(int, int, int) override { return true; }
    bool writeFrame(const design::Picture& frame) override {
        if (mFrame.isNull()) {
            mFrame = frame.toImage();
        }
        return false;
    }
    void close() override {}
    const QImage& frame() const { return mFrame; }

private:
    QImage mFrame;
};

int startPart(const std::string& text) {
    try {
        return design::int32Of(text);
    } catch (const design::RuntimeError&) {
        return 0;
    }
}

SheetCell takeStill(run::DesignerSession& session, design::HostTap& tap, const ClockTime& time) {
    design::ClockDesign& d = session.design();
    d.timeh = std::to_string(time.hours);
    d.timem = std::to_string(time.minutes);
    d.times = std::to_string(time.seconds);
    auto capture = std::make_shared<FirstFrameCapture>();
    session.runState().runError.clear();
    tap.beginCapture();
    session.saveAviAs({}, capture);
    tap.endCapture();
    SheetCell cell{time, capture->frame(), {}};
    if (cell.still.isNull()) {
        for (const std::string& message : tap.messages()) {
            cell.refusal += (cell.refusal.empty() ? "" : "\n") + message;
        }
        const std::string& error = session.runState().runError;
        if (cell.refusal.empty()) {
            cell.refusal = !error.empty() && error != run::kFrameSinkRefused
                               ? error
                               : "The run ended before its first frame";
        }
    }
    return cell;
}

QFont labelFont(int pixels) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

SheetOutcome makeContactSheet(run::DesignerSession& session, design::HostTap& tap,
                              const SheetOptions& options, const SheetProgress& progress) {
    SheetOutcome outcome;
    if (session.runState().running) {
        // Every still would be refused with it; the sheet is refused once instead.
        outcome.error = kClockRunning;
        return outcome;
    }
    design::ClockDesign& d = session.design();
    const std::string hours = d.timeh, minutes = d.timem, seconds = d.times;
    const std::vector<ClockTime> times =
        options.times.empty()
            ? hardMoments({startPart(hours), startPart(minutes), startPart(seconds)})
            : options.times;
    for (const ClockTime& time : times) {
        outcome.cells.push_back(takeStill(session, tap, time));
        if (progress) {
            progress(static_cast<int>(outcome.cells.size()), static_cast<int>(times.size()));
        }
    }
    d.timeh = hours;
    d.timem = minutes;
    d.times = seconds;
    outcome.sheet = drawSheet(outcome.cells, options.columns, options.scale);
    if (outcome.sheet.isNull()) {
        outcome.error = "the contact sheet is too large to draw";
    }
    return outcome;
}

QImage drawSheet(const std::vector<SheetCell>& cells, int columns, double scale) {
    if (cells.empty() || !(scale > 0)) {
        return {};
    }
    // Every cell has the size of the design's frames; a sheet of refusals only gets a default.
    QSize frame(320, 240);
    for (const SheetCell& cell : cells) {
        if (!cell.still.isNull()) {
            frame = cell.still.size();
            break;
        }
    }
    const int count = static_cast<int>(cells.size());
    const int across = columns > 0
                           ? std::min(columns, count)
                           : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int down = (count + across - 1) / across;
    const int cellW = std::max(1, static_cast<int>(std::lround(frame.width() * scale)));
    const int cellH = std::max(1, static_cast<int>(std::lround(frame.height() * scale)));
    const qint64 width = kGap + static_cast<qint64>(across) * (cellW + kGap);
    const qint64 height = kGap + static_cast<qint64>(down) * (cellH + kLabelHeight + kGap);
    if (width > 32767 || height > 32767) {
        return {};
    }
    QImage sheet(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (sheet.isNull()) {
        return {};
    }
    sheet.fill(QColor(224, 224, 224));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < count; ++i) {
        const SheetCell& cell = cells[static_cast<std::size_t>(i)];
        const QRect picture(kGap + (i % across) * (cellW + kGap),
                            kGap + (i / across) * (cellH + kLabelHeight + kGap), cellW, cellH);
        if (!cell.still.isNull()) {
            painter.drawImage(picture, cell.still);
        } else {
            painter.fillRect(picture, QColor(250, 250, 250));
            painter.setPen(QColor(160, 0, 0));
            painter.setFont(labelFont(kRefusalPixels));
            painter.drawText(picture.adjusted(6, 6, -6, -6), Qt::AlignCenter | Qt::TextWordWrap,
                             QString::fromStdString(cell.refusal));
        }
        const QRect label(picture.left(), picture.bottom() + 1, cellW, kLabelHeight);
        painter.fillRect(label, Qt::white);
        painter.setPen(Qt::black);
        painter.setFont(labelFont(kLabelPixels));
        painter.drawText(label, Qt::AlignCenter, QString::fromStdString(clockTimeText(cell.time)));
    }
    return sheet;
}

} // namespace dw::sheet
