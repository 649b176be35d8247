#pragma once

#include "app/cli/CliCommand.h"
#include "core/Prompt.h"

#include <QString>
#include <QStringList>

#include <map>
#include <ostream>
#include <string>
#include <vector>

class AppContext;
class CaseHeaderForm;

// Messages a window would show go to standard error; questions get No.
class StderrPrompt : public RecordingPrompt
{
public:
    explicit StderrPrompt(std::ostream& err);
    void message(const QString& text, Icon icon = Icon::None) override;

private:
    std::ostream& m_err;
};

// Opens the database of the current directory as the program starts, with the
// language of its settings row. False (told through the prompt) when it cannot.
bool openCurrentDataDirectory(AppContext& context, Prompt& prompt);

// Loads stored case key into the form as the case window opens it; false,
// told on standard error as "mensoly-cli COMMAND: ...", when there is none.
bool openStoredCase(AppContext& context, CaseHeaderForm& form, const char* command, const std::string& key,
                    std::ostream& err);

// Printing lays text out with real fonts, which takes the graphical
// application object; main makes one, on the offscreen platform, for --pdf.
// False, told on standard error, without it.
bool canPrintPdf(CliIo& io);

// One output line: the fields joined by tabs.
void printFields(std::ostream& out, const QStringList& fields);

// Reads "--name value" pairs whose names are listed in known. False with a
// reason for an unknown name, a missing value or a name given twice.
bool readOptions(const CliArgs& args, const std::vector<std::string>& known,
                 std::map<std::string, QString>& values, std::string& error);
