#include "ListingText.h"

#include <QDir>
#include <QFile>

#include "frame/NumberText.h"

namespace quorvel::test {

QString ListingLineText(int number, int32_t address, std::initializer_list<uint8_t> bytes,
                        const QString& source) {
    QString line = QStringLiteral("%1 ").arg(number, 4, 10, QLatin1Char('0')) + HexPad(address, 4) + u' ';
    for (const uint8_t byte : bytes)
        line += HexPad(byte, 2) + u' ';
    line = line.leftJustified(27, u' ');
    return line + source;
}

QString ListingFile(const QStringList& lines) {
    return lines.join(u'\n') + u'\n';
}

QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

} // namespace quorvel::test
