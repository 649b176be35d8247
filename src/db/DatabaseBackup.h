#pragma once

#include "db/DbBackend.h"

#include <QString>

class AppContext;
class Prompt;

// Consistent copies of the open database while the program runs: the copy a
// user asks for, and the one made next to the database before an import
// changes anything, of which the newest few are kept.
class DatabaseBackup
{
public:
    static constexpr int KeptCopies = 5;

    DatabaseBackup(AppContext& context, Prompt& prompt);

    void setProgress(DbBackend::BackupProgress progress) { m_progress = std::move(progress); }

    // A database on a server is backed up there, not copied by the program.
    bool isOnServer() const;
    // Before a file is chosen: false, told through the prompt, for a server database.
    bool canWriteCopy();

    // Copies the database to path, replacing a file there only once the copy
    // is whole, and tells the user how it ended.
    bool writeTo(const QString& path);
    // What the automatic copy is made before; its failure message names it.
    enum class Before { Import, Repair };
    // The copy before an import or a repair; a message only when it fails,
    // and then the change must not run. A server database is not copied.
    bool writeAutomaticCopy(Before before = Before::Import);

    // Where the automatic copies are kept; empty for a server database.
    QString automaticCopyFolder() const;
    // The file the last successful copy went to.
    QString lastCopy() const { return m_lastCopy; }

private:
    bool copyTo(const QString& path, QString& reason);
    void removeOldCopies(const QString& folder, const QString& pattern);

    AppContext& m_context;
    Prompt& m_prompt;
    DbBackend::BackupProgress m_progress;
    QString m_lastCopy;
};
