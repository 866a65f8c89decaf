// The search behind Find, Find Next, Replace and Replace All, on the plain
// text of an editor ("\n" between lines). Positions are 0-based.
//
//     TextSelection sel{caret, 0};
//     qsizetype hit = FindText(text, u"ldaa", sel, /*down*/ true, /*matchCase*/ false);
//     if (hit >= 0) select hit .. hit + 4
//
// Down finds the first occurrence from the end of the selection on. Up finds
// the last occurrence that lies wholly before the selection start, stepping
// forward from the start of the text past each hit (so hits never overlap).
// Without match case letters compare case-insensitively. An empty search text
// finds nothing.
#pragma once

#include <QString>
#include <QStringView>

namespace quorvel {

struct TextSelection {
    qsizetype Start = 0;
    qsizetype Length = 0;

    friend bool operator==(const TextSelection&, const TextSelection&) = default;
};

// The start of the hit, or -1.
qsizetype FindText(QStringView text, QStringView what, TextSelection selection, bool down, bool matchCase);

// What Replace All does from the selection on: every hit that the search
// would find one after the other replaced, each search going on after the
// previous replacement (down) or before it (up).
struct ReplaceAllResult {
    qint64 Count = 0;
    // The part of the old text that changes, and its new contents.
    qsizetype From = 0;
    qsizetype To = 0;
    QString Replacement;
    // The caret in the new text: after the last replacement going down, at
    // the start of the last one going up.
    qsizetype Caret = 0;
};

ReplaceAllResult ReplaceAllText(QStringView text, QStringView what, QStringView with, TextSelection selection,
                                bool down, bool matchCase);

} // namespace quorvel
