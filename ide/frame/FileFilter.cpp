#include "frame/FileFilter.h"

#include <QRegularExpression>

namespace quorvel {

namespace {

QString QtPatterns(const QString& patterns) {
    QStringList out;
    const QStringList parts =
        patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    for (const QString& pattern : parts) {
        if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
            out = QStringList{QStringLiteral("*")};
            break;
        }
        if (!out.contains(pattern)) out.append(pattern);
        const QString upper = pattern.toUpper();
        if (pattern.startsWith(QLatin1String("*.")) && upper != pattern && !out.contains(upper))
            out.append(upper);
    }
    if (out.isEmpty()) out.append(QStringLiteral("*"));
    return out.join(QLatin1Char(' '));
}

QString Description(const QString& text) {
    // A trailing "(...)" names the patterns again; Qt reads the patterns from there.
    static const QRegularExpression trailing(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QString description = text;
    description.remove(trailing);
    return description.trimmed();
}

} // namespace

QStringList QtFileFilters(const QString& filter) {
    QStringList filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QtPatterns(parts[i + 1]);
        QString description = Description(parts[i]);
        if (description.isEmpty()) description = patterns;
        filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    if (filters.isEmpty()) filters.append(QStringLiteral("All Files (*)"));
    return filters;
}

int FileFilterIndex(const QString& filter, const QString& selected) {
    return int(QtFileFilters(filter).indexOf(selected)) + 1;
}

} // namespace quorvel
