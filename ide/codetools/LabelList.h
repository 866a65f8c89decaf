// What the labels window lists: every record of the symbol table that
// defines a label, as the label and its value "$" + four hexadecimal digits,
// in one of three orders. The order is kept as the setting "LabelSort":
// "N" by name, "V" by value, anything else (the empty text) listing order.
//
//     std::vector<LabelItem> items = LabelItems(table, u"N");
//     QString value = LabelValueText(items[0].Address);   // "$E000"
#pragma once

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringView>

#include "codetools/SymbolTable.h"

namespace quorvel {

inline const QString kSortByName = QStringLiteral("N");
inline const QString kSortByValue = QStringLiteral("V");
inline const QString kUnsorted = QString();

struct LabelItem {
    QStringView Label; // into the table
    int32_t Address = 0;
};

// By name: ascending, letters compared without regard to case first (then
// with it); by value: ascending addresses. Equal keys keep listing order.
std::vector<LabelItem> LabelItems(const SymbolTable& table, QStringView sort);

// The value column: "$" and four upper-case hexadecimal digits.
QString LabelValueText(int32_t address);

} // namespace quorvel
