// quorvel: the 68HC11 development environment.
//
//     quorvel [--sim | --board] [FILE...]
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>

#include "frame/MainWindow.h"
#include "frame/QtPrompt.h"
#include "frame/Settings.h"
#include "frame/StartOptions.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(quorvel::Settings::kOrganisation);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Development environment for the Motorola 68HC11."));
    parser.addHelpOption();
    parser.addVersionOption();
    quorvel::AddStartOptions(parser);
    parser.process(app);

    quorvel::StartOptions options;
    QString error;
    if (!quorvel::ReadStartOptions(parser, options, error)) {
        std::fprintf(stderr, "quorvel: %s\n", qPrintable(error));
        return 2;
    }

    quorvel::QtPrompt prompt;
    quorvel::frmMain frame(prompt, options);
    prompt.SetOwner(&frame);
    frame.show();
    return app.exec();
}
