// The help window: the HTML pages of the program's help/ folder in a browser
// with Contents, Back and Forward.
//
//     help->ShowPage("hc11symbols.html", "999");
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace quorvel {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QString folder, QWidget* parent = nullptr);

    const QString& Folder() const { return folder_; }
    // Shows a page of the folder, scrolled to the anchor when one is given.
    // False when the page is not there.
    bool ShowPage(const QString& page, const QString& anchor = QString());

    QTextBrowser* txtHelp;
    QToolButton* cmdContents;
    QToolButton* cmdBack;
    QToolButton* cmdForward;

private:
    QString folder_;
};

} // namespace quorvel
