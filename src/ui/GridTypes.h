#pragma once

#include <QString>

#include <cstdint>

// Display-free colour: the logic libraries must not pull in QtGui for QColor.
struct Rgb
{
    int r = 0;
    int g = 0;
    int b = 0;

    constexpr Rgb() = default;
    constexpr Rgb(int red, int green, int blue)
        : r(red)
        , g(green)
        , b(blue)
    {
    }
    bool operator==(const Rgb&) const = default;
};

// Display-free font description. Height is in pixels (the cell heights are
// pixels too, so text keeps its proportion to the cell when printed);
// weight uses the CSS scale 100..900 (400 normal, 700 bold). An empty family
// means the application's default family.
struct CellFont
{
    QString family;
    int height = 13;
    int weight = 400;
    bool italic = false;

    bool operator==(const CellFont&) const = default;
};

// Horizontal and vertical placement of a cell's text, combined with "|":
//   model.setAlignment(r, c, GridAlign::Right | GridAlign::Bottom);
//   model.setAlignment(r, c, GridAlign::Centre | GridAlign::Bottom | GridAlign::WordWrap);
// Left always wraps long text into lines and LeftSingleLine never does;
// Centre and Right wrap only with WordWrap.
struct GridAlign
{
    enum Horizontal : std::uint8_t { Left, LeftSingleLine, Centre, Right };
    enum Vertical : std::uint8_t { Top, VCentre, Bottom };
    enum Wrap : std::uint8_t { WordWrap = 1 };

    Horizontal h = Left;
    Vertical v = VCentre;
    bool wrap = false;

    constexpr GridAlign() = default;
    constexpr GridAlign(Horizontal horizontal, Vertical vertical = VCentre, bool wordWrap = false)
        : h(horizontal)
        , v(vertical)
        , wrap(wordWrap)
    {
    }

    constexpr bool wordWrap() const { return h == Left || (wrap && h != LeftSingleLine); }
    bool operator==(const GridAlign&) const = default;
};

// Exact overloads, so that two enumerators never fall back to the built-in
// integer "|".
constexpr GridAlign operator|(GridAlign::Horizontal h, GridAlign::Vertical v)
{
    return GridAlign(h, v);
}
constexpr GridAlign operator|(GridAlign::Vertical v, GridAlign::Horizontal h)
{
    return GridAlign(h, v);
}
constexpr GridAlign operator|(GridAlign::Horizontal h, GridAlign::Wrap)
{
    return GridAlign(h, GridAlign::VCentre, true);
}
constexpr GridAlign operator|(GridAlign a, GridAlign::Wrap)
{
    a.wrap = true;
    return a;
}
constexpr GridAlign operator|(GridAlign a, GridAlign::Vertical v)
{
    a.v = v;
    return a;
}

// A cell position; (-1, -1) for none.
struct GridCell
{
    int row = -1;
    int col = -1;

    constexpr bool isValid() const { return row >= 0 && col >= 0; }
    bool operator==(const GridCell&) const = default;
};
