#include "frame/HelpTopics.h"

namespace quorvel {

namespace {

struct TopicPage {
    int Topic;
    const char* Page;
};

// Popup commands of the watch window (82-86) and of the register windows
// (95-99), the value entry (193, 194), the watch address (350) and the
// on-chip register summary (999).
constexpr TopicPage kTopics[] = {
    {82, "views.html"},
    {83, "views.html"},
    {84, "views.html"},
    {85, "views.html"},
    {86, "views.html"},
    {95, "views.html"},
    {96, "views.html"},
    {97, "views.html"},
    {98, "views.html"},
    {99, "views.html"},
    {kTopicEnterValue, "views.html"},
    {kTopicWatchEnterValue, "views.html"},
    {kTopicWatchAddress, "views.html"},
    {kTopicHC11Symbols, "hc11symbols.html"},
};

} // namespace

QString HelpTopicPage(int topic) {
    for (const TopicPage& entry : kTopics)
        if (entry.Topic == topic) return QString::fromLatin1(entry.Page);
    return kHelpContentsPage;
}

QList<int> HelpTopicNumbers() {
    QList<int> numbers;
    for (const TopicPage& entry : kTopics)
        numbers.append(entry.Topic);
    return numbers;
}

QList<QString> HelpPages() {
    return {kHelpContentsPage, QStringLiteral("views.html"), QStringLiteral("keys.html"),
            QStringLiteral("hc11symbols.html"), kHelpUsingPage};
}

} // namespace quorvel
