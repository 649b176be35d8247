#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "core/Lang.h"
#include "db/AppContext.h"
#include "output/CaseReport.h"
#include "output/gui/CaseReportWriter.h"

#include <ostream>

namespace {

int usage(CliIo& io, const std::string& error)
{
    if (!error.empty())
        io.err << "mensoly-cli report: " << error << "\n";
    io.err << "usage: mensoly-cli report ID --pdf FILE [--lang de|en]\n";
    return 2;
}

} // namespace

int runReportCommand(const CliArgs& args, CliIo& io)
{
    if (args.empty())
        return usage(io, std::string());
    bool isNumber = false;
    QString::fromStdString(args[0]).trimmed().toLong(&isNumber);
    if (!isNumber)
        return usage(io, "the case key must be a number");
    std::map<std::string, QString> options;
    std::string error;
    if (!readOptions(CliArgs(args.begin() + 1, args.end()), {"pdf", "lang"}, options, error))
        return usage(io, error);
    if (options["pdf"].isEmpty())
        return usage(io, "--pdf FILE is required");
    QString language;
    if (!readLanguageOption(options, language, error))
        return usage(io, error);
    QString pdf;
    if (!readPdfOption(options, io, pdf))
        return 2;

    CliStoredCase stored(io.err);
    stored.setLanguageCode(language);
    if (!stored.open("report", QString::fromStdString(args[0]).trimmed().toStdString()))
        return 1;
    const CaseReport report =
        CaseReport::build(stored.context(), stored.form(), stored.context().languageCode());
    if (!CaseReportWriter::write(report, pdf)) {
        io.err << "mensoly-cli report: cannot write " << pdf.toStdString() << "\n";
        return 1;
    }
    return 0;
}
