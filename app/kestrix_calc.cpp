// kestrix-calc: the command-line calculator; everything lives in kestrix_cli.

#include "app/calc_cli.h"

#include <QCoreApplication>
#include <QStringList>

#include <fcntl.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <cerrno>
#endif

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    bool standardInputClosed = false;
#ifndef Q_OS_WIN
    // With standard input closed, the application object would take its
    // descriptor for one of its own, and a schedule read from "-" would read
    // that. /dev/null holds the place; the read then fails as it should.
    if (fcntl(0, F_GETFD) == -1 && errno == EBADF) {
        standardInputClosed = true;
        open("/dev/null", O_RDONLY);
    }
#endif
    // The application object gives the executable's folder, where the
    // configuration files are.
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    // The same bytes as on every other system: no CR before each line end.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // argv is in the ANSI code page there; the calculator works in UTF-8.
    args.clear();
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        args.push_back(arguments[i].toStdString());
#endif
    return kestrix::RunCalc(args, std::cout, std::cerr, standardInputClosed);
}
