// The OK and Cancel buttons of the IDE's small entry dialogs: named cmdOK and
// cmdCancel, neither of them a default button (these dialogs decide
// themselves what the Enter key does), in a row aligned to the right.
//
//     const OkCancelButtons buttons = MakeOkCancelButtons();
//     cmdOK = buttons.OK;
//     cmdCancel = buttons.Cancel;
//     layout->addLayout(buttons.Row);
#pragma once

class QHBoxLayout;
class QPushButton;

namespace quorvel {

struct OkCancelButtons {
    QPushButton* OK;
    QPushButton* Cancel;
    QHBoxLayout* Row; // holds both; the caller adds it to its layout
};

OkCancelButtons MakeOkCancelButtons();

} // namespace quorvel
