// The Go To Line dialog: a line number for the caret of an editor.
//
//     frmLine dialog(prompt, editor, &frame);
//     prompt.ShowModal(dialog);
//
// OK takes 1 .. 999999999 (a line past the end goes to the last line) and
// closes; anything else is refused with a message and the entry cleared.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvel {

class Prompt;
class frmEditor;

class frmLine : public QDialog {
    Q_OBJECT
public:
    frmLine(Prompt& prompt, frmEditor* editor, QWidget* parent = nullptr);

    QLabel* lbLine;
    QLineEdit* txtLine;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    Prompt& prompt_;
    QPointer<frmEditor> editor_;
};

} // namespace quorvel
