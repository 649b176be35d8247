#include "ration/CaseType.h"

#include <gtest/gtest.h>

namespace {

using namespace CaseType;

TEST(CaseTypeTest, EachRuleAtTheEdgesOfItsKeys)
{
    const struct
    {
        int key;
        bool chosen, growth, lactation, catLactation, adult, opensAsGrowth, opensAsLactation, diet;
        int selectionKey;
    } cases[] = {
        // key, chosen, growth, lactation, cat lactation, adult, opens as growth, opens as lactation, diet,
        // selection
        {-1, false, false, false, false, false, true, false, false, -1},
        {0, false, false, false, false, false, true, false, false, 0},
        {1, true, true, false, false, false, true, false, false, 1},
        {4, true, true, false, false, false, true, false, false, 4},
        {5, true, false, true, false, false, false, true, false, 5},
        {6, true, false, true, true, false, false, true, false, 6},
        {7, true, false, false, false, true, false, false, false, 7},
        {10, true, false, false, false, true, false, false, false, 10},
        {11, true, false, false, false, true, false, true, false, 11},
        {12, true, false, false, false, true, false, true, false, 12},
        {13, true, false, false, false, true, false, false, false, 13},
        {24, true, false, false, false, true, false, false, false, 24},
        {25, true, false, false, false, true, false, false, true, 25},
        {28, true, false, false, false, true, false, false, true, 28},
        {29, true, false, false, false, true, false, false, false, 29},
        {30, true, false, false, false, true, false, false, false, 30},
        {40, true, false, false, false, true, false, false, false, 10},
        {41, true, false, false, false, true, false, false, false, 41},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isChosen(c.key), c.chosen) << c.key;
        EXPECT_EQ(isGrowth(c.key), c.growth) << c.key;
        EXPECT_EQ(isLactation(c.key), c.lactation) << c.key;
        EXPECT_EQ(isCatLactation(c.key), c.catLactation) << c.key;
        EXPECT_EQ(isAdult(c.key), c.adult) << c.key;
        EXPECT_EQ(opensAsGrowth(c.key), c.opensAsGrowth) << c.key;
        EXPECT_EQ(opensAsLactation(c.key), c.opensAsLactation) << c.key;
        EXPECT_EQ(isDietType(c.key), c.diet) << c.key;
        EXPECT_EQ(nutrientSelectionKey(c.key), c.selectionKey) << c.key;
    }
}

TEST(CaseTypeTest, OnlyKeyThreeWithADogWaitsForAnAge)
{
    const struct
    {
        int key;
        int species;
        bool needed;
    } cases[] = {{3, DogSpecies, true},  {3, CatSpecies, false}, {3, -1, false},
                 {2, DogSpecies, false}, {4, DogSpecies, false}, {1, DogSpecies, false}};
    for (const auto& c : cases)
        EXPECT_EQ(needsAge(c.key, c.species), c.needed) << c.key << " " << c.species;
}

} // namespace
