#pragma once

#include <QString>

#include <ostream>

// Readable failure output for texts instead of byte dumps.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
