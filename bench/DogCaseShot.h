#pragma once

#include "core/Prompt.h"
#include "db/AppContext.h"

#include <QMdiArea>
#include <QTemporaryDir>

#include <utility>
#include <vector>

class CaseWindow;
class RationPageView;

// A case window of a 20 kg adult male dog, Bello, on a fresh database with
// the shipped data, as the screenshot programs draw it. Make it after the
// QApplication.
class DogCaseShot
{
public:
    explicit DogCaseShot(const char* program);

    // Creates the database and opens the window in the language ("DE" or
    // "US"); false after saying why.
    bool open(const QString& language = QStringLiteral("DE"));
    // Picks each feedstuff and types its amount; an empty amount types none.
    void feed(const std::vector<std::pair<int, const char*>>& feeds);

    QMdiArea& area() { return m_area; }
    CaseWindow& window() const { return *m_window; }
    RationPageView& rationPage() const;
    RecordingPrompt& prompt() { return m_prompt; }

    // Lets the window lay itself out and paint.
    static void settle();

private:
    const char* m_program;
    QTemporaryDir m_dir;
    AppContext m_context;
    RecordingPrompt m_prompt;
    QMdiArea m_area;
    CaseWindow* m_window = nullptr;
};
