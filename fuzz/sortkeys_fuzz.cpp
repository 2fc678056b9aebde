// Cells of a grid column read from an outside text file: type detection,
// the date and number readers, and the sort order under every style must
// give a permutation whatever the cells are.
#include <sortgrid/sortkeys.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList cells = text.split(u'\n');
    SortGrid::detectStyle(cells);
    for (const QString &cell : cells) {
        SortGrid::parseDateTime(cell);
        SortGrid::parseNumber(cell);
    }
    for (int style = 0; style <= 4; ++style) {
        SortGrid::TSortOptions options;
        options.Style = static_cast<SortGrid::SortStyle>(style);
        options.Direction = size % 2 ? SortGrid::SortDirection::Descending : SortGrid::SortDirection::Ascending;
        const std::vector<int> order = SortGrid::sortOrder(cells, options);
        std::vector<bool> seen(order.size(), false);
        for (const int i : order) {
            if (i < 0 || i >= int(order.size()) || seen[std::size_t(i)])
                std::abort();
            seen[std::size_t(i)] = true;
        }
    }
    return 0;
}
