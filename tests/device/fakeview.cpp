#include "fakeview.h"

using namespace Qt::StringLiterals;

namespace zorvex {

void FakeView::AddMessage(const QString& text) {
    calls << u"message: "_s + text;
    if (onMessage)
        onMessage(text);
}

void FakeView::SetStatusMessage(const QString& text) {
    calls << u"status: "_s + text;
}

void FakeView::SetConnectedState(bool connected) {
    calls << (connected ? u"connected: true"_s : u"connected: false"_s);
}

void FakeView::SetTaskbarProgress(qint64 done, qint64 total) {
    calls << u"progress: %1/%2"_s.arg(done).arg(total);
    if (onProgress)
        onProgress(done, total);
}

QString FakeView::ChooseFirmwareFile() {
    calls << u"ChooseFirmwareFile"_s;
    return firmwareChoices.isEmpty() ? QString() : firmwareChoices.takeFirst();
}

} // namespace zorvex
