#include "editor/EditorTexts.h"

#include <algorithm>

#include <QFileInfo>

namespace quorvel {

namespace {

constexpr qsizetype kMaxLineDigits = 9;

QString WithReason(const QString& first, const QString& reason) {
    return reason.isEmpty() ? first : first + QStringLiteral("\n(") + reason + QLatin1Char(')');
}

} // namespace

QString UntitledTitle(int n) {
    return QStringLiteral("Untitled") + QString::number(n) + QStringLiteral(".asm");
}

int SaveAsFilterIndex(const QString& name) {
    const QString ext = name.right(3).toUpper();
    if (ext == QLatin1String("ASM")) return 1;
    if (ext == QLatin1String("LST")) return 2;
    if (ext == QLatin1String("TXT")) return 3;
    return 4;
}

QString FileTitle(const QString& path) {
    return QFileInfo(path).fileName();
}

QString CaretText(qsizetype line, qsizetype column) {
    return QStringLiteral("Line ") + QString::number(line + 1) + QStringLiteral("  Col. ") +
           QString::number(column + 1);
}

QString SaveChangesText(const QString& title) {
    return QStringLiteral("Save changes to ") + title + QStringLiteral(" ?");
}

QString ReplacedText(qint64 count) {
    if (count == 1) return QStringLiteral("1 item replaced !");
    return QString::number(count) + QStringLiteral(" items replaced !");
}

QString CantOpenText(const QString& path, const QString& reason) {
    return WithReason(QStringLiteral("Can't Open ") + path + QStringLiteral(" !"), reason);
}

QString CantSaveText(const QString& path, const QString& reason) {
    return WithReason(QStringLiteral("Can't Save ") + path + QStringLiteral(" !"), reason);
}

qint64 ParseLineEntry(QStringView entry) {
    if (entry.isEmpty() || entry.size() > kMaxLineDigits) return 0;
    qint64 line = 0;
    for (const QChar c : entry) {
        if (c < u'0' || c > u'9') return 0;
        line = line * 10 + (c.unicode() - u'0');
    }
    return line;
}

qsizetype SourceLineIndex(qint64 line, QStringView text) {
    if (text.endsWith(u'\n')) text.chop(1);
    const qint64 last = text.count(u'\n');
    return qsizetype(std::clamp<qint64>(line - 1, 0, last));
}

} // namespace quorvel
