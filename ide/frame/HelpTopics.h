// The help pages shipped in the program's help/ folder and where each help
// topic number lives. A topic is an anchor named by its number on its page,
// for example hc11symbols.html#999.
#pragma once

#include <QList>
#include <QString>

namespace quorvel {

inline constexpr int kTopicHC11Symbols = 999;

inline const QString kHelpContentsPage = QStringLiteral("index.html");
inline const QString kHelpUsingPage = QStringLiteral("usinghelp.html");

// The page holding `topic`; the contents page for a topic that has none.
QString HelpTopicPage(int topic);
// Every topic number the pages provide.
QList<int> HelpTopicNumbers();
// All pages of the help folder.
QList<QString> HelpPages();

} // namespace quorvel
