#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class AppContext;
class Prompt;

// Takes over a practice's own feedstuffs from the previous version's Access
// database: each row of Futtermittel with Alle NULL becomes a new user
// feedstuff ('U') with its categories and nutrient contents. Display-free;
// the dialog and the command line show the messages through the prompt.
class LegacyFeedImport
{
public:
    enum class Outcome {
        Completed,            // every own feedstuff taken over
        CompletedWithSkipped, // committed, some feedstuffs could not be inserted
        NothingChanged        // unreadable, cancelled or failed: the database is as before
    };

    LegacyFeedImport(AppContext& context, Prompt& prompt);

    // Checked before every feedstuff; true ends the import with nothing changed.
    void setCancelCheck(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
    void setProgress(std::function<void(int done, int total)> progress) { m_progress = std::move(progress); }

    Outcome importFrom(const QString& path);

    int imported() const { return m_imported; }
    QStringList skipped() const { return m_skipped; }

private:
    Outcome nothingChanged(const QString& why);

    AppContext& m_context;
    Prompt& m_prompt;
    std::function<bool()> m_cancelled;
    std::function<void(int, int)> m_progress;
    int m_imported = 0;
    QStringList m_skipped;
};
