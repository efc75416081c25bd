#include "visualizepage.h"

#include "edithistory.h"
#include "extratexts.h"
#include "pictureview.h"
#include "sharedblock.h"
#include "visualdrag.h"
#include "visualization.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
constexpr int DragRedrawMs = 25;
} // namespace

int NextVisualChannel(int current, int wheelDelta) {
    if (wheelDelta == 0)
        return current;
    return std::clamp(current + (wheelDelta < 0 ? 1 : -1), 0, DrivenChannelCount - 1);
}

VisualizePage::VisualizePage(SharedBlock& block, QWidget* parent)
    : Page(u"tsVisualize"_s, u"Visualization"_s, block, parent),
      m_image(new PictureView(u"img"_s, Qt::black, this)), m_timer(new QTimer(this)) {
    m_image->setMinimumSize(200, 120);
    m_image->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The chooser offers its four items only: typed text could name no channel.
    m_channels = new QComboBox(this);
    m_channels->setObjectName(u"cmbVisualize"_s);
    m_timeLock = NewCheck(this, u"cbxTimeLock"_s, u"Lock times"_s);
    m_timer->setObjectName(u"tmrVisualize"_s);
    m_timer->setInterval(DragRedrawMs);
    auto* bar = new QHBoxLayout;
    bar->addWidget(NewLabel(this, u"lblVisualize"_s, u"Adjust the following channel by click and drag:"_s));
    bar->addWidget(m_channels);
    bar->addWidget(m_timeLock);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_image, 1);
    layout->addLayout(bar);
    connect(m_channels, &QComboBox::activated, this, &VisualizePage::cmbVisualizeChange);
    connect(m_timer, &QTimer::timeout, this, &VisualizePage::tmrVisualizeTimer);
    connect(m_image, &PictureView::resized, this, &VisualizePage::imgResize);
    connect(m_image, &PictureView::pressed, this, &VisualizePage::imgMouseDown);
    connect(m_image, &PictureView::moved, this, &VisualizePage::imgMouseMove);
    connect(m_image, &PictureView::released, this, &VisualizePage::imgMouseUp);
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
    // An index that names no channel (no item chosen) keeps the channel drawn and dragged.
    if (index >= 0 && index < DrivenChannelCount)
        m_visualChannel = index;
    DrawVisualization();
}

void VisualizePage::DrawVisualization() {
    // The lock of the times applies to the time layout only.
    m_timeLock->setVisible(m_block.Config.Mode != ModeGeoLayout);
    VisualizationScene scene;
    scene.schedule = m_block.Schedule;
    scene.config = m_block.Config;
    scene.info = m_block.Info;
    scene.visualChannel = m_visualChannel;
    scene.dragRow = m_dragRow;
    scene.zone = m_zone;
    scene.locale = locale();
    scene.font = font();
    VisualizationPicture picture = RenderVisualization(scene, m_image->size(), m_image->takeImage());
    m_block.VisualPoints = std::move(picture.points);
    m_image->setImage(std::move(picture.image));
}

void VisualizePage::imgResize() {
    if (m_image->isVisible())
        DrawVisualization();
}

void VisualizePage::tmrVisualizeTimer() {
    if (window()->isVisible())
        DrawVisualization();
}

void VisualizePage::imgMouseDown(QPoint at) {
    // While the schedule is being downloaded the rows are about to be replaced.
    if (m_block.IsRequested(rqGetSchedule))
        return;
    m_dragRow = HitTestRow(m_block.VisualPoints, m_visualChannel, at);
    // Only a drag needs the redraws; a press beside every point starts none.
    if (m_dragRow < 0)
        return;
    m_timer->start();
    // The whole drag, press to release, is one step.
    if (m_history != nullptr)
        m_history->Begin(ExtraText(u"UndoDrag"_s));
}

void VisualizePage::EndDrag() {
    if (m_dragRow < 0 && !m_timer->isActive())
        return;
    // The row keeps what the copy holds now; nothing is flagged for upload, and it is no step.
    if (m_dragRow >= 0 && m_history != nullptr)
        m_history->Cancel();
    m_dragRow = -1;
    m_timer->stop();
    DrawVisualization();
}

bool VisualizePage::IsRedrawing() const {
    return m_timer->isActive();
}

void VisualizePage::imgMouseMove(QPoint at) {
    if (m_dragRow < 0)
        return;
    if (m_block.IsRequested(rqGetSchedule)) {
        EndDrag(); // a download replaces the rows under the drag
        return;
    }
    const auto row = static_cast<std::size_t>(m_dragRow);
    if (row >= m_block.Schedule.size())
        return; // the schedule shrank under the drag
    const bool moveTime = m_block.Config.Mode != ModeGeoLayout && !m_timeLock->isChecked();
    m_block.Schedule[row] =
        DragScheduleRow(m_block.Schedule[row], m_image->size(), m_visualChannel, at, moveTime);
    // The running timer redraws.
}

void VisualizePage::imgMouseUp() {
    m_timer->stop();
    if (m_dragRow < 0)
        return;
    const auto row = static_cast<std::size_t>(m_dragRow);
    m_dragRow = -1;
    const bool replaced = m_block.IsRequested(rqGetSchedule);
    if (!replaced)
        m_block.MarkScheduleRowChanged(row);
    if (m_history != nullptr)
        replaced ? m_history->Cancel() : m_history->Commit();
    // The last move and the end of the drag (no drag label) are shown at once.
    DrawVisualization();
}

} // namespace zorvex
