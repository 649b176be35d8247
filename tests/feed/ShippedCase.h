#pragma once

#include "ration/CaseHeaderSource.h"
#include "ration/RationCalculation.h"

#include <QString>

#include <vector>

class TestDatabase;

// A case window's calculation over the shipped data: the program's own grids,
// requirement, supply and indicator calculation, with the header's fields held
// in plain values.
class ShippedCase
{
public:
    explicit ShippedCase(TestDatabase& database);
    ShippedCase(const ShippedCase&) = delete;
    ShippedCase& operator=(const ShippedCase&) = delete;

    CaseInputs& header() { return m_header; }

    // Chooses the case type with its species and sex, as the header's lists
    // do, and places and evaluates the requirement and indicator formulas.
    void choose(int caseType);
    // The birth date changed: the requirements are evaluated again in place.
    void evaluateAgain() { m_ration.evaluateRequirements(); }
    // Picks a feedstuff and types its daily amount.
    void addFeedstuff(int feedstuff, const QString& grams);

    QString requirement(int key) const;
    QString supply(int key) const;
    QString indicator(int key) const;
    QString formula(int key) const;
    int decimals(int key) const;
    // The nutrient keys of the ration grid, in column order.
    std::vector<int> nutrientKeys() const;
    // The indicator keys of the profile grid, in column order.
    std::vector<int> indicatorKeys() const;

private:
    TestDatabase& m_database;
    CaseInputs m_header;
    RationCalculation m_ration;
};
