#pragma once

#include <QApplication>

#include <functional>

namespace zorvex {

// The application object. An exception that escapes an event handler ends up in
// ApplicationEventsException as one message line; no dialog is shown and the program goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    void SetExceptionHandler(std::function<void(const QString&)> handler) { m_handler = std::move(handler); }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::function<void(const QString&)> m_handler;
};

} // namespace zorvex
