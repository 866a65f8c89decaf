#include "codetools/ListingLoader.h"

#include <QFile>
#include <QStringDecoder>

#include "codetools/ListingParser.h"
#include "editor/FileCheck.h"

namespace quorvel {

namespace {

const QString kTooLarge = QStringLiteral("Larger than 64 MiB");
constexpr qint64 kChunk = 1024 * 1024;

// All bytes up to the end of the device; false with the reason when a read fails.
bool ReadAll(QIODevice& device, QByteArray& bytes, QString& error) {
    qint64 expected = device.isSequential() ? 0 : device.size() - device.pos();
    if (expected > kMaxListingSize) {
        error = kTooLarge;
        return false;
    }
    bytes.clear();
    bytes.resize(expected > 0 ? expected : kChunk);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (device.atEnd()) break;
            if (bytes.size() > kMaxListingSize) {
                error = kTooLarge;
                return false;
            }
            bytes.resize(bytes.size() + kChunk);
        }
        const qint64 got = device.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            error = device.errorString();
            if (error.isEmpty() || error == QLatin1String("Unknown error"))
                error = QStringLiteral("Read error");
            return false;
        }
        if (got == 0) break;
        filled += got;
    }
    bytes.truncate(filled);
    return true;
}

} // namespace

QString DecodeListing(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) text = QString::fromLatin1(bytes);
    return text;
}

bool LoadListingDevice(QIODevice& device, SymbolTable& table, QString& error,
                       const std::function<void()>& processEvents) {
    QByteArray bytes;
    if (!ReadAll(device, bytes, error)) return false;
    const QString text = DecodeListing(bytes);
    bytes = QByteArray();
    table = ParseListing(text, processEvents);
    return true;
}

bool LoadListingFile(const QString& path, SymbolTable& table, QString& error,
                     const std::function<void()>& processEvents) {
    if (!CheckRegularFile(path, error)) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return LoadListingDevice(file, table, error, processEvents);
}

} // namespace quorvel
