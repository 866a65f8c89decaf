// The emulated board hc11board as a child process: started with fault
// options, its device read from the first line it prints, reset with
// SIGUSR1, ended with the test.
//
//     BoardProcess board;
//     ASSERT_TRUE(board.Start({"--drop-every", "2"}));
//     port.Open(board.Path());
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace quorvel::test {

class BoardProcess {
public:
    // Where the build put hc11board; empty when it was not built.
    static QString Program();
    static bool Available();

    BoardProcess() = default;
    ~BoardProcess();
    BoardProcess(const BoardProcess&) = delete;
    BoardProcess& operator=(const BoardProcess&) = delete;

    bool Start(const QStringList& arguments = {});
    const QString& Path() const { return path_; }
    // Presses the board's reset button.
    void Reset();

private:
    QProcess process_;
    QString path_;
};

} // namespace quorvel::test
