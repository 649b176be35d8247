#include "app/cli/CliCommand.h"

#include "formula/FormulaEngine.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <string>
#include <system_error>

namespace {

// "%.10g" in the C locale whatever locale the application has set: the output
// is read by programs.
std::string valueText(double value)
{
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 10);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

} // namespace

// Prints "status<TAB>value<TAB>postfix" for every line of input. The two
// steps run separately so that the postfix text can be shown; together they
// are exactly what evaluateFormula does.
int runFormulaCommand(const CliArgs& args, CliIo& io)
{
    if (!args.empty()) {
        io.err << "mensoly-cli formula: takes no arguments; formulas are read from standard input\n";
        return 2;
    }
    std::string line;
    std::string postfix;
    while (std::getline(io.in, line)) {
        int status = formulaToPostfix(line, postfix);
        double value = 0.0;
        bool written = false;
        if (status == kFormulaOk) {
            status = evaluatePostfix(postfix, value);
            written = status == kFormulaOk || status == kFormulaExtraValues;
        }
        io.out << status << '\t' << (written ? valueText(value) : std::string("-")) << '\t' << postfix
               << '\n';
    }
    return 0;
}
