#pragma once

#include <QString>

// What the search bar hands to the case list: the keys of the chosen species
// and sex as decimal text ("-1" when none is chosen) and the three texts as
// typed, possibly empty.
struct CaseSearchCriteria
{
    QString species = QStringLiteral("-1");
    QString sex = QStringLiteral("-1");
    QString owner;
    QString patient;
    QString title;

    friend bool operator==(const CaseSearchCriteria&, const CaseSearchCriteria&) = default;
};
