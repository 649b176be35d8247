#pragma once

#include <QString>

#include <optional>

class Connection;

// Deleting a stored feedstuff, the same from the feedstuff editor and from the
// system data editor: refused while a stored case's ration uses it, and then
// deleted with its categories (T_FM_KAT) and contents (T_FM_NAEHRSTOFF) in one
// transaction, so that a failure on the way leaves all of it as it was.
namespace FeedRemoval {

// The feedstuff's name in the language ("DE": BEZ_DE, else BEZ_US); empty
// when it cannot be read.
QString storedName(Connection& db, const QString& languageCode, const QString& key);

// Why the feedstuff with this key (a whole number) may not be deleted: the
// stored cases that use it, or that they could not be counted; nothing when
// it may be. The name is the one the message shows.
std::optional<QString> refusal(Connection& db, const QString& languageCode, const QString& key,
                               const QString& name);

// Deletes the feedstuff, its categories and its contents in one transaction,
// asking for stored cases once more with its row locked. Nothing when it was
// deleted, else the message telling why not; then nothing was changed.
std::optional<QString> remove(Connection& db, const QString& languageCode, const QString& key,
                              const QString& name);

} // namespace FeedRemoval
