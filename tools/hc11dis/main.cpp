// hc11dis: disassembles an S-record file or a raw 68HC11 binary.
#include <cstdio>

#include <QTextStream>

#include "Hc11Dis.h"

int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = quorvel::hc11dis::RunHc11Dis(args, out, err);
    out.flush();
    err.flush();
    return status;
}
