#include "ui/GridPageLayout.h"

#include "ui/GridModel.h"

#include <algorithm>
#include <functional>

namespace {

// Greedy split of the visible items after `fixedCount` into chunks of at most
// `room`, each chunk starting with the visible fixed items. An item larger
// than the room gets a chunk of its own and is cut off when printed.
std::vector<std::vector<int>> split(int count, int fixedCount, const std::function<int(int)>& size,
                                    double room)
{
    std::vector<int> fixed;
    std::vector<int> rest;
    double fixedSize = 0;
    for (int i = 0; i < count; ++i) {
        if (size(i) <= 0)
            continue;
        if (i < fixedCount) {
            fixed.push_back(i);
            fixedSize += size(i);
        } else {
            rest.push_back(i);
        }
    }
    // Fixed items that leave no room for anything else are not repeated.
    if (!rest.empty() && fixedSize >= room * 0.75) {
        rest.insert(rest.begin(), fixed.begin(), fixed.end());
        fixed.clear();
        fixedSize = 0;
    }

    std::vector<std::vector<int>> chunks;
    std::vector<int> chunk = fixed;
    double used = fixedSize;
    bool chunkHasRest = false;
    for (int i : rest) {
        if (chunkHasRest && used + size(i) > room) {
            chunks.push_back(std::move(chunk));
            chunk = fixed;
            used = fixedSize;
        }
        chunk.push_back(i);
        used += size(i);
        chunkHasRest = true;
    }
    chunks.push_back(std::move(chunk));
    return chunks;
}

} // namespace

GridPageLayout GridPageLayout::compute(const GridModel& model, double pageWidth, double pageHeight,
                                       double minScale)
{
    GridPageLayout layout;
    int width = 0;
    for (int c = 0; c < model.columnCount(); ++c)
        width += model.columnWidth(c);

    if (width > pageWidth && pageWidth > 0)
        layout.scale = std::max(minScale, pageWidth / width);

    const double room = pageWidth / layout.scale;
    layout.columnBands = split(
        model.columnCount(), model.fixedColumnCount(), [&](int c) { return model.columnWidth(c); }, room);
    layout.rowChunks = split(
        model.rowCount(), model.fixedRowCount(), [&](int r) { return model.rowHeight(r); },
        pageHeight / layout.scale);
    return layout;
}
