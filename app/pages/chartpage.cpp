#include "chartpage.h"

#include "chart.h"
#include "conversions.h"
#include "pictureview.h"
#include "sharedblock.h"

#include <QAction>
#include <QMenu>
#include <QVBoxLayout>

#include <array>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
// The menu items in the order of their ChartMode values 0..3.
const std::array<QString, 4> ModeItems{u"mnuCHMTempWater"_s, u"mnuCHMTempBoard"_s, u"mnuCHMVoltage"_s,
                                       u"mnuCHMTempSlave"_s};
} // namespace

ChartPage::ChartPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsTemp"_s, u"Chart"_s, block, parent), m_image(new PictureView(u"imgTemp"_s, Qt::white, this)),
      m_menu(new QMenu(this)) {
    m_image->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_image->setMinimumSize(200, 120);
    m_image->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_image);
    m_menu->setObjectName(u"pumChart"_s);
    const std::array<QString, 4> captions{u"Water temperature (QuillTemp)"_s, u"Board temperature"_s,
                                          u"Input voltage"_s, u"Slave temperature"_s};
    for (int mode = 0; mode < int(ModeItems.size()); ++mode) {
        auto* action = m_menu->addAction(captions[static_cast<std::size_t>(mode)]);
        action->setObjectName(ModeItems[static_cast<std::size_t>(mode)]);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, mode] { ChooseChartMode(mode); });
    }
    connect(m_menu, &QMenu::aboutToShow, this, &ChartPage::pumChartPopup);
    connect(m_image, &PictureView::customContextMenuRequested, this,
            [this](const QPoint& at) { m_menu->popup(m_image->mapToGlobal(at)); });
    connect(m_image, &PictureView::clicked, this, &ChartPage::imgTempClick);
    connect(m_image, &PictureView::resized, this, [this] {
        if (m_image->isVisible())
            DrawChart();
    });
}

void ChartPage::DrawChart() {
    ChartScene scene;
    scene.chart = m_block.Chart;
    scene.chartMode = m_block.Expert.ChartMode;
    scene.chartInterval = m_block.Expert.ChartInterval;
    scene.info = m_block.Info;
    scene.fahrenheit = (m_block.Config.Flag & FlagFahrenheit) != 0;
    scene.locale = locale();
    scene.now = m_now();
    ChartPicture picture = RenderChart(scene, m_image->size(), m_image->takeImage());
    m_image->setImage(std::move(picture.image));
}

void ChartPage::imgTempClick() {
    m_block.Request(rqGetChart);
}

void ChartPage::pumChartPopup() {
    for (int mode = 0; mode < int(ModeItems.size()); ++mode) {
        auto* action = m_menu->findChild<QAction*>(ModeItems[static_cast<std::size_t>(mode)]);
        action->setChecked(mode == m_block.Expert.ChartMode);
        if (mode == 0)
            action->setEnabled(m_block.Info.TempWater != NoTemperature);
    }
}

void ChartPage::ChooseChartMode(int mode) {
    m_block.Expert.ChartMode = static_cast<std::uint8_t>(mode);
    Q_EMIT chartModeChosen();
    // The record goes to the device, then the chart of the new quantity comes back.
    m_block.Request(rqChartSource);
}

} // namespace zorvex
