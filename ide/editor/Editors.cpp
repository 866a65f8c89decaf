#include "editor/Editors.h"

#include <algorithm>

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "editor/EditorText.h"
#include "editor/EditorTexts.h"
#include "editor/PrintEditor.h"
#include "editor/WaitCursor.h"
#include "editor/frmEditor.h"
#include "editor/frmLine.h"
#include "editor/frmReplace.h"
#include "frame/DialogHelp.h"
#include "frame/Fonts.h"
#include "frame/MainWindow.h"
#include "frame/Prompt.h"
#include "frame/Settings.h"
#include "frame/StatusText.h"

namespace quorvel {

namespace {

constexpr int kRecentFiles = 4;
const QString kLastFolderKey = QStringLiteral("LastFolder");

// Enabled while an editor is active, whatever its state.
const char* const kEditorCommands[] = {
    "mnuEditSelectAll", "mnuEditFind",  "mnuEditFindNext", "mnuEditReplace",      "mnuEditGoToLine",
    "mnuFileSaveAs",    "mnuFileClose", "mnuFilePrint",    "mnuFilePrintPreview", "mnuFileAssemble",
};

QString RecentKey(int index) {
    return QStringLiteral("RecentFile") + QString::number(index + 1);
}

// One file, however it is named: links and detours resolved while the file exists.
QString SamePath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QMdiSubWindow* WindowOf(frmEditor* editor) {
    return editor ? qobject_cast<QMdiSubWindow*>(editor->parentWidget()) : nullptr;
}

} // namespace

Editors::Editors(frmMain& frame) : frame_(frame) {
    // Loaded hidden, it keeps the last search for the whole run.
    replace_ = new frmReplace(
        frame_.prompt(), [this] { return ActiveEditor(); }, &frame_);
    replace_->hide();
    SetDialogHelpHook(*replace_, [this](int topic) { frame_.ShowHelpTopic(topic); });

    connect(frame_.mdiArea, &QMdiArea::subWindowActivated, this, &Editors::OnActivated);
    if (QMenu* edit = frame_.Menu(QStringLiteral("mnuEdit")))
        connect(edit, &QMenu::aboutToShow, this, &Editors::UpdateCommands);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &Editors::UpdateCommands);

    folders_.SetActiveDocument([this] {
        const frmEditor* editor = ActiveEditor();
        return editor ? editor->EditorName() : QString();
    });

    Settings store;
    folders_.SetLastFolder(store.GetText(Settings::kSettings, kLastFolderKey, QString()));
    QStringList recent;
    for (int i = 0; i < kRecentFiles; ++i) {
        const QString file = store.GetText(Settings::kSettings, RecentKey(i), QString());
        if (!file.isEmpty() && !recent.contains(file)) recent.append(file);
    }
    frame_.SetRecentFiles(recent);
    UpdateCommands();
}

Editors::~Editors() {
    folders_.SetActiveDocument(nullptr);
    delete replace_;
}

// ---- The editors ----

frmEditor* Editors::ActiveEditor() const {
    const QMdiSubWindow* window = frame_.mdiArea->currentSubWindow();
    return window ? qobject_cast<frmEditor*>(window->widget()) : nullptr;
}

QList<frmEditor*> Editors::AllEditors() const {
    QList<frmEditor*> editors;
    for (QMdiSubWindow* window : frame_.EditorWindows())
        if (auto* editor = qobject_cast<frmEditor*>(window->widget())) editors.append(editor);
    return editors;
}

frmEditor* Editors::EditorOf(const QString& path) const {
    const QString wanted = SamePath(path);
    for (frmEditor* editor : AllEditors())
        if (!editor->EditorName().isEmpty() && SamePath(editor->EditorName()) == wanted) return editor;
    return nullptr;
}

frmReplace& Editors::ReplaceDialog() const {
    return *replace_;
}

QPrinter& Editors::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

frmEditor* Editors::CreateEditor() {
    auto* editor =
        new frmEditor(frame_.prompt(), [&frame = frame_] { return ResolveFont(frame.ScreenFont); });
    editor->SetDialogFolders(&folders_);
    connect(editor, &frmEditor::StateChanged, this, [this, editor] {
        if (editor == ActiveEditor()) UpdateCommands();
    });
    connect(editor, &frmEditor::Saved, this, [this, editor](const QString& path) { OnSaved(editor, path); });
    connect(editor->Text, &EditorText::EditMenuRequested, this, [this](const QPoint& at) {
        if (QMenu* edit = frame_.Menu(QStringLiteral("mnuEdit"))) edit->popup(at);
    });
    return editor;
}

QMdiSubWindow* Editors::ShowEditor(frmEditor* editor) {
    QMdiSubWindow* window = frame_.AddChildForm(editor);
    const QSize client = frame_.mdiArea->viewport()->size();
    window->resize(std::max(320, client.width() * 2 / 3), std::max(200, client.height() * 2 / 3));
    connect(window, &QObject::destroyed, this,
            [this] { QMetaObject::invokeMethod(this, &Editors::OnActivated, Qt::QueuedConnection); });
    window->show();
    frame_.mdiArea->setActiveSubWindow(window);
    editor->Text->setFocus();
    OnActivated();
    return window;
}

void Editors::ActivateEditor(frmEditor* editor) {
    QMdiSubWindow* window = WindowOf(editor);
    if (!window) return;
    if (window->isMinimized()) window->showNormal();
    frame_.mdiArea->setActiveSubWindow(window);
    editor->Text->setFocus();
}

// ---- Activation and the state of the commands ----

void Editors::OnActivated() {
    frmEditor* editor = ActiveEditor();
    if (editor != lastActive_ || (!editor && editorActive_)) {
        lastActive_ = editor;
        editorActive_ = editor != nullptr;
        AssembleSource = editor && !editor->EditorName().isEmpty() ? editor->EditorTitle() : QString();
    }
    UpdateCommands();
}

void Editors::UpdateCommands() {
    frmEditor* editor = ActiveEditor();
    const bool active = editor != nullptr;
    const bool selection = active && editor->HasSelection();
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    for (const char* name : kEditorCommands)
        frame_.SetCommandEnabled(QLatin1String(name), active);
    frame_.SetCommandEnabled(QStringLiteral("mnuEditUndo"), active && editor->Undo());
    frame_.SetCommandEnabled(QStringLiteral("mnuEditRedo"), active && editor->Redo());
    frame_.SetCommandEnabled(QStringLiteral("mnuEditCut"), selection);
    frame_.SetCommandEnabled(QStringLiteral("mnuEditCopy"), selection);
    frame_.SetCommandEnabled(QStringLiteral("mnuEditDelete"), selection);
    frame_.SetCommandEnabled(QStringLiteral("mnuEditPaste"), active && clipboard && clipboard->hasText());
    frame_.SetCommandEnabled(QStringLiteral("mnuFileSave"), active && editor->TextChanged());
    frame_.SetStatusPanel(kPanelCaret,
                          active ? CaretText(editor->CaretLine(), editor->CaretColumn()) : QString());
}

void Editors::OnSaved(frmEditor* editor, const QString& path) {
    AddRecentFile(path);
    if (editor == ActiveEditor()) AssembleSource = editor->EditorTitle();
    UpdateCommands();
}

bool Editors::QueryUnloadAll() {
    const QList<frmEditor*> editors = AllEditors();
    for (frmEditor* editor : editors) {
        if (!editor->TextChanged()) continue;
        // The question is about the window in front.
        ActivateEditor(editor);
        if (!editor->QueryUnload()) return false;
    }
    for (frmEditor* editor : editors)
        editor->AgreeToUnload();
    // Every editor agreed; a window that still refuses keeps the frame open.
    for (QMdiSubWindow* window : frame_.EditorWindows())
        if (!window->close()) return false;
    return true;
}

void Editors::Unload() {
    if (replace_) replace_->hide();
    Settings store;
    store.SaveText(Settings::kSettings, kLastFolderKey, folders_.LastFolder());
}

// ---- Recent files ----

void Editors::SetRecentFiles(const QStringList& files) {
    frame_.SetRecentFiles(files);
    Settings store;
    const QStringList& shown = frame_.RecentFiles();
    for (int i = 0; i < kRecentFiles; ++i) {
        if (i < shown.size())
            store.SaveText(Settings::kSettings, RecentKey(i), shown[i]);
        else
            store.Remove(Settings::kSettings, RecentKey(i));
    }
}

void Editors::AddRecentFile(const QString& path) {
    QStringList files = frame_.RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    SetRecentFiles(files.mid(0, kRecentFiles));
}

void Editors::OpenRecent(int index) {
    QStringList files = frame_.RecentFiles();
    if (index < 0 || index >= files.size()) return;
    const QString path = files[index];
    if (OpenFile(path)) return;
    files.removeAll(path);
    SetRecentFiles(files);
}

// ---- File ----

frmEditor* Editors::NewEditor() {
    ++newCount_;
    frmEditor* editor = CreateEditor();
    editor->SetEditorTitle(UntitledTitle(newCount_));
    ShowEditor(editor);
    return editor;
}

void Editors::Open() {
    FileRequest request;
    request.Title = kOpenTitle;
    request.Filter = kOpenFilter;
    request.FilterIndex = filterIndex_;
    request.HideReadOnly = true;
    request.FileMustExist = true;
    const FileAnswer answer = folders_.OpenFile(frame_.prompt(), request);
    filterIndex_ = answer.FilterIndex;
    if (answer.Accepted && !answer.FileName.isEmpty()) OpenFile(answer.FileName);
}

frmEditor* Editors::OpenFile(const QString& path) {
    // A second editor on the file would let a save in one overwrite the other's edits.
    if (frmEditor* open = EditorOf(path)) {
        ActivateEditor(open);
        return open;
    }
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    TextFileContent content;
    QString error;
    bool read = false;
    {
        WaitCursor wait;
        read = ReadTextFile(fullPath, content, error);
    }
    if (!read) {
        frame_.prompt().Message(DravikTitle(QStringLiteral("File Error")), CantOpenText(fullPath, error),
                                PromptIcon::Exclamation);
        return nullptr;
    }
    frmEditor* editor = CreateEditor();
    {
        WaitCursor wait;
        editor->LoadFile(fullPath, content);
    }
    ShowEditor(editor);
    AddRecentFile(fullPath);
    return editor;
}

void Editors::OpenFiles(const QStringList& paths) {
    for (const QString& path : paths)
        OpenFile(path);
}

frmEditor* Editors::ShowSourceLine(const QString& path, const QString& title, qint64 line) {
    frmEditor* editor = EditorOf(path);
    if (editor) {
        ActivateEditor(editor);
    } else {
        editor = OpenFile(path);
        if (!editor) return nullptr;
        if (!title.isEmpty()) editor->SetEditorTitle(title);
    }
    editor->GoToLine(SourceLineIndex(line, editor->PlainText()) + 1);
    return editor;
}

void Editors::Close() {
    if (QMdiSubWindow* window = WindowOf(ActiveEditor())) window->close();
}

void Editors::Save() {
    if (frmEditor* editor = ActiveEditor()) editor->Save();
}

void Editors::SaveAs() {
    if (frmEditor* editor = ActiveEditor()) editor->SaveAs();
}

// ---- Printing ----

int Editors::PrintActive(QPrinter& printer) {
    frmEditor* editor = ActiveEditor();
    if (!editor) return 0;
    return PrintEditor(printer, ResolveFont(frame_.PrintFont), editor->EditorTitle(), editor->PlainText());
}

void Editors::PrintSetup() {
    frame_.prompt().PrintDialog(Printer(), PrintMode::PrintSetup);
}

void Editors::PrintPreview() {
    if (!ActiveEditor()) return;
    QPrintPreviewDialog dialog(&Printer(), &frame_);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        if (printer) PrintActive(*printer);
    });
    frame_.prompt().ShowModal(dialog);
}

void Editors::Print(bool withDialog) {
    frmEditor* editor = ActiveEditor();
    if (!editor) return;
    if (withDialog && !frame_.prompt().PrintDialog(Printer(), PrintMode::Print)) return;
    if (PrintActive(Printer()) < 0)
        frame_.prompt().Message(
            DravikTitle(QStringLiteral("Print Error")),
            TwoLines(QStringLiteral("Can't Print ") + editor->EditorTitle() + QStringLiteral(" !"),
                     QStringLiteral("(The printer could not be started)")),
            PromptIcon::Exclamation);
}

// ---- Edit ----

void Editors::Undo() {
    if (frmEditor* editor = ActiveEditor()) editor->EditUndo();
}

void Editors::Redo() {
    if (frmEditor* editor = ActiveEditor()) editor->EditRedo();
}

void Editors::Cut() {
    if (frmEditor* editor = ActiveEditor()) editor->EditCut();
}

void Editors::Copy() {
    if (frmEditor* editor = ActiveEditor()) editor->EditCopy();
}

void Editors::Paste() {
    if (frmEditor* editor = ActiveEditor()) editor->EditPaste();
}

void Editors::Delete() {
    if (frmEditor* editor = ActiveEditor()) editor->EditDelete();
}

void Editors::SelectAll() {
    if (frmEditor* editor = ActiveEditor()) editor->EditSelectAll();
}

void Editors::Find() {
    if (ActiveEditor()) replace_->ShowFind();
}

void Editors::FindNext() {
    if (ActiveEditor()) replace_->FindNext();
}

void Editors::Replace() {
    if (ActiveEditor()) replace_->ShowReplace();
}

void Editors::GoToLine() {
    frmEditor* editor = ActiveEditor();
    if (!editor) return;
    frmLine dialog(frame_.prompt(), editor, &frame_);
    SetDialogHelpHook(dialog, [this](int topic) { frame_.ShowHelpTopic(topic); });
    frame_.prompt().ShowModal(dialog);
}

} // namespace quorvel
