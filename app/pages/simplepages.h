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
// asks the window to reconnect.
class MessagesPage : public Page {
    Q_OBJECT
public:
    explicit MessagesPage(SharedBlock& block, QWidget* parent = nullptr);

    void AppendLines(const QStringList& lines);

    void SetConnected(bool) override {}

Q_SIGNALS:
    void memDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_memo;
};

} // namespace zorvex
