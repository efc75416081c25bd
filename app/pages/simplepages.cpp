#include "simplepages.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zorvex {

using namespace Qt::StringLiterals;

ChannelsGLPage::ChannelsGLPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsChannelsGL"_s, u"Channels GL"_s, block, parent) {}

Rc433Page::Rc433Page(SharedBlock& block, QWidget* parent) : Page(u"tsRC433"_s, u"433 MHz"_s, block, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        NewLabel(this, u"lblRC433"_s,
                 u"The Quill433 add-on switches radio controlled sockets with the schedule's timer "
                 u"value."_s,
                 true));
    layout->addWidget(
        NewCheck(this, u"cbxRC433System1"_s,
                 u"System code (dip switch positions) of the radio controlled sockets (on = checked)"_s));
    for (int n = 2; n <= 5; ++n)
        layout->addWidget(NewCheck(this, u"cbxRC433System"_s + QString::number(n), QString::number(n)));
    layout->addStretch(1);
    setEnabled(false);
}

void Rc433Page::SetConnected(bool connected) {
    // The sheet itself stays disabled; its controls follow the connection like the others.
    Page::SetConnected(connected);
}

MessagesPage::MessagesPage(SharedBlock& block, QWidget* parent)
    : Page(u"tsMessages"_s, u"Messages"_s, block, parent), m_memo(new QPlainTextEdit(this)) {
    m_memo->setObjectName(u"mem"_s);
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setMaximumBlockCount(MaxLines);
    m_memo->viewport()->installEventFilter(this);
    QScrollBar* bar = m_memo->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
        // Only a move of the visible log decides; a hidden log's range is not worth trusting.
        if (!m_scrolling && m_memo->isVisible())
            m_followsEnd = value >= bar->maximum();
    });
    // New lines, a resized view and the layout done when the page shows all move the end.
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (!m_followsEnd)
            return;
        const QScopedValueRollback scrolling(m_scrolling, true);
        bar->setValue(maximum);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);
}

void MessagesPage::AppendLines(const QStringList& lines) {
    const QScopedValueRollback scrolling(m_scrolling, true);
    for (const QString& line : lines)
        m_memo->appendPlainText(line);
    if (m_followsEnd)
        ScrollToEnd();
}

void MessagesPage::ScrollToEnd() {
    const QScopedValueRollback scrolling(m_scrolling, true);
    // The cursor goes along (unless the user is selecting), since showing the edit brings its
    // cursor into view.
    if (!m_memo->textCursor().hasSelection())
        m_memo->moveCursor(QTextCursor::End);
    QScrollBar* bar = m_memo->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void MessagesPage::showEvent(QShowEvent* event) {
    Page::showEvent(event);
    if (m_followsEnd)
        ScrollToEnd();
}

bool MessagesPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_memo->viewport() && event->type() == QEvent::MouseButtonDblClick)
        Q_EMIT memDblClick();
    return Page::eventFilter(watched, event);
}

} // namespace zorvex
