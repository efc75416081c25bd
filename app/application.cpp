#include "application.h"

#include <exception>

namespace zorvex {

using namespace Qt::StringLiterals;

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (m_handler)
            m_handler(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        if (m_handler)
            m_handler(u"Unknown exception"_s);
    }
    return false;
}

} // namespace zorvex
