// The hourglass while a file is read or written; restored when the scope ends.
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace quorvel {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace quorvel
