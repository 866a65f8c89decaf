#include "Lexer.h"

namespace as11 {

Fields splitFields(std::string_view line) {
    Fields f;
    const std::size_t n = line.size();
    std::size_t pos = skipBlanks(line, 0);
    if (pos == n) return f;
    if (pos == 0 && (line[0] == '*' || line[0] == ';')) {
        f.kind = LineKind::Comment;
        return f;
    }
    f.kind = LineKind::Statement;
    if (pos == 0) {
        std::size_t end = 0;
        if (isIdentStart(line[0]))
            while (end < n && isIdentChar(line[end]))
                ++end;
        f.label = line.substr(0, end);
        std::size_t after = end;
        if (after < n && line[after] == ':' && end > 0) ++after;
        if (end == 0 || !atFieldEnd(line, after)) {
            // Not a valid name: report it and skip the whole first field.
            f.badLabel = true;
            f.label = {};
            while (after < n && !isBlank(line[after]))
                ++after;
        }
        f.labelEndsLine = after == n && !f.badLabel;
        pos = skipBlanks(line, after);
    }
    if (pos < n && line[pos] != ';') {
        std::size_t end = pos;
        while (end < n && !isBlank(line[end]) && line[end] != ';')
            ++end;
        f.operation = line.substr(pos, end - pos);
        pos = skipBlanks(line, end);
    }
    f.operandPos = pos;
    return f;
}

} // namespace as11
