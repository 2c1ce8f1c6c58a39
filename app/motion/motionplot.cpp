#include "motion/motionplot.h"

#include <QChart>
#include <QFont>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include "design/clockdesign.h"
#include "design/numbertext.h"
#include "design/runtimeerror.h"
#include "run/designersession.h"

namespace dw::motion {

namespace {

QFont plotFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A picture lasts from its frame to the next: the line holds its angle until it changes and
// climbs or falls there, with a point only at each change.
QLineSeries* steppedSeries(const std::vector<MotionSample>& samples, int MotionSample::*index,
                           const QString& name, const QColor& colour) {
    auto* series = new QLineSeries();
    series->setName(name);
    QPen pen(colour);
    pen.setWidthF(2.0);
    series->setPen(pen);
    int previous = samples.front().*index;
    series->append(static_cast<qreal>(samples.front().frame), previous);
    for (const MotionSample& sample : samples) {
        const int value = sample.*index;
        if (value != previous) {
            series->append(static_cast<qreal>(sample.frame), previous);
            series->append(static_cast<qreal>(sample.frame), value);
            previous = value;
        }
    }
    series->append(static_cast<qreal>(samples.back().frame + 1), previous);
    return series;
}

QValueAxis* axis(const QString& title, qreal low, qreal high, int ticks) {
    auto* a = new QValueAxis();
    a->setTitleText(title);
    a->setTitleFont(plotFont(13));
    a->setLabelsFont(plotFont(11));
    a->setRange(low, high);
    a->setTickCount(ticks);
    a->setLabelFormat(QStringLiteral("%d"));
    return a;
}

std::string startText(const design::ClockDesign& d) {
    try {
        char text[64];
        std::snprintf(text, sizeof text, "%d:%02d:%02d", design::int32Of(d.timeh),
                      design::int32Of(d.timem), design::int32Of(d.times));
        return text;
    } catch (const design::RuntimeError&) {
        return d.timeh + ":" + d.timem + ":" + d.times;
    }
}

} // namespace

QImage drawMotionPlot(const MotionRun& run, const std::string& title, int width, int height) {
    if (run.samples.empty() || width < 200 || height < 150 || width > 16384 || height > 16384) {
        return {};
    }
    QChart chart;
    chart.setAnimationOptions(QChart::NoAnimation);
    chart.setTitle(QString::fromStdString(title));
    chart.setTitleFont(plotFont(15, true));
    chart.legend()->setAlignment(Qt::AlignBottom);
    chart.legend()->setFont(plotFont(12));
    std::vector<QLineSeries*> lines;
    if (run.sweep) {
        lines.push_back(steppedSeries(run.samples, &MotionSample::second,
                                      QStringLiteral("Sweep line"), QColor(200, 40, 40)));
    } else {
        lines.push_back(steppedSeries(run.samples, &MotionSample::hour, QStringLiteral("Hour hand"),
                                      QColor(30, 70, 180)));
        lines.push_back(steppedSeries(run.samples, &MotionSample::minute,
                                      QStringLiteral("Minute hand"), QColor(30, 150, 60)));
        lines.push_back(steppedSeries(run.samples, &MotionSample::second,
                                      QStringLiteral("Second hand"), QColor(200, 40, 40)));
    }
    const qreal first = static_cast<qreal>(run.samples.front().frame);
    const qreal last = static_cast<qreal>(run.samples.back().frame + 1);
    QValueAxis* x = axis(QStringLiteral("Frame"), first, last, 7);
    QValueAxis* y =
        axis(QStringLiteral("Angle index (degrees from six o'clock, anticlockwise)"), 0, 360, 9);
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    for (QLineSeries* line : lines) {
        chart.addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.setGeometry(0, 0, width, height);
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(0, 0, width, height), QRectF(0, 0, width, height));
    }
    scene.removeItem(&chart);
    return picture;
}

int defaultPlotSeconds(const design::ClockDesign& d) {
    constexpr int kMost = 60;
    try {
        const std::int32_t seconds = design::int32Of(d.duration);
        return seconds >= 1 && seconds < kMost ? seconds : kMost;
    } catch (const design::RuntimeError&) {
        return kMost;
    }
}

MotionOutcome makeMotionPlot(run::DesignerSession& session, design::HostTap& tap,
                             const MotionOptions& options) {
    MotionOutcome outcome;
    if (options.seconds < 1) {
        outcome.error = "a motion plot needs at least one second";
        return outcome;
    }
    outcome.run = collectMotion(session, tap, options.seconds, options.progress);
    if (!outcome.run.error.empty()) {
        outcome.error = outcome.run.error;
        return outcome;
    }
    std::string fps = session.design().copyfps;
    const std::string title = (outcome.run.sweep ? "Sweep from " : "Hand angles from ") +
                              startText(session.design()) + " at " + fps + " frames per second, " +
                              std::to_string(options.seconds) +
                              (options.seconds == 1 ? " second" : " seconds");
    outcome.plot = drawMotionPlot(outcome.run, title, options.width, options.height);
    if (outcome.plot.isNull()) {
        outcome.error = "the motion plot cannot be drawn at " + std::to_string(options.width) +
                        " x " + std::to_string(options.height);
    }
    return outcome;
}

} // namespace dw::motion
