#include "editor/frmReplace.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/EditorText.h"
#include "editor/EditorTexts.h"
#include "editor/frmEditor.h"
#include "frame/DialogHelp.h"
#include "frame/HelpTopics.h"
#include "frame/Prompt.h"

namespace quorvel {

namespace {

QComboBox* HistoryBox(const QString& name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(24);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QPushButton* Button(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// Puts a text at the top of a history unless it is empty or already listed.
void AddToHistory(QComboBox* box, const QString& text) {
    if (text.isEmpty() || box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0) return;
    box->insertItem(0, text);
    box->setCurrentIndex(0);
}

QString MostRecent(const QComboBox* box) {
    return box->count() > 0 ? box->itemText(0) : QString();
}

} // namespace

frmReplace::frmReplace(Prompt& prompt, std::function<frmEditor*()> editor, QWidget* parent)
    : QDialog(parent), prompt_(prompt), editor_(std::move(editor)) {
    setObjectName(QStringLiteral("frmReplace"));
    setModal(false);
    SetDialogHelpTopic(*this, kTopicContents);
    CreateWidgets();
    ConnectWidgets();
    SetMode(Mode::Find);
    UpdateCmd();
}

frmReplace::~frmReplace() {
    // Focus moves while the widgets go; the dialog no longer listens by then.
    disconnect(qApp, nullptr, this, nullptr);
}

void frmReplace::CreateWidgets() {
    lbWhat = new QLabel(QStringLiteral("Fi&nd what:"));
    lbWhat->setObjectName(QStringLiteral("lbWhat"));
    cbWhat = HistoryBox(QStringLiteral("cbWhat"));
    lbWhat->setBuddy(cbWhat);
    lbWith = new QLabel(QStringLiteral("Re&place with:"));
    lbWith->setObjectName(QStringLiteral("lbWith"));
    cbWith = HistoryBox(QStringLiteral("cbWith"));
    lbWith->setBuddy(cbWith);

    fraDirection = new QGroupBox(QStringLiteral("Direction"));
    fraDirection->setObjectName(QStringLiteral("fraDirection"));
    optUp = new QRadioButton(QStringLiteral("&Up"));
    optUp->setObjectName(QStringLiteral("optUp"));
    optDown = new QRadioButton(QStringLiteral("&Down"));
    optDown->setObjectName(QStringLiteral("optDown"));
    optDown->setChecked(true);
    auto* direction = new QHBoxLayout(fraDirection);
    direction->addWidget(optUp);
    direction->addWidget(optDown);
    chkCase = new QCheckBox(QStringLiteral("Match &case"));
    chkCase->setObjectName(QStringLiteral("chkCase"));

    cmdFindNext = Button(QStringLiteral("cmdFindNext"), QStringLiteral("&Find Next"));
    cmdFindNext->setDefault(true);
    cmdReplace = Button(QStringLiteral("cmdReplace"), QStringLiteral("&Replace ..."));
    cmdReplaceAll = Button(QStringLiteral("cmdReplaceAll"), QStringLiteral("Replace &All"));
    cmdCancel = Button(QStringLiteral("cmdCancel"), QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(lbWhat, 0, 0);
    grid->addWidget(cbWhat, 0, 1);
    grid->addWidget(lbWith, 1, 0);
    grid->addWidget(cbWith, 1, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(chkCase, 0, Qt::AlignBottom);
    options->addStretch();
    options->addWidget(fraDirection);
    grid->addLayout(options, 2, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdFindNext);
    buttons->addWidget(cmdReplace);
    buttons->addWidget(cmdReplaceAll);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);
    grid->setRowStretch(3, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void frmReplace::ConnectWidgets() {
    connect(cbWhat, &QComboBox::editTextChanged, this, &frmReplace::UpdateCmd);
    connect(cmdFindNext, &QPushButton::clicked, this, &frmReplace::cmdFindNext_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &frmReplace::cmdReplace_Click);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &frmReplace::cmdReplaceAll_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmReplace::cmdCancel_Click);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

// ---- Showing ----

void frmReplace::SetMode(Mode mode) {
    mode_ = mode;
    const bool replace = mode == Mode::Replace;
    // The options move up into the place of the replacement row when it is hidden.
    lbWith->setVisible(replace);
    cbWith->setVisible(replace);
    cmdReplaceAll->setVisible(replace);
    cmdReplace->setText(replace ? QStringLiteral("&Replace") : QStringLiteral("&Replace ..."));
    setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
}

void frmReplace::ShowFind() {
    SetMode(Mode::Find);
    ShowDialog();
}

void frmReplace::ShowReplace() {
    SetMode(Mode::Replace);
    ShowDialog();
}

void frmReplace::ShowDialog() {
    frmEditor* editor = editor_();
    if (editor && editor->HasSelection()) {
        const QString selected = editor->SelectedText();
        AddToHistory(cbWhat, selected);
        cbWhat->setEditText(selected);
    } else {
        cbWhat->setEditText(MostRecent(cbWhat));
    }
    cbWith->setEditText(MostRecent(cbWith));
    UpdateCmd();
    show();
    raise();
    activateWindow();
    cbWhat->setFocus();
    cbWhat->lineEdit()->selectAll();
}

void frmReplace::UpdateCmd() {
    const bool any = !cbWhat->currentText().isEmpty();
    cmdFindNext->setEnabled(any);
    cmdReplace->setEnabled(any);
    cmdReplaceAll->setEnabled(any);
}

void frmReplace::AddItem() {
    const QString what = cbWhat->currentText();
    const QString with = cbWith->currentText();
    AddToHistory(cbWhat, what);
    cbWhat->setEditText(what);
    AddToHistory(cbWith, with);
    cbWith->setEditText(with);
}

// ---- Searching ----

bool frmReplace::FindStr(bool down, bool matchCase, bool noMsg) {
    frmEditor* editor = editor_();
    const QString what = cbWhat->currentText();
    if (!editor || what.isEmpty()) return false;
    const qsizetype hit = FindText(editor->PlainText(), what, editor->Selection(), down, matchCase);
    if (hit >= 0) {
        editor->Select(hit, what.size());
        replacedIn_ = nullptr;
        return true;
    }
    if (!noMsg)
        prompt_.Message(DravikTitle(QStringLiteral("Search")), kSearchNotFound, PromptIcon::Exclamation);
    return false;
}

bool frmReplace::FindNext() {
    if (cbWhat->currentText().isEmpty()) {
        ShowFind();
        return false;
    }
    return FindStr(optDown->isChecked(), chkCase->isChecked(), false);
}

void frmReplace::cmdFindNext_Click() {
    AddItem();
    FindStr(optDown->isChecked(), chkCase->isChecked(), false);
}

// The selection is a hit the last search found (or one the user selected),
// not the text the last Replace put in.
bool frmReplace::SelectionIsHit(frmEditor& editor, const QString& what) const {
    const TextSelection selection = editor.Selection();
    if (selection.Length != what.size() || what.isEmpty()) return false;
    if (replacedIn_ == &editor && replaced_ == selection) return false;
    const Qt::CaseSensitivity cs = chkCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return editor.SelectedText().compare(what, cs) == 0;
}

void frmReplace::cmdReplace_Click() {
    if (mode_ == Mode::Find) {
        ShowReplace();
        return;
    }
    AddItem();
    frmEditor* editor = editor_();
    if (!editor) return;
    const QString what = cbWhat->currentText();
    if (!SelectionIsHit(*editor, what)) {
        FindStr(optDown->isChecked(), chkCase->isChecked(), false);
        return;
    }
    const QString with = cbWith->currentText();
    const qsizetype start = editor->Selection().Start;
    editor->ReplaceSelection(with);
    editor->Select(start, with.size());
    replacedIn_ = editor;
    replaced_ = {start, with.size()};
}

qint64 frmReplace::ReplaceAll() {
    frmEditor* editor = editor_();
    const QString what = cbWhat->currentText();
    if (!editor || what.isEmpty()) return 0;
    const ReplaceAllResult result =
        ReplaceAllText(editor->PlainText(), what, cbWith->currentText(), editor->Selection(),
                       optDown->isChecked(), chkCase->isChecked());
    if (result.Count > 0) editor->ReplaceRange(result.From, result.To, result.Replacement, result.Caret);
    replacedIn_ = nullptr;
    return result.Count;
}

void frmReplace::cmdReplaceAll_Click() {
    AddItem();
    if (!editor_()) return;
    const qint64 count = ReplaceAll();
    if (count == 0)
        prompt_.Message(DravikTitle(QStringLiteral("Search")), kSearchNotFound, PromptIcon::Exclamation);
    else
        prompt_.Message(DravikTitle(QStringLiteral("Replace")), ReplacedText(count), PromptIcon::Information);
}

// ---- Leaving ----

void frmReplace::cmdCancel_Click() {
    EndReplace();
}

void frmReplace::reject() {
    EndReplace();
}

void frmReplace::EndReplace() {
    QDialog::reject();
    if (frmEditor* editor = editor_()) editor->Text->setFocus();
}

void frmReplace::OnFocusChanged(QWidget* now) {
    if (!isVisible() || !now) return;
    frmEditor* editor = editor_();
    if (editor && now == editor->Text) EndReplace();
}

} // namespace quorvel
