// The error list: the accepted lines of the assembler's error file, each
// tied to its source line. Show Error (or a double click, or Enter) opens the
// source in an editor, or brings its open editor forward, with the caret at
// the start of that line. A single click only selects, also under desktops
// whose style activates list items on a single click. The window stands beside the frame (owned by it,
// not modal); closing it unloads it.
//
//     auto* errors = new frmError(assembler, &frame);
//     errors->LoadErrors();   // reads assembler.ErrorFilePath(), shows the window
#pragma once

#include <cstdint>
#include <vector>

#include <QWidget>

class QListWidget;
class QPushButton;

namespace quorvel {

class FrameAssembler;

class frmError : public QWidget {
    Q_OBJECT
public:
    frmError(FrameAssembler& assembler, QWidget* owner);

    QListWidget* List = nullptr;
    QPushButton* cmdShow = nullptr;
    QPushButton* cmdClose = nullptr;
    // The source line (1-based) of each list entry.
    std::vector<int32_t> ErrLines;

public slots:
    // Fills the list from the error file and shows the window (or brings it to the front).
    void LoadErrors();
    void cmdShow_Click();
    void cmdClose_Click();

protected:
    // Enter in the list is Show Error.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateWidgets();
    void ConnectWidgets();

    FrameAssembler& assembler_;
};

} // namespace quorvel
