#include <gtest/gtest.h>

#include <clocale>

// Tests of code without Qt (the formula engine) in the C locale.
int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C.UTF-8");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
