#pragma once

#include <QString>
#include <QStringList>

// What bringing the shipped feedstuffs up to date changed, for the message
// the user gets once.
struct ShippedFeedReport
{
    int addedFeeds = 0;
    int changedFeeds = 0;
    int addedContents = 0;
    int changedContents = 0;
    int removedContents = 0;
    int addedRequirements = 0;
    // Nutrients whose unit changed ("Vit. E: mg → IE"), and the practice's
    // own feedstuffs holding values of them, typed in the old unit.
    QStringList changedUnits;
    QStringList ownFeedsToCheck;
    // Why an upgrade that was due did not happen; the file stays as it was.
    QString failure;
    bool changed() const
    {
        return addedFeeds || changedFeeds || addedContents || changedContents || removedContents ||
               addedRequirements || !changedUnits.isEmpty();
    }
    // "Die mitgelieferten Futtermitteldaten wurden aktualisiert: … Gespeicherte
    // Fälle zeigen beim Öffnen die neuen Werte." in the language of code,
    // with the units that changed and the own feedstuffs to check.
    QString message(const QString& languageCode) const;
    // That the upgrade failed, and why, in the language of code.
    QString failureMessage(const QString& languageCode) const;
};
