#include "frame/StartOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace quorvel {

void AddStartOptions(QCommandLineParser& parser) {
    parser.addOption(
        QCommandLineOption(QStringLiteral("sim"), QStringLiteral("Use the simulator as the target.")));
    parser.addOption(QCommandLineOption(QStringLiteral("board"),
                                        QStringLiteral("Use the board on the serial port as the target.")));
    parser.addOption(QCommandLineOption(QStringLiteral("download"),
                                        QStringLiteral("Download an S-record file (and load the symbols of "
                                                       "the listing beside it) once started."),
                                        QStringLiteral("FILE.s19")));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Source files to open."),
                                 QStringLiteral("[FILE...]"));
}

bool ReadStartOptions(const QCommandLineParser& parser, StartOptions& options, QString& error) {
    const bool sim = parser.isSet(QStringLiteral("sim"));
    const bool board = parser.isSet(QStringLiteral("board"));
    if (sim && board) {
        error = QStringLiteral("--sim and --board exclude each other");
        return false;
    }
    options = StartOptions{};
    if (sim || board) options.SimEnabled = sim;
    if (parser.isSet(QStringLiteral("download"))) {
        const QString download = parser.value(QStringLiteral("download"));
        if (download.isEmpty()) {
            error = QStringLiteral("--download needs a file");
            return false;
        }
        options.Download = QFileInfo(download).absoluteFilePath();
    }
    for (const QString& file : parser.positionalArguments())
        options.Files.append(QFileInfo(file).absoluteFilePath());
    return true;
}

} // namespace quorvel
