#include "app/cli/CliDataDirectory.h"

#include "app/ApplicationStartup.h"
#include "core/Lang.h"
#include "db/AppContext.h"
#include "output/StoredCase.h"
#include "ration/CaseHeaderForm.h"

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

CliStoredCase::CliStoredCase(std::ostream& err)
    : m_err(err)
    , m_context(std::make_unique<AppContext>())
    , m_prompt(err)
{
}

CliStoredCase::~CliStoredCase() = default;

bool CliStoredCase::open(const char* command, const std::string& key)
{
    if (!openCurrentDataDirectory(*m_context, m_prompt))
        return false;
    if (!m_languageCode.isEmpty())
        m_context->setLanguageCode(m_languageCode);
    m_form = std::make_unique<CaseHeaderForm>(*m_context, m_prompt);
    if (StoredCase::open(*m_context, *m_form, QString::fromStdString(key)))
        return true;
    m_err << "mensoly-cli " << command << ": there is no case with the key " << key << "\n";
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

bool readLanguageOption(const std::map<std::string, QString>& options, QString& code, std::string& error)
{
    const auto given = options.find("lang");
    code.clear();
    if (given == options.end())
        return true;
    if (given->second == QLatin1String("de"))
        code = Lang::German;
    else if (given->second == QLatin1String("en"))
        code = Lang::English;
    else
        error = "--lang takes de or en";
    return !code.isEmpty();
}

bool readPdfOption(const std::map<std::string, QString>& options, CliIo& io, QString& pdf)
{
    const auto given = options.find("pdf");
    pdf = given == options.end() ? QString() : given->second;
    if (pdf.isEmpty() || qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    io.err << "mensoly-cli: --pdf needs the graphical application object\n";
    return false;
}
