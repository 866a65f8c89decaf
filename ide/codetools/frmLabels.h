// The labels window: every label of the symbol table with its value, in
// listing order or sorted by name or by value. A right click offers the
// sort pop-up (mnuPopupSort), whose items call SortByName, SortByValue and
// Unsorted by name through the frame. The sort mode is the setting
// "LabelSort" ("N", "V" or empty), read on opening and saved on closing.
//
//     auto* labels = new frmLabels(symbols, frame.Menu("mnuPopupSort"));
//     labels->SortByName();
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "codetools/LabelListModel.h"
#include "codetools/SymbolTable.h"

class QMenu;
class QTreeView;

namespace quorvel {

class frmLabels : public QWidget {
    Q_OBJECT
public:
    // popupSort: the frame's mnuPopupSort, with the items mnuPopupSortName,
    // mnuPopupSortValue and mnuPopupSortNone.
    frmLabels(const SymbolTable& symbols, QMenu* popupSort, QWidget* parent = nullptr);

    // "N", "V" or empty.
    QString Sort;

    QTreeView* ListView() const { return listView_; }
    LabelListModel& Items() { return model_; }

public slots:
    // Rebuilds the list from the symbol table in the order Sort says.
    void RefreshLabels();
    void SortByName();
    void SortByValue();
    void Unsorted();
    // The sort pop-up at a point of the screen, its check marks set from Sort.
    void ShowSortPopup(QPoint globalPosition);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A new font measures the labels anew.
    void changeEvent(QEvent* event) override;

private:
    void SetSort(const QString& sort);
    // The label column as wide as the longest label (780 twips at least), the
    // value column five blanks; the user may resize both through the header.
    void FitColumns();

    const SymbolTable& symbols_;
    QPointer<QMenu> popupSort_;
    QTreeView* listView_ = nullptr;
    LabelListModel model_;
    int fittedLabelWidth_ = -1;
    int fittedValueWidth_ = -1;
};

} // namespace quorvel
