#include "views/TerminalScreen.h"

#include <algorithm>

#include "frame/NumberText.h"
#include "views/TerminalCodePages.h"

namespace quorvel {

namespace {

constexpr uint8_t kBell = 7;
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kTab = 9;
constexpr uint8_t kLineFeed = 10;
constexpr uint8_t kFormFeed = 12;
constexpr uint8_t kCarriageReturn = 13;
constexpr uint8_t kFirstPrintable = 32;

// 49 blanks, the bar, 17 blanks.
QString DumpTemplate() {
    QString line(TerminalScreen::kHexLineLength, QLatin1Char(' '));
    line[TerminalScreen::kHexBarColumn] = QLatin1Char('|');
    return line;
}

} // namespace

TerminalScreen::TerminalScreen() {
    lines_.emplace_back();
}

int TerminalScreen::Display(QByteArrayView bytes, Mode mode) {
    int bells = 0;
    for (const char byte : bytes) {
        const auto code = static_cast<uint8_t>(byte);
        if (mode == Mode::Hex)
            HexByte(code);
        else
            CharacterByte(code, bells);
    }
    KeepLastLines();
    return bells;
}

void TerminalScreen::Clear() {
    lines_.clear();
    lines_.emplace_back();
    caretLine_ = 0;
    caretColumn_ = 0;
    hexCount_ = 0;
    hexLine_ = 0;
    dumping_ = false;
    changes_ = Changes{true, 0, -1};
}

QString TerminalScreen::TextFrom(int first) const {
    QString text;
    for (std::size_t i = static_cast<std::size_t>(std::max(first, 0)); i < lines_.size(); ++i) {
        if (i > static_cast<std::size_t>(first)) text += QLatin1Char('\n');
        text += lines_[i];
    }
    return text;
}

TerminalScreen::Changes TerminalScreen::TakeChanges() {
    const Changes taken = changes_;
    changes_ = Changes{};
    return taken;
}

// ---- Character mode ----

void TerminalScreen::CharacterByte(uint8_t code, int& bells) {
    if (dumping_) {
        FreshLine();
        dumping_ = false;
    }
    switch (code) {
    case kBell: ++bells; break;
    case kBackspace: Backspace(); break;
    case kTab: Tab(); break;
    case kLineFeed: LineFeed(); break;
    case kFormFeed: Clear(); break;
    case kCarriageReturn: caretColumn_ = 0; break;
    default:
        if (code >= kFirstPrintable) Printable(TerminalGlyph(code));
        break;
    }
}

// One character left; a character there becomes a blank, a line break stays.
void TerminalScreen::Backspace() {
    if (caretColumn_ > 0) {
        --caretColumn_;
        lines_[static_cast<std::size_t>(caretLine_)][caretColumn_] = QLatin1Char(' ');
        Changed(caretLine_);
    } else if (caretLine_ > 0) {
        --caretLine_;
        caretColumn_ = static_cast<int>(Line(caretLine_).size());
    }
}

// Blanks to the next tab stop. They overwrite what stands on the line and are
// inserted where the line ends, so the line break after it is never overwritten.
void TerminalScreen::Tab() {
    if (caretColumn_ >= kMaxColumns) LineFeed();
    QString& line = lines_[static_cast<std::size_t>(caretLine_)];
    const int blanks = kTabWidth - caretColumn_ % kTabWidth;
    const int overwritten = std::min(blanks, static_cast<int>(line.size()) - caretColumn_);
    line.replace(caretColumn_, overwritten, QString(blanks, QLatin1Char(' ')));
    caretColumn_ += blanks;
    Changed(caretLine_);
}

// To the start of the next line; at the last line a new one is started.
void TerminalScreen::LineFeed() {
    if (caretLine_ == LineCount() - 1) {
        lines_.emplace_back();
        Changed(caretLine_);
    }
    ++caretLine_;
    caretColumn_ = 0;
}

void TerminalScreen::Printable(QChar character) {
    if (caretColumn_ >= kMaxColumns) LineFeed();
    QString& line = lines_[static_cast<std::size_t>(caretLine_)];
    if (caretColumn_ < line.size())
        line[caretColumn_] = character;
    else
        line.append(character);
    ++caretColumn_;
    Changed(caretLine_);
}

// ---- Hex mode ----

void TerminalScreen::HexByte(uint8_t code) {
    if (IsEmpty()) {
        caretLine_ = 0;
        caretColumn_ = 0;
        StartDumpLine();
    } else if (!dumping_) {
        FreshLine();
        StartDumpLine();
    } else if (hexCount_ == kHexBytesPerLine) {
        BreakLine();
        StartDumpLine();
    }
    QString& line = lines_[static_cast<std::size_t>(hexLine_)];
    line.replace(3 * hexCount_, 2, HexPad(code, 2));
    line[kHexCharColumn + hexCount_] = code >= kFirstPrintable ? TerminalGlyph(code) : QLatin1Char('.');
    caretLine_ = hexLine_;
    caretColumn_ = kHexCharColumn + hexCount_ + 1;
    ++hexCount_;
    dumping_ = true;
    Changed(hexLine_);
}

// A blank dump line inserted at the write position, which ends up after it.
void TerminalScreen::StartDumpLine() {
    lines_[static_cast<std::size_t>(caretLine_)].insert(caretColumn_, DumpTemplate());
    hexLine_ = caretLine_;
    hexCount_ = 0;
    caretColumn_ += kHexLineLength;
    Changed(caretLine_);
}

// ---- Lines ----

void TerminalScreen::FreshLine() {
    caretLine_ = LineCount() - 1;
    caretColumn_ = static_cast<int>(lines_.back().size());
    if (!lines_.back().isEmpty()) BreakLine();
}

void TerminalScreen::BreakLine() {
    QString& line = lines_[static_cast<std::size_t>(caretLine_)];
    QString rest = line.mid(caretColumn_);
    line.truncate(caretColumn_);
    lines_.insert(lines_.begin() + caretLine_ + 1, std::move(rest));
    Changed(caretLine_);
    ++caretLine_;
    caretColumn_ = 0;
}

void TerminalScreen::Changed(int line) {
    if (changes_.FirstChangedLine < 0 || line < changes_.FirstChangedLine) changes_.FirstChangedLine = line;
}

// Drops the oldest lines beyond kMaxLines, never the line being written.
void TerminalScreen::KeepLastLines() {
    const int excess = LineCount() - kMaxLines;
    const int writing = dumping_ ? std::min(caretLine_, hexLine_) : caretLine_;
    const int dropped = std::min(excess, writing);
    if (dropped <= 0) return;
    lines_.erase(lines_.begin(), lines_.begin() + dropped);
    caretLine_ -= dropped;
    hexLine_ = std::max(0, hexLine_ - dropped);
    if (changes_.FirstChangedLine >= 0 && changes_.FirstChangedLine < dropped) changes_.Reset = true;
    changes_.FirstChangedLine = std::max(-1, changes_.FirstChangedLine - dropped);
    changes_.DroppedLines += dropped;
}

int64_t TerminalScreen::PositionOf(int line, int column) const {
    int64_t position = column;
    for (int i = 0; i < line && i < LineCount(); ++i)
        position += Line(i).size() + 1;
    return position;
}

} // namespace quorvel
