// The About box: program name and version.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quorvel {

// "Version " + major + "." + minor.
QString VersionText();

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lbTitle;
    QLabel* lbVersion;
    QLabel* lbDescription;
    QPushButton* cmdOK;
};

} // namespace quorvel
