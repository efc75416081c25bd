// The geo page's redraw end to end at the window's design size: copy of the pristine map, the
// cross-hair, the sky computation, the text and the moon (the window's RefreshGeoView, which the
// page change runs while the geo page is in front). Prints the median of many calls, and the
// median of the same followed by painting the page.
#include "benchreport.h"
#include "frmzorvex.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <vector>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int Calls = 300;

double MedianMs(const std::function<void()>& call) {
    std::vector<double> times;
    for (int i = 0; i < Calls; ++i) {
        QElapsedTimer clock;
        clock.start();
        call();
        times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + Calls / 2, times.end());
    return times[Calls / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    Platform platform;
    platform.dataFolder = dir.filePath(u"data"_s);
    TfrmZORVEX window(std::move(platform), {}, {u"-english"_s});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.ShowPage(window.TabSheet(u"tsGeo"_s));
    QWidget* page = window.PageControl()->currentWidget();

    PrintBenchLine("geo_refresh_view", MedianMs([&] { window.pcChange(); }), 4.0);
    PrintBenchValue("geo_refresh_view_and_paint", "ms", MedianMs([&] {
                        window.pcChange();
                        page->repaint();
                    }));
    return 0;
}
