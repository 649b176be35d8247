#pragma once

#include <QString>

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
    bool changed() const
    {
        return addedFeeds || changedFeeds || addedContents || changedContents || removedContents ||
               addedRequirements;
    }
    // "Die mitgelieferten Futtermitteldaten wurden aktualisiert: … Gespeicherte
    // Fälle zeigen beim Öffnen die neuen Werte." in the language of code.
    QString message(const QString& languageCode) const;
};
