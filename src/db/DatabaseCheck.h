#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class AppContext;
class Prompt;
struct DbValue;

// The check a vet or support runs when something looks wrong: a list of
// rules, each counting the rows (or indexes, counters, formulas) that break
// it, run one after another through the program's own connection. A rule may
// bring a repair along, but only one that cannot lose data: rebuilding
// indexes, raising key counters. No repair deletes a row.
class DatabaseCheck
{
public:
    // What one rule found.
    struct Count
    {
        enum class State {
            Counted,      // count rows break the rule; 0 is sound
            NotAvailable, // the rule does not apply to this engine
            Failed        // the rule could not be checked; reason says why
        };
        State state = State::Counted;
        qint64 count = 0;
        // The keys (or names, or the engine's messages) of what breaks the
        // rule, so that a person can decide what to do with it.
        QStringList keys;
        QString reason;
    };

    // One rule of the list. Another rule is one more entry.
    struct Entry
    {
        // A short, stable English identifier: the command line prints it.
        QString what;
        // What breaks the rule, for the dialog.
        QString german;
        QString english;
        std::function<Count(AppContext&)> count;
        // Empty when nothing can be done without losing data.
        std::function<bool(AppContext&)> repair;
    };

    struct Finding
    {
        enum class Kind { Problem, Info };
        Kind kind = Kind::Problem;
        // The entry it came from.
        int entry = -1;
        Count count;
        bool repairable = false;
    };

    // The rules on the tables, keys and indexes, in the order they run.
    static QList<Entry> storageChecks();
    // How many keys a finding lists at most; the rest is counted.
    static constexpr int ListedKeys = 50;

    DatabaseCheck(AppContext& context, QList<Entry> entries);

    const QList<Entry>& entries() const { return m_entries; }

    // Told before each rule runs (done of total) and once at the end.
    using Progress = std::function<void(int done, int total, const Entry* next)>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Runs every rule, one after another; the rules that hold give no finding.
    QList<Finding> run();

    static int problemCount(const QList<Finding>& findings);
    static bool anyRepairable(const QList<Finding>& findings);

    // Repairs what the findings allow, after an automatic copy of a database
    // file; refuses (told through the prompt) when the copy fails. failed
    // receives the identifiers of the repairs that did not succeed.
    bool repair(const QList<Finding>& findings, Prompt& prompt, QStringList* failed = nullptr);
    // The automatic copy the last repair made; empty on a server.
    QString backupFile() const { return m_backupFile; }

    // One line of the command line's output: "problem", the identifier, the
    // count and the keys, separated by tabs.
    QString line(const Finding& finding) const;
    // The finding in the user's language, for the dialog.
    QString text(const Finding& finding, const QString& languageCode) const;

    // A value as a person reads it: a number as digits, NULL as "NULL".
    static QString plainText(const DbValue& value);

private:
    AppContext& m_context;
    QList<Entry> m_entries;
    Progress m_progress;
    QString m_backupFile;
};
