// Listing lines for the tests, in the assembler's column layout: line number
// in 1-4, address in 6-9, code bytes at 11, 14, 17, 20, 23, source from 28.
#pragma once

#include <cstdint>
#include <initializer_list>

#include <QString>
#include <QStringList>

namespace quorvel::test {

QString ListingLineText(int number, int32_t address, std::initializer_list<uint8_t> bytes,
                        const QString& source);
// A file's text: the lines joined by "\n", with a final "\n".
QString ListingFile(const QStringList& lines);
// Writes text to a file in a folder; the path.
QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);

} // namespace quorvel::test
