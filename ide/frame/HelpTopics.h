// The help pages shipped in the program's help/ folder and where each help
// topic number lives. A topic is an anchor named by its number on its page,
// for example hc11symbols.html#999.
#pragma once

#include <QList>
#include <QString>

namespace quorvel {

inline constexpr int kTopicHC11Symbols = 999;
// The help contents: the topic of the dialogs that have no page of their own.
inline constexpr int kTopicContents = 0;
// The value-entry dialog, and the same dialog opened from the watch window.
inline constexpr int kTopicEnterValue = 193;
inline constexpr int kTopicWatchEnterValue = 194;
// The watch-address dialog.
inline constexpr int kTopicWatchAddress = 350;

inline const QString kHelpContentsPage = QStringLiteral("index.html");
inline const QString kHelpUsingPage = QStringLiteral("usinghelp.html");

// The page holding `topic`; the contents page for a topic that has none.
QString HelpTopicPage(int topic);
// Every topic number the pages provide.
QList<int> HelpTopicNumbers();
// All pages of the help folder.
QList<QString> HelpPages();

} // namespace quorvel
