#pragma once

#include <vector>

class GridModel;

// How a grid is cut into printed pages. Sizes are in grid pixels at the
// grid's natural size. A grid a little wider than the page is shrunk to fit;
// one much wider is printed at minScale and its columns are split into bands,
// each band repeating the fixed columns. Rows are split the same way, each
// page repeating the fixed rows. Hidden rows and columns are left out.
struct GridPageLayout
{
    double scale = 1.0;
    std::vector<std::vector<int>> columnBands; // visible columns of each band, fixed first
    std::vector<std::vector<int>> rowChunks;   // visible rows of each page, fixed first

    int pageCount() const { return static_cast<int>(columnBands.size() * rowChunks.size()); }
    // Pages run down the rows of one band, then on to the next band.
    const std::vector<int>& columnsOfPage(int page) const { return columnBands[page / rowChunks.size()]; }
    const std::vector<int>& rowsOfPage(int page) const { return rowChunks[page % rowChunks.size()]; }

    static constexpr double DefaultMinScale = 0.6;
    static GridPageLayout compute(const GridModel& model, double pageWidth, double pageHeight,
                                  double minScale = DefaultMinScale);
};
