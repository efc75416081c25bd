// Drawing times of the schedule picture (both layouts) and the chart, at the design size and at
// 1920 x 1080: the median of 200 draws each, and one drag step (move plus redraw) against the
// 25 ms drag timer. `bench_pictures --save DIR` also writes the pictures as PNG files.
#include "benchreport.h"
#include "chart.h"
#include "picturesamples.h"
#include "visualdrag.h"
#include "visualization.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int Draws = 200;
constexpr double TargetMs = 4.0;
constexpr double DragTimerMs = 25.0;
constexpr QSize DesignSize(1001, 578);
constexpr QSize FullHd(1920, 1080);

double MedianMs(const std::function<void()>& draw) {
    draw(); // warm-up: glyph cache, first allocation
    std::vector<double> times;
    times.reserve(Draws);
    QElapsedTimer clock;
    for (int i = 0; i < Draws; ++i) {
        clock.start();
        draw();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + Draws / 2, times.end());
    return times[Draws / 2];
}

std::string SizeName(QSize size) {
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

VisualizationScene Scene(const std::vector<ScheduleRow>& rows, std::uint8_t mode) {
    VisualizationScene scene;
    scene.schedule = rows;
    scene.config = samples::LampConfig(mode);
    scene.info = samples::AfternoonClock();
    scene.visualChannel = 3;
    return scene;
}

ChartScene SampleChart() {
    ChartScene scene;
    scene.chart = samples::WaterChart();
    scene.chartMode = 0;
    scene.chartInterval = 10;
    scene.info = samples::AfternoonClock();
    return scene;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    std::vector<ScheduleRow> rows = samples::DaySchedule();

    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(u"--save"_s); at >= 0 && at + 1 < arguments.size()) {
        const QDir dir(arguments.at(at + 1));
        VisualizationScene dragged = Scene(rows, 1);
        dragged.dragRow = 4;
        RenderVisualization(dragged, DesignSize).image.save(dir.filePath(u"visualization.png"_s));
        RenderVisualization(Scene(rows, 2), DesignSize).image.save(dir.filePath(u"visualization_geo.png"_s));
        RenderChart(SampleChart(), DesignSize).image.save(dir.filePath(u"chart.png"_s));
        return 0;
    }

    for (QSize size : {DesignSize, FullHd}) {
        for (std::uint8_t mode : {std::uint8_t{1}, std::uint8_t{2}}) {
            const VisualizationScene scene = Scene(rows, mode);
            QImage canvas;
            const double ms =
                MedianMs([&] { canvas = RenderVisualization(scene, size, std::move(canvas)).image; });
            const std::string name =
                std::string(mode == 2 ? "visualization_geo_" : "visualization_time_") + SizeName(size);
            PrintBenchLine(name.c_str(), ms, TargetMs);
        }
        const ChartScene chart = SampleChart();
        QImage canvas;
        const double ms = MedianMs([&] { canvas = RenderChart(chart, size, std::move(canvas)).image; });
        PrintBenchLine(("chart_" + SizeName(size)).c_str(), ms, TargetMs);
    }

    // One step of a drag at full HD: the mouse moves the chosen point, the timer redraws.
    VisualizationScene scene = Scene(rows, 1);
    scene.dragRow = 4;
    QImage canvas;
    std::vector<VisualPoint> points;
    int step = 0;
    const double dragMs = MedianMs([&] {
        const QPointF at(300 + step % 700, 200 + step % 500);
        ++step;
        rows[4] = DragScheduleRow(rows[4], FullHd, scene.visualChannel, at, true);
        VisualizationPicture picture = RenderVisualization(scene, FullHd, std::move(canvas));
        canvas = std::move(picture.image);
        points = std::move(picture.points);
    });
    PrintBenchLine("visualization_drag_step_1920x1080", dragMs, DragTimerMs);
    return 0;
}
