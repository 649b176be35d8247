#include "CliCommand.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CliArgs args(argv + 1, argv + argc);
    CliIo io{std::cin, std::cout, std::cerr};
    return runCli(args, io);
}
