#include "visualizepage.h"

#include "sharedblock.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {

using namespace Qt::StringLiterals;

int NextVisualChannel(int current, int wheelDelta) {
    if (wheelDelta == 0)
        return current;
    return std::clamp(current + (wheelDelta < 0 ? 1 : -1), 0, DrivenChannelCount - 1);
}

VisualizePage::VisualizePage(SharedBlock& block, QWidget* parent)
    : Page(u"tsVisualize"_s, u"Visualization"_s, block, parent) {
    m_image = NewLabel(this, u"img"_s, {});
    m_image->setMinimumSize(200, 120);
    m_image->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_image->setStyleSheet(u"background-color: black;"_s);
    m_channels = new QComboBox(this);
    m_channels->setObjectName(u"cmbVisualize"_s);
    m_timeLock = NewCheck(this, u"cbxTimeLock"_s, u"Lock times"_s);
    auto* bar = new QHBoxLayout;
    bar->addWidget(NewLabel(this, u"lblVisualize"_s, u"Adjust the following channel by click and drag:"_s));
    bar->addWidget(m_channels);
    bar->addWidget(m_timeLock);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_image, 1);
    layout->addLayout(bar);
    connect(m_channels, &QComboBox::activated, this, &VisualizePage::cmbVisualizeChange);
}

void VisualizePage::ResetState() {
    m_dragRow = -1;
    m_visualChannel = 0;
}

void VisualizePage::SetChannelItems(const QStringList& items) {
    m_channels->clear();
    m_channels->addItems(items);
    m_channels->setCurrentIndex(m_visualChannel);
}

bool VisualizePage::IsChannelListDroppedDown() const {
    return m_channels->view() != nullptr && m_channels->view()->isVisible();
}

bool VisualizePage::WheelTurned(int delta) {
    if (m_dragRow != -1)
        return false;
    m_visualChannel = NextVisualChannel(m_visualChannel, delta);
    m_channels->setCurrentIndex(m_visualChannel);
    DrawVisualization();
    return true;
}

void VisualizePage::cmbVisualizeChange(int index) {
    m_visualChannel = std::clamp(index, 0, DrivenChannelCount - 1);
    DrawVisualization();
}

void VisualizePage::DrawVisualization() {
    // The lock of the times applies to the time layout only.
    m_timeLock->setVisible(m_block.Config.Mode != 2);
}

} // namespace zorvex
