#include "editor/TextSearch.h"

#include <algorithm>

namespace quorvel {

namespace {

Qt::CaseSensitivity Sensitivity(bool matchCase) {
    return matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

// The range the search covers: from the end of the selection to the end of
// the text going down, the text before the selection going up.
QStringView SearchedText(QStringView text, TextSelection selection, bool down, qsizetype& from) {
    const qsizetype start = std::clamp<qsizetype>(selection.Start, 0, text.size());
    if (down) {
        from = std::clamp<qsizetype>(start + std::max<qsizetype>(selection.Length, 0), 0, text.size());
        return text;
    }
    from = 0;
    return text.left(start);
}

} // namespace

qsizetype FindText(QStringView text, QStringView what, TextSelection selection, bool down, bool matchCase) {
    if (what.isEmpty()) return -1;
    qsizetype from = 0;
    const QStringView searched = SearchedText(text, selection, down, from);
    const Qt::CaseSensitivity cs = Sensitivity(matchCase);
    if (down) return searched.indexOf(what, from, cs);
    qsizetype last = -1;
    for (qsizetype hit = searched.indexOf(what, 0, cs); hit >= 0;
         hit = searched.indexOf(what, hit + what.size(), cs))
        last = hit;
    return last;
}

ReplaceAllResult ReplaceAllText(QStringView text, QStringView what, QStringView with, TextSelection selection,
                                bool down, bool matchCase) {
    ReplaceAllResult result;
    if (what.isEmpty()) return result;
    qsizetype from = 0;
    const QStringView searched = SearchedText(text, selection, down, from);
    const Qt::CaseSensitivity cs = Sensitivity(matchCase);

    // Going down each search starts after the replacement just made, going up
    // before it; either way the hits are those of one forward pass over the
    // old text, so they are collected in one.
    qsizetype copied = -1; // end of the old text taken over so far
    for (qsizetype hit = searched.indexOf(what, from, cs); hit >= 0;
         hit = searched.indexOf(what, hit + what.size(), cs)) {
        if (copied < 0) {
            result.From = hit;
        } else {
            result.Replacement.append(text.mid(copied, hit - copied));
        }
        result.Replacement.append(with);
        copied = hit + what.size();
        ++result.Count;
    }
    if (result.Count == 0) {
        result.Caret = std::clamp<qsizetype>(selection.Start, 0, text.size());
        return result;
    }
    result.To = copied;
    result.Caret = down ? result.From + result.Replacement.size() : result.From;
    return result;
}

} // namespace quorvel
