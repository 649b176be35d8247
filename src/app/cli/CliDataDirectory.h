#pragma once

#include "app/cli/CliCommand.h"
#include "core/Prompt.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
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

// What every command on a stored case starts with: the database of the
// current directory opened as the program starts, and the case loaded into a
// header form as the case window opens it. Messages go to standard error.
class CliStoredCase
{
public:
    explicit CliStoredCase(std::ostream& err);
    ~CliStoredCase();
    CliStoredCase(const CliStoredCase&) = delete;
    CliStoredCase& operator=(const CliStoredCase&) = delete;

    // False, told on standard error (as "mensoly-cli COMMAND: ..." when
    // there is no such case), when the database or the case cannot be opened.
    bool open(const char* command, const std::string& key);
    // The language ("DE" or "US") the case opens in instead of the user's
    // one; before open().
    void setLanguageCode(const QString& code) { m_languageCode = code; }

    AppContext& context() { return *m_context; }
    StderrPrompt& prompt() { return m_prompt; }
    // Only after open() succeeded.
    CaseHeaderForm& form() { return *m_form; }

private:
    std::ostream& m_err;
    std::unique_ptr<AppContext> m_context;
    StderrPrompt m_prompt;
    std::unique_ptr<CaseHeaderForm> m_form;
    QString m_languageCode;
};

// The language code ("DE" or "US") of a --lang de|en option, empty without
// one; false with the reason in error for another value.
bool readLanguageOption(const std::map<std::string, QString>& options, QString& code, std::string& error);

// The file of a --pdf option, empty without one. Printing lays text out with
// real fonts, which takes the graphical application object; main makes one,
// on the offscreen platform, for --pdf. False, told on standard error,
// without it.
bool readPdfOption(const std::map<std::string, QString>& options, CliIo& io, QString& pdf);

// One output line: the fields joined by tabs.
void printFields(std::ostream& out, const QStringList& fields);

// Reads "--name value" pairs whose names are listed in known. False with a
// reason for an unknown name, a missing value or a name given twice.
bool readOptions(const CliArgs& args, const std::vector<std::string>& known,
                 std::map<std::string, QString>& values, std::string& error);
