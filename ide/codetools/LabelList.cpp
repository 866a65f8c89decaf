#include "codetools/LabelList.h"

#include <algorithm>

#include "frame/NumberText.h"

namespace quorvel {

std::vector<LabelItem> LabelItems(const SymbolTable& table, QStringView sort) {
    std::vector<LabelItem> items;
    for (const ListingLine& line : table.ListingLines())
        if (!line.Label.isEmpty()) items.push_back({line.Label, line.Address});
    if (sort == kSortByName) {
        std::stable_sort(items.begin(), items.end(), [](const LabelItem& a, const LabelItem& b) {
            const int folded = a.Label.compare(b.Label, Qt::CaseInsensitive);
            return folded != 0 ? folded < 0 : a.Label.compare(b.Label, Qt::CaseSensitive) < 0;
        });
    } else if (sort == kSortByValue) {
        std::stable_sort(items.begin(), items.end(),
                         [](const LabelItem& a, const LabelItem& b) { return a.Address < b.Address; });
    }
    return items;
}

QString LabelValueText(int32_t address) {
    return QLatin1Char('$') + HexPad(address, 4);
}

} // namespace quorvel
