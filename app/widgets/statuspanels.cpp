#include "statuspanels.h"

#include "extratexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
constexpr int ProgressRange = 1000;
constexpr int ProgressWidth = 80;
} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName(u"sb"_s);
    setSizeGripEnabled(false);

    m_panel0 = new QWidget(this);
    auto* layout0 = new QHBoxLayout(m_panel0);
    layout0->setContentsMargins(0, 0, 0, 0);
    m_panels[0] = new QLabel(m_panel0);
    m_progress = new QProgressBar(m_panel0);
    m_progress->setObjectName(u"sbProgress"_s);
    m_progress->setRange(0, ProgressRange);
    m_progress->setValue(ProgressRange);
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(12);
    layout0->addWidget(m_panels[0], 1);
    layout0->addWidget(m_progress);
    m_panel0->setMinimumWidth(0);
    addWidget(m_panel0, 1);

    for (int panel = 1; panel < 3; ++panel) {
        auto* label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::StyledPanel);
        m_panels[static_cast<std::size_t>(panel)] = label;
        addPermanentWidget(label);
    }
    for (int panel = 0; panel < 3; ++panel)
        m_panels[static_cast<std::size_t>(panel)]->setObjectName(u"sbPanel"_s + QString::number(panel));
    setScale(1.0);
    setProgressState(ProgressState::Error);
}

QString StatusPanels::panelText(int panel) const {
    return panel >= 0 && panel < 3 ? m_panels[static_cast<std::size_t>(panel)]->text() : QString();
}

void StatusPanels::setPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < 3)
        m_panels[static_cast<std::size_t>(panel)]->setText(text);
}

int StatusPanels::panelWidth(int panel) const {
    if (panel == 0)
        return m_panel0->width();
    return panel > 0 && panel < 3 ? m_panels[static_cast<std::size_t>(panel)]->width() : 0;
}

void StatusPanels::setScale(double scale) {
    m_scale = scale;
    const auto scaled = [scale](int value) { return static_cast<int>(std::lround(value * scale)); };
    m_panels[1]->setFixedWidth(scaled(DesignWidths[1]));
    m_panels[2]->setFixedWidth(scaled(DesignWidths[2]));
    m_progress->setFixedWidth(scaled(ProgressWidth));
    sbResize();
}

void StatusPanels::setProgress(std::uint64_t done, std::uint64_t total) {
    const std::uint64_t permille =
        total == 0 ? ProgressRange : std::min<std::uint64_t>(done, total) * ProgressRange / total;
    m_progress->setValue(static_cast<int>(permille));
}

int StatusPanels::progressPermille() const {
    return m_progress->value();
}

void StatusPanels::setProgressState(ProgressState state) {
    m_state = state;
    QPalette palette = m_progress->palette();
    switch (state) {
    case ProgressState::Normal:
        palette.setColor(QPalette::Highlight, QColor(0x06, 0xB0, 0x25));
        break;
    case ProgressState::Paused:
        palette.setColor(QPalette::Highlight, QColor(0xDA, 0xCB, 0x26));
        break;
    case ProgressState::Error:
        palette.setColor(QPalette::Highlight, QColor(0xDA, 0x26, 0x26));
        break;
    }
    m_progress->setPalette(palette);
    static constexpr std::array<const char16_t*, 3> names{u"normal", u"paused", u"error"};
    m_progress->setAccessibleDescription(QString::fromUtf16(names[static_cast<std::size_t>(state)]));
    static constexpr std::array<const char16_t*, 3> meanings{u"ConnectionBarNormal", u"ConnectionBarPaused",
                                                             u"ConnectionBarError"};
    m_progress->setToolTip(ExtraText(QString::fromUtf16(meanings[static_cast<std::size_t>(state)])));
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    sbResize();
}

void StatusPanels::sbResize() {
    const int fixed = static_cast<int>(std::lround(FixedPanelsWidth * m_scale));
    // Panel 0 stretches; limiting it keeps the two fixed panels at their widths.
    m_panel0->setMaximumWidth(std::max(0, width() - fixed));
}

} // namespace zorvex
