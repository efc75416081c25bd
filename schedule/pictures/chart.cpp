#include "chart.h"

#include "conversions.h"
#include "language.h"
#include "pixellines.h"

#include <QPainter>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb Background = 0xFFFFFFFF;
constexpr QRgb HotBand = 0xFFFFF0F0;
constexpr QRgb MainLine = 0xFFD0D0D0;
constexpr QRgb MinorLine = 0xFFF0F0F0;
constexpr QRgb LabelColor = 0xFF808080;
constexpr int HotTenths = 600;   // 60.0 °C
constexpr int MaxTimeLines = 11; // the newest tick and up to ten before it
constexpr std::int64_t MsPerMinute = 60'000;
constexpr int LastSample = int(ChartSampleCount) - 1;

int Round(double value) {
    return static_cast<int>(RoundHalfEven(value));
}

// The plot area: PW = W - 80 wide from x = 40, PH = H - 41 high from y = 20.
struct ChartFrame {
    int width;
    int height;
    ChartRange range;
    double plotWidth() const { return width - 80; }
    double plotHeight() const { return height - 41; }
    double valueY(double v) const {
        return (1.0 - (v - range.lower) / (range.upper - range.lower)) * plotHeight() + 20;
    }
};

QString TimeLineText(std::int64_t tickMs, const QLocale& locale) {
    const QDateTime tick = WallClockFromMs(tickMs);
    if (tick.time() == QTime(0, 0))
        return locale.toString(tick.date(), QLocale::ShortFormat);
    return locale.toString(tick.time(), QLocale::ShortFormat);
}

} // namespace

QFont ChartScene::ChartFont() {
    QFont font;
    font.setPointSize(8);
    return font;
}

QRgb ChartCurveColor(int chartMode) {
    switch (chartMode) {
    case 0:
        return 0xFF0000FF;
    case 1:
        return 0xFFFF0000;
    case 2:
        return 0xFF000000;
    case 3:
        return 0xFFFF8000;
    default:
        return 0x00000000;
    }
}

QString ChartValueText(int value, const ChartScene& scene) {
    if (scene.chartMode == ChartModeVoltage)
        return FormatNumber(value / 100.0, Pattern0_00, scene.locale) + u" V"_s;
    return FormatTemperature(value, scene.fahrenheit, scene.locale) + TemperatureUnitText(scene.fahrenheit);
}

namespace {

void DrawGraph(QImage& canvas, QPainter& painter, TextPen& pen, const ChartScene& scene,
               const ChartFrame& frame, ChartPicture& picture) {
    const ChartRange& range = frame.range;
    const int w = frame.width;
    const int h = frame.height;
    const double pw = frame.plotWidth();

    // Time scale: the newest reading on the right edge of the plot, reading 39 on the left.
    const std::int64_t newest = ChartNewestMs(scene.now, scene.info, scene.chartInterval);
    const std::int64_t spanMinutes = std::int64_t{LastSample} * scene.chartInterval;
    const double spanMs = double(spanMinutes * MsPerMinute);
    const auto timeX = [&](std::int64_t t) { return (1.0 - double(newest - t) / spanMs) * pw + 40; };
    picture.timeStepMinutes = ChartTimeStepMinutes(spanMinutes);

    // A pale red band above 60.0 °C (readings are always tenths of °C, also in a °F display).
    if (scene.chartMode != ChartModeVoltage && frame.valueY(HotTenths) > 0)
        painter.fillRect(QRect(0, 0, w, Round(frame.valueY(HotTenths))), QColor::fromRgba(HotBand));

    const std::int64_t first = FloorToMinutes(newest, picture.timeStepMinutes);
    for (int k = 0; k < MaxTimeLines; ++k) {
        const std::int64_t tick = first - k * picture.timeStepMinutes * MsPerMinute;
        const double x = timeX(tick);
        if (x < 40)
            break;
        BlendLine(canvas, {x, double(h - 21)}, {x, 20}, MainLine);
        const QString text = TimeLineText(tick, scene.locale);
        pen.draw(text, Round(x), 1, LabelColor);
        pen.draw(text, Round(x), h - 13, LabelColor);
        picture.timeLineX.push_back(x);
    }

    for (int v = range.lower; v <= range.upper; v += range.step) {
        const double y = frame.valueY(v);
        const bool whole = v % 10 == 0;
        BlendLine(canvas, {40 + pw, y}, {40, y}, whole ? MainLine : MinorLine);
        if (!whole)
            continue;
        const QString text = ChartValueText(v, scene);
        pen.drawRightAligned(text, w, Round(y) - 6, LabelColor);
        pen.draw(text, 0, Round(y) - 6, LabelColor);
    }

    const QRgb curveColor = ChartCurveColor(scene.chartMode);
    const int current = scene.chart.Samples[0];
    pen.drawRightAligned(ChartValueText(current, scene), w, Round(frame.valueY(current)) - 6, curveColor);

    // Empty slots are skipped: the line joins the readings on either side of a gap.
    std::vector<QPointF> curve;
    for (int n = LastSample; n >= 0; --n) {
        const std::int16_t sample = scene.chart.Samples[static_cast<std::size_t>(n)];
        if (sample != NoTemperature)
            curve.emplace_back((1.0 - double(n) / LastSample) * pw + 40, frame.valueY(sample));
    }
    BlendPolyline(canvas, curve, curveColor);
}

} // namespace

ChartPicture RenderChart(const ChartScene& scene, QSize size, QImage canvas) {
    ChartPicture picture;
    if (canvas.size() != size || canvas.format() != QImage::Format_ARGB32_Premultiplied)
        canvas = QImage(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Background);
    if (!canvas.isNull()) {
        QPainter painter(&canvas);
        TextPen pen(painter, scene.font);
        const std::optional<ChartRange> range = ChartValueRange(scene.chart);
        if (range && scene.chartInterval != 0) {
            picture.range = range;
            DrawGraph(canvas, painter, pen, scene, ChartFrame{size.width(), size.height(), *range}, picture);
        } else {
            const QString text = LookupMessage(u"QuillTempNotConnected"_s);
            pen.draw(text, (size.width() - pen.width(text)) / 2, (size.height() - pen.height()) / 2,
                     LabelColor);
        }
        picture.texts = pen.take();
    }
    picture.image = std::move(canvas);
    return picture;
}

} // namespace zorvex
