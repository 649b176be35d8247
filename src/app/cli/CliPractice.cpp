#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "output/PracticeDetails.h"
#include "output/gui/PracticeLogo.h"
#include "ui/gui/ImageContent.h"

#include <QFile>

#include <optional>
#include <ostream>

namespace {

const char Usage[] = "usage: mensoly-cli practice [set FIELD VALUE | logo FILE | logo --remove]\n"
                     "fields: name, address1, address2, phone, email, web\n";

void print(std::ostream& out, const PracticeDetails& details)
{
    for (const QString& name : PracticeDetails::fieldNames())
        printFields(out, {QStringLiteral("practice"), name, *details.field(name)});
    printFields(out,
                {QStringLiteral("practice"), QStringLiteral("logo"), ImageContent::format(details.logo)});
}

int fail(CliIo& io, const QString& message)
{
    io.err << "mensoly-cli practice: " << message.toStdString() << "\n";
    return 1;
}

} // namespace

int runPracticeCommand(const CliArgs& args, CliIo& io)
{
    const std::string action = args.empty() ? std::string() : args[0];
    const bool valid =
        args.empty() || (action == "set" && args.size() == 3) || (action == "logo" && args.size() == 2);
    if (!valid) {
        io.err << Usage;
        return 2;
    }
    const QString fieldName = action == "set" ? QString::fromStdString(args[1]) : QString();
    if (action == "set" && !PracticeDetails().field(fieldName)) {
        io.err << "mensoly-cli practice: no field '" << args[1] << "'\n" << Usage;
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    const QString language = context.languageCode();
    std::optional<PracticeDetails> details = PracticeDetailsStore::read(context);
    if (!details)
        return fail(io, context.db().lastError());
    if (args.empty()) {
        print(io.out, *details);
        return 0;
    }

    if (action == "set") {
        *details->field(fieldName) = QString::fromStdString(args[2]);
        const QString problem = details->problem(language);
        if (!problem.isEmpty())
            return fail(io, problem);
    } else if (args[1] == "--remove") {
        details->logo.clear();
    } else {
        QString error;
        const std::optional<QByteArray> logo =
            PracticeLogo::readFile(QFile::decodeName(args[1].c_str()), language, error);
        if (!logo)
            return fail(io, error);
        details->logo = *logo;
    }
    QString reason;
    if (!PracticeDetailsStore::write(context, *details, &reason))
        return fail(io, reason);
    return 0;
}
