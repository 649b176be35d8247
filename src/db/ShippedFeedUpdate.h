#pragma once

#include "db/DatabaseCreator.h"
#include "db/ShippedFeedReport.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Where a schema upgrade writes: the open transaction of a database file or
// of a server database. Statements are plain SQL that both engines read.
class UpgradeStore
{
public:
    using Rows = std::vector<std::vector<std::optional<QString>>>;

    virtual ~UpgradeStore() = default;
    virtual bool exec(const QString& sql) = 0;
    // Every value as text; NULL as no value.
    virtual bool select(const QString& sql, Rows& rows) = 0;
    // The rows of data, in its columns; a column left out gets its default
    // (a new key for ID).
    virtual bool insert(const DatabaseCreator::TableData& data) = 0;
    virtual QString error() const = 0;
};

// Brings the system feedstuffs (owner code M), their contents and categories
// to the state built into the program, adds the requirement formulas and
// case-type nutrients the database lacks, and takes over the nutrients' units
// and requirement marks. The practice's own feedstuffs, its categories and
// cases are not touched; a shipped feedstuff the practice switched off stays
// off, and one no longer shipped stays as it is, since cases may use it.
// Runs inside the caller's transaction.
namespace ShippedFeedUpdate {

bool run(UpgradeStore& store, ShippedFeedReport& report, QString* error);

// The system data editor's shipped rows for the tables named that the
// database lacks; a shipped row number it uses already gets the next free one.
bool addEditorRows(UpgradeStore& store, const QStringList& tables, QString* error);

} // namespace ShippedFeedUpdate
