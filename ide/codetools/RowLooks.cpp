#include "codetools/RowLooks.h"

#include <QPalette>

namespace quorvel {

RowLook PickRowLook(const QPalette& palette, RowMarks marks) {
    RowLook look{palette.color(QPalette::Base), palette.color(QPalette::Text), marks.Bold};
    if (marks.Cursor && marks.Breakpoint) {
        look.Back = Qt::magenta;
        look.Fore = Qt::black;
    } else if (marks.Cursor) {
        look.Back = Qt::blue;
        look.Fore = Qt::white;
    } else if (marks.Breakpoint) {
        look.Back = Qt::red;
        look.Fore = Qt::black;
    }
    return look;
}

} // namespace quorvel
