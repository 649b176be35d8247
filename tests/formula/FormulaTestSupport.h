#pragma once

#include <gtest/gtest.h>

#include <optional>

// What the formula tests preset the result to, so that "not written" shows.
inline constexpr double kPresetResult = -98765.25;

inline void expectResult(double actual, std::optional<double> expected, double tolerance = 0.0)
{
    if (!expected)
        EXPECT_EQ(actual, kPresetResult) << "the result must not be written";
    else if (tolerance > 0.0)
        EXPECT_NEAR(actual, *expected, tolerance);
    else
        EXPECT_DOUBLE_EQ(actual, *expected);
}
