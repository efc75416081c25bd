#pragma once

#include <QString>

namespace zorvex {

// The outcome of a file operation: success, or the system's text of what went wrong.
struct FileResult {
    bool ok = true;
    QString error;

    static FileResult Failure(const QString& text) { return {false, text}; }
    explicit operator bool() const { return ok; }
};

} // namespace zorvex
