// Readable QStrings in test failures. Every test file of this executable
// includes it, so all instantiations of the printer agree.
#pragma once

#include <ostream>

#include <QString>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
