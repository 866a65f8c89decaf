#include "codetools/LabelListModel.h"

namespace quorvel {

void LabelListModel::SetItems(const std::vector<LabelItem>& items) {
    beginResetModel();
    rows_.clear();
    rows_.reserve(items.size());
    for (const LabelItem& item : items)
        rows_.push_back({item.Label.toString(), item.Address});
    endResetModel();
}

int LabelListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LabelListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant LabelListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    if (index.column() == 0) return Label(index.row());
    return Value(index.row());
}

QVariant LabelListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section == 0) return QStringLiteral("Label");
    if (section == 1) return QStringLiteral("Value");
    return {};
}

QString LabelListModel::Label(int row) const {
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)].Label
                                                               : QString();
}

QString LabelListModel::Value(int row) const {
    return row >= 0 && static_cast<size_t>(row) < rows_.size()
               ? LabelValueText(rows_[static_cast<size_t>(row)].Address)
               : QString();
}

} // namespace quorvel
