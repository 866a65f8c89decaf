#include "codetools/AddressEntry.h"

#include "frame/NumberText.h"

namespace quorvel {

int32_t ParseAddress(QStringView text, const SymbolTable& table) {
    const int32_t number = ParseNumber(text, true);
    if (number != -1) return number;
    QString name = text.toString();
    return table.SymbolValue(name);
}

} // namespace quorvel
