// The command line of the IDE:
//
//     quorvel [--sim | --board] [--download FILE.s19] [FILE...]
//
// --sim and --board choose the target for this run only; the stored choice is
// kept unless the options dialog changes it. --download loads an S-record
// file once the frame is up, with the symbols of the listing beside it
// (FILE.lst) when there is one, so the program is ready to step. FILE names are made absolute at
// once, since start-up makes the program folder the current directory.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace quorvel {

struct StartOptions {
    std::optional<bool> SimEnabled; // set by --sim (true) or --board (false)
    QStringList Files;              // absolute paths, in command-line order
    QString Download;               // absolute path of --download; empty: none
};

void AddStartOptions(QCommandLineParser& parser);
// After parser.process()/parse(); false with a message when the options contradict each other.
bool ReadStartOptions(const QCommandLineParser& parser, StartOptions& options, QString& error);

} // namespace quorvel
