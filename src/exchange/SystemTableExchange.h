#pragma once

#include "exchange/ExchangeFile.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class AppContext;
class Prompt;

// Export and import of the system tables (requirement formulas, system
// feedstuffs, their contents, nutrients) through an exchange file. Display-
// free: the dialog and the command line give the file name and show the
// messages through the prompt.
class SystemTableExchange
{
public:
    enum class Outcome {
        Completed,             // everything done
        CompletedWithRefusals, // committed, but some records were refused or failed
        NothingChanged         // file unreadable, cancelled or failed: the database is as before
    };

    SystemTableExchange(AppContext& context, Prompt& prompt);

    // Checked before every record; true ends an import with nothing changed
    // and an export with no file written.
    void setCancelCheck(std::function<bool()> cancelled) { m_cancelled = std::move(cancelled); }
    // Told the records done of all records, per record of an import or an
    // export.
    void setProgress(std::function<void(int done, int total)> progress) { m_progress = std::move(progress); }

    // The system data as records, in file order; false with the table that
    // could not be read, or with no table when cancelled.
    bool collect(std::vector<ExchangeRecord>& records, QString& failedTable);
    // Collects and writes the file; tells the user the result. False when no
    // file was written.
    bool exportTo(const QString& path);

    // Reads the file and imports it in one transaction; tells the user the result.
    Outcome importFrom(const QString& path);
    Outcome importRecords(const std::vector<ExchangeRecord>& records);

    // What the last import refused, one message per record.
    QStringList refusals() const { return m_refusals; }

private:
    struct Table;
    static const std::vector<Table>& tables();
    bool importTable(const Table& table, const std::vector<ExchangeRecord>& records);
    bool importRecord(const Table& table, const ExchangeRecord& record, const QString& key);
    bool checked(const Table& table, const ExchangeRecord& record, const QString& key, QString& insert);
    bool markOldFeeds();
    bool execute(const QString& sql);
    void refuse(const QString& message, const QString& key, const QString& reason = QString());
    Outcome nothingChanged(const QString& why);
    int exportTotal();
    bool cancelled() const { return m_cancelled && m_cancelled(); }
    void progress(int done, int total) const
    {
        if (m_progress)
            m_progress(done, total);
    }

    AppContext& m_context;
    Prompt& m_prompt;
    std::function<bool()> m_cancelled;
    std::function<void(int, int)> m_progress;
    QStringList m_refusals;
    // Feedstuffs this import has written; only their contents come in.
    QSet<qint64> m_importedFeeds;
    int m_skippedContents = 0;
};
