#include "LinkHarness.h"

#include "frame/NumberText.h"

namespace quorvel::test {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (const int value : values)
        bytes.append(static_cast<char>(value & 0xFF));
    return bytes;
}

QByteArray Reply(char letter, const QByteArray& data) {
    QByteArray reply(1, letter);
    reply.append(data);
    unsigned sum = 0;
    for (const char byte : data)
        sum += static_cast<uint8_t>(byte);
    reply.append(static_cast<char>((256 - (sum & 0xFF)) & 0xFF));
    return reply;
}

QStringList RecordingPrompt::Texts() const {
    QStringList texts;
    for (const Shown& s : shown)
        texts.append(s.Text);
    return texts;
}

LinkTest::LinkTest() {
    host.onProcessEvents = [this] { port.DeliverEvents(); };
    port.SetOnComm([this](int event) { receiver.OnComm(event); });
    link.OpenPort(QStringLiteral("/dev/ttyS1"));
}

std::vector<QByteArray> LinkTest::TakeWritten() {
    const auto& all = port.Written();
    std::vector<QByteArray> fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
    seen_ = all.size();
    return fresh;
}

void LinkTest::ExpectOneMessage(const QString& text, const QString& title) {
    ASSERT_EQ(prompt.shown.size(), 1U) << prompt.Texts().join(" | ").toStdString();
    EXPECT_EQ(prompt.shown[0].Text, text);
    EXPECT_EQ(prompt.shown[0].Title, title);
    EXPECT_EQ(prompt.shown[0].Icon, PromptIcon::Exclamation);
}

} // namespace quorvel::test
