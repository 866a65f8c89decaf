// The find and replace dialog, one modeless window for "Find ..." and
// "Replace ...". The frame loads it hidden at start-up and keeps it for the
// whole run, so the search texts, their histories, the direction and the
// match-case option carry over from one search to the next.
//
//     frmReplace dialog(prompt, [&] { return activeEditor(); }, &frame);
//     dialog.ShowFind();       // or ShowReplace()
//     ...
//     dialog.FindNext();       // Find Next from the menu, without showing it
#pragma once

#include <functional>

#include <QDialog>
#include <QPointer>

#include "editor/TextSearch.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace quorvel {

class Prompt;
class frmEditor;

class frmReplace : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Find, Replace };

    // `editor` gives the editor the dialog works on, or null.
    frmReplace(Prompt& prompt, std::function<frmEditor*()> editor, QWidget* parent = nullptr);
    ~frmReplace() override;

    QLabel* lbWhat;
    QComboBox* cbWhat;
    QLabel* lbWith;
    QComboBox* cbWith;
    QGroupBox* fraDirection;
    QRadioButton* optUp;
    QRadioButton* optDown;
    QCheckBox* chkCase;
    QPushButton* cmdFindNext;
    QPushButton* cmdReplace;
    QPushButton* cmdReplaceAll;
    QPushButton* cmdCancel;

    Mode LastMode() const { return mode_; }

    void ShowFind();
    void ShowReplace();
    // The search primitive: selects the hit in the editor. Unless noMsg, says
    // "Search Text not found !" when there is none.
    bool FindStr(bool down, bool matchCase, bool noMsg);
    // Find Next from the menu: the dialog's direction and case option, the
    // dialog stays as it is. With no search text yet it shows the Find dialog.
    bool FindNext();
    // Puts the texts of cbWhat and cbWith at the top of their histories.
    void AddItem();
    void UpdateCmd();
    // Replaces every hit from the caret on, in the dialog's direction; the count.
    qint64 ReplaceAll();

public slots:
    void cmdFindNext_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    void cmdCancel_Click();
    // Hides the dialog and gives the focus back to the editor's text.
    void EndReplace();
    // Escape and the close button end it the same way.
    void reject() override;

private:
    void CreateWidgets();
    void ConnectWidgets();
    void ShowDialog();
    void SetMode(Mode mode);
    bool SelectionIsHit(frmEditor& editor, const QString& what) const;
    void OnFocusChanged(QWidget* now);

    Prompt& prompt_;
    std::function<frmEditor*()> editor_;
    Mode mode_ = Mode::Find;
    // The text the last Replace put in, still selected: the next Replace looks for the next hit.
    QPointer<frmEditor> replacedIn_;
    TextSelection replaced_;
};

} // namespace quorvel
