#include "CliCommand.h"

#include <ostream>

int runFormulaCommand(const CliArgs&, CliIo& io)
{
    io.err << "mensoly-cli formula: not built yet\n";
    return 1;
}
