// The labels window's two columns as an item model: the label, and its
// value as "$" + four hexadecimal digits. The rows are copies, so the model
// stays valid while the symbol table is being replaced.
#pragma once

#include <cstdint>
#include <vector>

#include <QAbstractTableModel>
#include <QString>

#include "codetools/LabelList.h"

namespace quorvel {

class LabelListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetItems(const std::vector<LabelItem>& items);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The captions "Label" and "Value" of the header.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The texts of a row (for the window's users and the tests).
    QString Label(int row) const;
    QString Value(int row) const;

private:
    struct Row {
        QString Label;
        int32_t Address;
    };
    std::vector<Row> rows_;
};

} // namespace quorvel
