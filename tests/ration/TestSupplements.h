#pragma once

#include "support/TestDatabase.h"

#include <QString>

#include <gtest/gtest.h>

// Copper sulfate (9001), vitamin B12 (9002) and vitamin D3 (9003) as the
// shipped supplements are: the manufacturer's, in category 2, with one
// content per 100 g. The shipped pure substances (keys from 161) are
// switched off, so that these are the only ones to add.
inline void addTestSupplements(TestDatabase& db)
{
    ASSERT_TRUE(
        db.rawExec(QStringLiteral("UPDATE T_FUTTERMITTEL SET AKTIV = 0 WHERE ID BETWEEN 161 AND 8999")));
    const struct
    {
        int key, nutrient;
        const char* name;
        double per100g;
    } supplements[] = {{9001, 21, "Kupfersulfat", 25450},
                       {9002, 26, "Cyanocobalamin", 1e8},
                       {9003, 5, "Cholecalciferol", 4e9}};
    for (const auto& s : supplements) {
        ASSERT_TRUE(db.rawExec(
            QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, AKTIV) "
                           "VALUES (%1, 10, '%2', '%2', 'M', -1);"
                           "INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (%1, 2, -1);"
                           "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) "
                           "VALUES (%1, %3, %4, -1)")
                .arg(s.key)
                .arg(QString::fromUtf8(s.name))
                .arg(s.nutrient)
                .arg(s.per100g, 0, 'g', 12)));
    }
}
