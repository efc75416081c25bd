#pragma once

#include <QImage>
#include <QWidget>

namespace zorvex {

// A picture drawn by one of the renderers, shown at scale 1 from the top-left corner, and the
// mouse turned into positions in that picture. The widget keeps no drawing logic: its owner draws
// at size() and hands the image over; a cross-hair cursor stands over it.
class PictureView : public QWidget {
    Q_OBJECT
public:
    PictureView(const QString& name, QColor background, QWidget* parent = nullptr);

    void setImage(QImage image);
    const QImage& image() const { return m_image; }
    // Hands the shown image back so that the next drawing can reuse its pixels.
    QImage takeImage() { return std::move(m_image); }

Q_SIGNALS:
    // The widget changed size, or was shown at a size its picture does not have (a hidden page
    // is resized without redrawing).
    void resized();
    void pressed(QPoint at);
    void moved(QPoint at);
    void released(QPoint at);
    // A left button pressed and released over the picture.
    void clicked(QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QColor m_background;
    bool m_leftPressed = false;
};

} // namespace zorvex
