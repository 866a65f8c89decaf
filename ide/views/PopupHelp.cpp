#include "views/PopupHelp.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QObject>

namespace quorvel {

namespace {

constexpr char kHelpTopicProperty[] = "HelpContextID";

class MenuHelpFilter : public QObject {
public:
    MenuHelpFilter(QMenu* menu, std::function<void(int)> show) : QObject(menu), show_(std::move(show)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        auto* menu = qobject_cast<QMenu*>(watched);
        const int topic = menu ? HelpTopicOf(menu->activeAction()) : 0;
        if (topic == 0) return false;
        menu->hide();
        if (show_) show_(topic);
        return true;
    }

private:
    std::function<void(int)> show_;
};

} // namespace

void SetHelpTopic(QAction* action, int topic) {
    if (action) action->setProperty(kHelpTopicProperty, topic);
}

int HelpTopicOf(const QAction* action) {
    return action ? action->property(kHelpTopicProperty).toInt() : 0;
}

void InstallMenuHelp(QMenu* menu, std::function<void(int topic)> show) {
    if (!menu) return;
    menu->installEventFilter(new MenuHelpFilter(menu, std::move(show)));
}

} // namespace quorvel
