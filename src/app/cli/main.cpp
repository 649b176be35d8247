#include "app/DataDirectory.h"
#include "app/cli/CliCommand.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    // Printing into a PDF lays out fonts and charts, which takes the widget
    // application; the offscreen platform keeps it working without a display.
    bool printing = false;
    for (int i = 1; i < argc; ++i)
        printing = printing || std::strcmp(argv[i], "--pdf") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (printing) {
        // Told on its own command line, so that the commands' arguments below stay as given.
        char platform[] = "-platform";
        char offscreen[] = "offscreen";
        std::vector<char*> qtArgs = {argv[0], platform, offscreen, nullptr};
        int qtArgc = 3;
        app = std::make_unique<QApplication>(qtArgc, qtArgs.data());
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    CliArgs args(argv + 1, argv + argc);
    CliIo io{std::cin, std::cout, std::cerr};
    return runCli(args, io, DataDirectory::userLocation());
}
