#pragma once

#include <ostream>

// Table rows print as their name, so ctest lists readable test names.
template <typename Case>
requires requires(const Case& c)
{
    c.name;
}
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}
