#pragma once

#include "pagebuilder.h"

#include <QStringList>

class QPlainTextEdit;

namespace zorvex {

// tsChannelsGL: an alternative channel page this build keeps hidden.
class ChannelsGLPage : public Page {
    Q_OBJECT
public:
    explicit ChannelsGLPage(SharedBlock& block, QWidget* parent = nullptr);
};

// tsRC433: the system code of the 433 MHz radio sockets; disabled as a whole in this build.
class Rc433Page : public Page {
    Q_OBJECT
public:
    explicit Rc433Page(SharedBlock& block, QWidget* parent = nullptr);
    void SetConnected(bool connected) override;
};

// tsMessages: the message log mem, read-only, both scroll bars, no word wrap. A double click
// asks the window to reconnect. The view keeps to the newest line, whether lines arrive while the
// page shows or while another one does, until the user scrolls up to read; scrolling back to the
// end follows again. The log keeps its newest MaxLines lines (the caption included).
class MessagesPage : public Page {
    Q_OBJECT
public:
    static constexpr int MaxLines = 10000;

    explicit MessagesPage(SharedBlock& block, QWidget* parent = nullptr);

    void AppendLines(const QStringList& lines);

    void SetConnected(bool) override {}

Q_SIGNALS:
    void memDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ScrollToEnd();

    QPlainTextEdit* m_memo;
    bool m_followsEnd = true;
    bool m_scrolling = false; // the page moves the view itself: not the user's choice
};

} // namespace zorvex
