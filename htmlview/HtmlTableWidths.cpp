// Column widths of a table: the bounds each column's cells set (minimum, maximum and share in
// tenths of a percent, spanning cells spread over the columns they cover), then the widths for
// the room there is.
#include "htmlview/HtmlTable.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;

namespace {

constexpr int32_t Whole = 1000; // 100 percent in tenths
// The width asked of a table whose percentages take everything while other columns want room.
constexpr int32_t CrowdedWidth = 30000;

// A × B ÷ C rounded like MulDiv, but saturating where MulDiv gives -1 for a result out of range:
// absurd page widths must stay absurdly large, not turn into a width of -1.
int32_t Scale(int32_t a, int32_t b, int32_t c)
{
    const int32_t result = MulDiv(a, b, c);
    if (result != -1 || c == 0)
        return result;
    const int64_t exact = int64_t{a} * b / c;
    return exact == 0 ? -1 : ClampInt32(exact);
}

} // namespace

void ThtmlTable::ForCellBounds(TCanvas& canvas, const TCellBoundsVisit& visit) const
{
    const int64_t pad = 2 * int64_t{CellPadding} + CellSpacing;
    const int32_t largestSpan = LargestColSpan();
    for (int32_t span = 1; span <= largestSpan; ++span) {
        for (int r = 0; r < Rows.Count(); ++r) {
            const TCellList& row = *Rows[r];
            for (int i = 0; i < std::min(row.Count(), ColumnCount); ++i) {
                if (row[i]->ColSpan != span)
                    continue;
                int32_t contentMin = 0;
                int32_t contentMax = 0;
                row[i]->ContentWidths(canvas, LayoutPass(), contentMin, contentMax);
                visit(*row[i], i, span, ClampInt32(contentMin + pad), ClampInt32(contentMax + pad));
            }
        }
    }
}

void ThtmlTable::SumBounds(TBounds& bounds) const
{
    int64_t totalMin = 0;
    int64_t totalMax = 0;
    for (int i = 0; i < ColumnCount; ++i) {
        totalMin += bounds.Min[static_cast<size_t>(i)];
        totalMax += bounds.Max[static_cast<size_t>(i)];
    }
    bounds.TotalMin = ClampInt32(totalMin);
    bounds.TotalMax = ClampInt32(totalMax);
}

ThtmlTable::TBounds ThtmlTable::BoundsFixed(TCanvas& canvas) const
{
    TBounds bounds;
    const int64_t pad = 2 * int64_t{CellPadding} + CellSpacing;
    ForCellBounds(canvas, [&](TCellObj& cellObj, int32_t column, int32_t span, int32_t minWidth, int32_t maxWidth) {
        if (span == 1) {
            // A pixel WIDTH holds the column unless its content is wider.
            if (cellObj.SpecWidth > 0 && !cellObj.WidthIsPercent) {
                minWidth = std::max(minWidth, ClampInt32(cellObj.SpecWidth + pad));
                maxWidth = minWidth;
            }
            int32_t& columnMin = bounds.Min[static_cast<size_t>(column)];
            int32_t& columnMax = bounds.Max[static_cast<size_t>(column)];
            columnMin = std::max(columnMin, minWidth);
            columnMax = std::max(columnMax, maxWidth);
            return;
        }
        int64_t sumMin = 0;
        int64_t sumMax = 0;
        for (int32_t j = column; j < column + span; ++j) {
            sumMin += bounds.Min[static_cast<size_t>(j)];
            sumMax += bounds.Max[static_cast<size_t>(j)];
        }
        const int32_t spannedMin = ClampInt32(sumMin);
        const int32_t spannedMax = ClampInt32(sumMax);
        for (int32_t j = column; j < column + span; ++j) {
            int32_t& columnMin = bounds.Min[static_cast<size_t>(j)];
            int32_t& columnMax = bounds.Max[static_cast<size_t>(j)];
            if (spannedMin < minWidth)
                columnMin = spannedMin == 0 ? minWidth / span
                                            : ClampInt32(int64_t{columnMin}
                                                         + Scale(columnMin, minWidth - spannedMin, spannedMin));
            if (spannedMax < maxWidth)
                columnMax = spannedMax == 0 ? maxWidth / span
                                            : ClampInt32(int64_t{columnMax}
                                                         + Scale(columnMax, maxWidth - spannedMax, spannedMax));
        }
    });
    SumBounds(bounds);
    return bounds;
}

ThtmlTable::TBounds ThtmlTable::BoundsPercent(TCanvas& canvas, int32_t base)
{
    TBounds bounds;
    Percents.fill(0);
    ForCellBounds(canvas, [&](TCellObj& cellObj, int32_t column, int32_t span, int32_t minWidth, int32_t maxWidth) {
        int32_t cellPct = 0;
        if (cellObj.WidthIsPercent)
            cellPct = cellObj.SpecWidth;
        else if (cellObj.SpecWidth > 0 && base > 0)
            cellPct = std::min(Whole, Scale(cellObj.SpecWidth, Whole, base));
        if (span > 1) {
            SpreadSpanPercent(bounds, column, span, cellPct, minWidth, maxWidth);
            return;
        }
        const auto c = static_cast<size_t>(column);
        bounds.Min[c] = std::max(bounds.Min[c], minWidth);
        bounds.Max[c] = std::max(bounds.Max[c], maxWidth);
        Percents[c] = std::max(Percents[c], cellPct);
    });
    SumBounds(bounds);
    return bounds;
}

void ThtmlTable::SpreadSpanPercent(TBounds& bounds, int32_t column, int32_t span, int32_t cellPct, int32_t minWidth,
                                   int32_t maxWidth)
{
    int64_t sumMin = 0;
    int64_t sumMax = 0;
    int64_t pctSum = 0;
    int32_t zero = 0;
    for (int32_t j = column; j < column + span; ++j) {
        const auto c = static_cast<size_t>(j);
        sumMin += bounds.Min[c];
        sumMax += bounds.Max[c];
        if (Percents[c] > 0)
            pctSum += Percents[c];
        else
            ++zero;
    }
    const int32_t spannedPct = ClampInt32(pctSum);
    const int32_t exMin = ClampInt32(minWidth - sumMin);
    const int32_t exMax = ClampInt32(maxWidth - sumMax);
    auto forSpanned = [&](auto visit) {
        for (int32_t j = column; j < column + span; ++j)
            visit(static_cast<size_t>(j));
    };
    if (cellPct <= 0 && spannedPct <= 0) {
        // No percentages: the extra width goes by the columns' own widths.
        const int32_t spannedMin = ClampInt32(sumMin);
        const int32_t spannedMax = ClampInt32(sumMax);
        forSpanned([&](size_t c) {
            if (exMin > 0)
                bounds.Min[c] = spannedMin == 0 ? minWidth / span : Scale(minWidth, bounds.Min[c], spannedMin);
            if (exMax > 0)
                bounds.Max[c] = spannedMax == 0 ? maxWidth / span : Scale(maxWidth, bounds.Max[c], spannedMax);
        });
        return;
    }
    const int32_t share = zero > 0 ? std::max(0, (cellPct - spannedPct) / zero) : 0;
    if (zero == 0 && cellPct > spannedPct)
        forSpanned([&](size_t c) { Percents[c] = Scale(Percents[c], cellPct, spannedPct); });
    else if (share > 0)
        forSpanned([&](size_t c) {
            if (Percents[c] == 0)
                Percents[c] = share;
        });
    const int32_t denom = std::max(spannedPct, cellPct);
    int64_t freeMax = 0;
    int32_t freeColumns = 0;
    forSpanned([&](size_t c) {
        if (Percents[c] == 0) {
            freeMax += bounds.Max[c];
            ++freeColumns;
        }
    });
    if (exMin > 0) {
        forSpanned([&](size_t c) {
            if (zero == 0)
                bounds.Min[c] = std::max(bounds.Min[c], Scale(minWidth, Percents[c], denom));
            else if (Percents[c] == 0)
                // Columns that want no width at all share the extra evenly.
                bounds.Min[c] = ClampInt32(int64_t{bounds.Min[c]}
                                           + (freeMax > 0 ? Scale(exMin, bounds.Max[c], ClampInt32(freeMax))
                                                          : exMin / freeColumns));
        });
    }
    if (exMax > 0) {
        forSpanned([&](size_t c) {
            if (zero == 0)
                bounds.Max[c] = std::max(bounds.Max[c], Scale(maxWidth, Percents[c], denom));
            else if (Percents[c] == 0)
                bounds.Max[c] = ClampInt32(int64_t{bounds.Max[c]} + exMax / zero);
        });
    }
}

void ThtmlTable::FitColumns(TCanvas& canvas, int32_t width, bool specified)
{
    Widths.fill(0);
    if (HasPixelCellWidth && !specified) {
        const TBounds bounds = BoundsFixed(canvas);
        if (bounds.TotalMin >= width)
            Widths = bounds.Min;
        else
            DistributeBetween(bounds, width);
        return;
    }
    TBounds bounds = BoundsPercent(canvas, width);
    if (width <= bounds.TotalMin)
        Widths = bounds.Min; // the table grows wider than the room it has
    else if (specified)
        DistributeExact(bounds, width);
    else
        DistributeFree(bounds, width);
}

void ThtmlTable::DistributeBetween(const TBounds& bounds, int32_t width)
{
    if (width >= bounds.TotalMax || bounds.TotalMax == bounds.TotalMin) {
        Widths = bounds.Max;
        return;
    }
    for (int i = 0; i < ColumnCount; ++i) {
        const auto c = static_cast<size_t>(i);
        Widths[c] = ClampInt32(int64_t{bounds.Min[c]}
                               + Scale(ClampInt32(int64_t{bounds.Max[c]} - bounds.Min[c]),
                                       ClampInt32(int64_t{width} - bounds.TotalMin),
                                       ClampInt32(int64_t{bounds.TotalMax} - bounds.TotalMin)));
    }
}

void ThtmlTable::DistributeExact(const TBounds& bounds, int32_t width)
{
    std::array<bool, MaxTableColumns + 1> held{};
    int32_t pctFree = 0;
    int32_t plain = 0;
    int64_t slack = 0;
    for (int i = 0; i < ColumnCount; ++i) {
        const auto c = static_cast<size_t>(i);
        Widths[c] = bounds.Min[c];
        if (Percents[c] > 0) {
            if (const int32_t p = Scale(width, Percents[c], Whole); p > bounds.Min[c]) {
                Widths[c] = p;
                pctFree += Percents[c];
            } else {
                held[c] = true;
            }
        } else {
            ++plain;
            slack += int64_t{bounds.Max[c]} - bounds.Min[c];
        }
    }
    auto excessNow = [&] {
        int64_t sum = 0;
        for (int i = 0; i < ColumnCount; ++i)
            sum += Widths[static_cast<size_t>(i)];
        return sum - width;
    };
    auto forFreePercent = [&](auto visit) {
        for (int i = 0; i < ColumnCount; ++i)
            if (const auto c = static_cast<size_t>(i); Percents[c] > 0 && !held[c])
                visit(c);
    };
    int32_t excess = ClampInt32(excessNow());
    if (excess < 0 && plain > 0) {
        for (int i = 0; i < ColumnCount; ++i) {
            const auto c = static_cast<size_t>(i);
            if (Percents[c] > 0)
                continue;
            const int32_t more = slack > 0 ? Scale(-excess, bounds.Max[c] - bounds.Min[c], ClampInt32(slack))
                                           : -excess / plain;
            Widths[c] = ClampInt32(int64_t{Widths[c]} + more);
        }
    } else if (excess < 0) {
        forFreePercent([&](size_t c) { Widths[c] = ClampInt32(int64_t{Widths[c]} + Scale(-excess, Percents[c], pctFree)); });
    } else if (excess > 0) {
        // Columns that would fall below their minimum keep it; the others give up the rest.
        bool heldMore = true;
        for (int round = 0; round < 4 && heldMore; ++round) {
            heldMore = false;
            forFreePercent([&](size_t c) {
                if (int64_t{Widths[c]} - Scale(excess, Percents[c], pctFree) >= bounds.Min[c])
                    return;
                held[c] = true;
                heldMore = true;
                pctFree -= Percents[c];
                excess = ClampInt32(int64_t{excess} - (int64_t{Widths[c]} - bounds.Min[c]));
                Widths[c] = bounds.Min[c];
            });
        }
        forFreePercent([&](size_t c) { Widths[c] = ClampInt32(int64_t{Widths[c]} - Scale(excess, Percents[c], pctFree)); });
    }
    if (ColumnCount == 0)
        return;
    // Rounding left a few pixels over or short.
    const int32_t d = ClampInt32(excessNow());
    if (d <= 0) {
        Widths[0] = ClampInt32(int64_t{Widths[0]} - d);
        return;
    }
    for (int i = 0; i < ColumnCount; ++i) {
        if (const auto c = static_cast<size_t>(i); !held[c]) {
            Widths[c] = ClampInt32(int64_t{Widths[c]} - d);
            return;
        }
    }
}

void ThtmlTable::DistributeFree(TBounds& bounds, int32_t width)
{
    int64_t totalPct = 0;
    for (int i = 0; i < ColumnCount; ++i)
        totalPct += Percents[static_cast<size_t>(i)];
    // Percentages are honoured only when together they fit into the whole.
    if (totalPct <= 0 || totalPct > Whole) {
        DistributeBetween(bounds, width);
        return;
    }
    const auto pctTotal = static_cast<int32_t>(totalPct);
    int32_t needPct = 0;
    int64_t plainMax = 0;
    for (int i = 0; i < ColumnCount; ++i) {
        const auto c = static_cast<size_t>(i);
        if (Percents[c] > 0)
            needPct = std::max(needPct, Scale(bounds.Max[c], Whole, Percents[c]));
        else
            plainMax += bounds.Max[c];
    }
    const int32_t plainWanted = ClampInt32(plainMax);
    const int32_t needPlain = pctTotal < Whole ? Scale(plainWanted, Whole, Whole - pctTotal)
                              : plainWanted > 0 ? CrowdedWidth
                                                : 0;
    const int32_t need = std::max(needPct, needPlain);
    if (width >= need) {
        // Wide enough for every column's content at its share: the table takes just that.
        const int32_t plainWidth = Scale(need, Whole - pctTotal, Whole);
        for (int i = 0; i < ColumnCount; ++i) {
            const auto c = static_cast<size_t>(i);
            Widths[c] = Percents[c] > 0 ? Scale(need, Percents[c], Whole)
                        : plainWanted > 0 ? Scale(bounds.Max[c], plainWidth, plainWanted)
                                          : 0;
        }
        return;
    }
    // Shares shrink until each fits its column's minimum or is given up. Every round either ends
    // or lowers the sum of the shares, so the loop ends.
    for (;;) {
        bool found = false;
        int64_t pctSum = 0;
        int64_t fixed = 0;
        for (int i = 0; i < ColumnCount; ++i) {
            const auto c = static_cast<size_t>(i);
            if (Percents[c] <= 0) {
                fixed += bounds.Min[c];
                continue;
            }
            const int64_t p = int64_t{Scale(width, Percents[c], Whole)} - 1;
            if (bounds.Min[c] > p) {
                Percents[c] = 0;
                fixed += bounds.Min[c];
            } else {
                found = true;
                pctSum += p;
            }
        }
        if (!found)
            break;
        if (width >= pctSum + fixed) {
            for (int i = 0; i < ColumnCount; ++i)
                if (const auto c = static_cast<size_t>(i); Percents[c] > 0)
                    bounds.Min[c] = bounds.Max[c] = Scale(width, Percents[c], Whole);
            SumBounds(bounds);
            break;
        }
        if (pctSum <= 0)
            break;
        for (int i = 0; i < ColumnCount; ++i)
            if (const auto c = static_cast<size_t>(i); Percents[c] > 0)
                Percents[c] = static_cast<int32_t>(Percents[c] * (int64_t{width} - fixed) / pctSum);
    }
    DistributeBetween(bounds, width);
}

} // namespace htmlview
