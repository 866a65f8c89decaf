// hc11sim: runs a 68HC11 program headless with the IDE's run control.
#include <cstdio>

#include <QTextStream>

#include "Hc11Sim.h"

int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = quorvel::hc11sim::RunHc11Sim(args, out, err);
    out.flush();
    err.flush();
    return status;
}
