#include "app/cli/CliDataDirectory.h"

#include "app/ApplicationStartup.h"
#include "db/AppContext.h"
#include "output/StoredCase.h"

#include <QApplication>
#include <QDir>

#include <algorithm>

StderrPrompt::StderrPrompt(std::ostream& err)
    : m_err(err)
{
}

void StderrPrompt::message(const QString& text, Icon icon)
{
    RecordingPrompt::message(text, icon);
    m_err << text.toStdString() << "\n";
}

bool openCurrentDataDirectory(AppContext& context, Prompt& prompt)
{
    return ApplicationStartup::run(context, QDir::currentPath(), prompt);
}

bool openStoredCase(AppContext& context, CaseHeaderForm& form, const char* command, const std::string& key,
                    std::ostream& err)
{
    if (StoredCase::open(context, form, QString::fromStdString(key)))
        return true;
    err << "mensoly-cli " << command << ": there is no case with the key " << key << "\n";
    return false;
}

void printFields(std::ostream& out, const QStringList& fields)
{
    out << fields.join(QLatin1Char('\t')).toStdString() << "\n";
}

bool readOptions(const CliArgs& args, const std::vector<std::string>& known,
                 std::map<std::string, QString>& values, std::string& error)
{
    for (size_t i = 0; i < args.size(); i += 2) {
        const std::string& arg = args[i];
        const std::string name = arg.rfind("--", 0) == 0 ? arg.substr(2) : std::string();
        if (name.empty() || std::find(known.begin(), known.end(), name) == known.end()) {
            error = "unknown argument '" + arg + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = "missing value after '" + arg + "'";
            return false;
        }
        if (!values.emplace(name, QString::fromStdString(args[i + 1])).second) {
            error = "'" + arg + "' given twice";
            return false;
        }
    }
    return true;
}

bool canPrintPdf(CliIo& io)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    io.err << "mensoly-cli: --pdf needs the graphical application object\n";
    return false;
}
