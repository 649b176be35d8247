#include "CliCommand.h"

#include <ostream>

int runInitDbCommand(const CliArgs&, CliIo& io)
{
    io.err << "mensoly-cli initdb: not built yet\n";
    return 1;
}
