#include "pictureview.h"

#include <QMouseEvent>
#include <QPainter>

namespace zorvex {

PictureView::PictureView(const QString& name, QColor background, QWidget* parent)
    : QWidget(parent), m_background(background) {
    setObjectName(name);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::setImage(QImage image) {
    m_image = std::move(image);
    update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.drawImage(QPoint(0, 0), m_image);
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}

void PictureView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_image.size() != size())
        Q_EMIT resized();
}

// The mouse stays grabbed while a button is down, so positions beyond the edges arrive too.
void PictureView::mousePressEvent(QMouseEvent* event) {
    m_leftPressed = event->button() == Qt::LeftButton;
    Q_EMIT pressed(event->position().toPoint());
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT moved(event->position().toPoint());
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Q_EMIT released(at);
    if (event->button() == Qt::LeftButton && m_leftPressed && rect().contains(at))
        Q_EMIT clicked(at);
    m_leftPressed = false;
}

} // namespace zorvex
