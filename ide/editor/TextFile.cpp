#include "editor/TextFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include "editor/FileCheck.h"

namespace quorvel {

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr qsizetype kBomSize = 3;

bool FitsLatin1(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0xFF) return false;
    return true;
}

LineEnding EndingOf(const QByteArray& bytes) {
    const qsizetype lf = bytes.indexOf('\n');
    return lf > 0 && bytes[lf - 1] == '\r' ? LineEnding::CRLF : LineEnding::LF;
}

} // namespace

TextFileContent DecodeText(const QByteArray& bytes) {
    TextFileContent content;
    content.Format.Ending = EndingOf(bytes);
    QByteArrayView body(bytes);
    if (body.startsWith(QByteArrayView(kBom, kBomSize))) {
        content.Format.ByteOrderMark = true;
        body = body.sliced(kBomSize);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    content.Text = utf8.decode(body);
    if (utf8.hasError()) {
        // Not UTF-8: take the bytes as they are, and give them back the same way.
        content.Format.Encoding = TextEncoding::Latin1;
        content.Format.ByteOrderMark = false;
        content.Text = QString::fromLatin1(bytes);
    }
    content.Text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return content;
}

QByteArray EncodeText(TextFileContent& content) {
    QString text = content.Text;
    if (content.Format.Ending == LineEnding::CRLF) text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (content.Format.Encoding == TextEncoding::Latin1) {
        if (FitsLatin1(text)) return text.toLatin1();
        content.Format.Encoding = TextEncoding::Utf8;
    }
    QByteArray bytes;
    if (content.Format.ByteOrderMark) bytes.append(kBom, kBomSize);
    bytes.append(text.toUtf8());
    return bytes;
}

bool ReadTextFile(const QString& path, TextFileContent& content, QString& error) {
    if (!CheckRegularFile(path, error)) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    // A file may grow while it is read; read one byte more than allowed to tell.
    if (file.size() > kMaxTextFileSize) {
        error = QStringLiteral("Larger than 16 MiB");
        return false;
    }
    const QByteArray bytes = file.read(kMaxTextFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    if (bytes.size() > kMaxTextFileSize) {
        error = QStringLiteral("Larger than 16 MiB");
        return false;
    }
    if (bytes.contains('\0')) {
        error = QStringLiteral("Not a text file");
        return false;
    }
    content = DecodeText(bytes);
    return true;
}

bool WriteTextFile(const QString& path, TextFileContent& content, QString& error) {
    TextFileContent written = content;
    const QByteArray bytes = EncodeText(written);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    content.Format = written.Format;
    return true;
}

} // namespace quorvel
