#pragma once

// What a case type's key (T_FALL.ID) stands for beyond its T_FALL row. The
// header form's fields, the inputs a requirement waits for and the ration
// page's category list go by these key ranges, so they live here and nowhere
// else. Keys below 1 mean no case type.
namespace CaseType {

// Species keys (T_GATTUNG.ID) the rules tell apart.
constexpr int DogSpecies = 2;
constexpr int CatSpecies = 3;

constexpr bool isChosen(int key)
{
    return key > 0;
}

// Puppies and kittens, 1 to 4: they give an adult weight instead of a target weight.
constexpr bool isGrowth(int key)
{
    return key >= 1 && key <= 4;
}

// The bitch (5) and the queen (6) nursing: the number of young counts and must be at least 1.
constexpr bool isLactation(int key)
{
    return key == 5 || key == 6;
}

// The nursing queen is asked for her body condition as well.
constexpr bool isCatLactation(int key)
{
    return key == 6;
}

// From 7 on the animal is grown; which fields show depends on the species.
constexpr bool isAdult(int key)
{
    return key >= 7;
}

// A stored case opens with the growth fields up to 4, a case without a case type included.
constexpr bool opensAsGrowth(int key)
{
    return key <= 4;
}

// A stored case opens with the lactation fields for 5 and 6, and for 11 and 12 too.
constexpr bool opensAsLactation(int key)
{
    return isLactation(key) || key == 11 || key == 12;
}

// The weight reductions, 13 to 16, and a cat's on the queen's nutrients (40):
// their visits are weighed against a planned loss.
constexpr bool isWeightReduction(int key)
{
    return (key >= 13 && key <= 16) || key == 40;
}

// The diets, 25 to 28, offer their categories with a blank entry for no restriction.
constexpr bool isDietType(int key)
{
    return key >= 25 && key <= 28;
}

// Key 3 with a dog gets no requirement at all until the age in weeks is above 0.
constexpr bool needsAge(int key, int species)
{
    return key == 3 && species == DogSpecies;
}

// The case type whose nutrient selection the grids show: a cat's weight
// reduction (40) watches the nutrients of the queen's maintenance (10).
constexpr int nutrientSelectionKey(int key)
{
    return key == 40 ? 10 : key;
}

} // namespace CaseType
