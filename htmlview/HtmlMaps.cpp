#include "htmlview/HtmlMaps.h"

#include "htmlview/HtmlScanner.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <cstdlib>

namespace htmlview {

namespace {

// Leading spaces and a sign allowed; anything else, or a value outside 32 bits, is no number.
int32_t IntegerOrZero(const std::string& text)
{
    size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos)
        return 0;
    bool negative = false;
    if (text[i] == '-' || text[i] == '+')
        negative = text[i++] == '-';
    if (i >= text.size())
        return 0;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT32_MAX} + 1)
            return 0;
    }
    value = negative ? -value : value;
    return value > INT32_MAX ? 0 : static_cast<int32_t>(value);
}

// Edge crossings of the ray from (px, py) to the right, counted by direction (non-zero rule).
// The point is a pixel's centre, doubled so that all arithmetic stays in integers.
bool InsidePolygon(const std::vector<int64_t>& coords, int64_t px2, int64_t py2)
{
    const size_t n = coords.size() / 2;
    int winding = 0;
    for (size_t i = 0; i < n; ++i) {
        const int64_t x1 = coords[2 * i] * 2, y1 = coords[2 * i + 1] * 2;
        const size_t j = (i + 1) % n;
        const int64_t x2 = coords[2 * j] * 2, y2 = coords[2 * j + 1] * 2;
        // Which side of the edge the point lies on, as a sign.
        const auto side = [&] {
            const __int128 cross = static_cast<__int128>(x2 - x1) * (py2 - y1)
                                   - static_cast<__int128>(px2 - x1) * (y2 - y1);
            return cross > 0 ? 1 : (cross < 0 ? -1 : 0);
        };
        if (y1 <= py2) {
            if (y2 > py2 && side() > 0)
                ++winding;
        } else if (y2 <= py2 && side() < 0) {
            --winding;
        }
    }
    return winding != 0;
}

} // namespace

bool TMapRegion::Make(TShape shape, const std::vector<int32_t>& coords, TMapRegion& region)
{
    region.Shape_ = shape;
    region.Coords_.clear();
    switch (shape) {
    case TShape::Rectangle: {
        if (coords.size() < 4)
            return false;
        // The right and bottom edges given are inside; a reversed pair is put in order.
        const int64_t x1 = coords[0], y1 = coords[1], x2 = int64_t{coords[2]} + 1, y2 = int64_t{coords[3]} + 1;
        region.Coords_ = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
        return true;
    }
    case TShape::Circle:
        if (coords.size() < 3)
            return false;
        region.Coords_ = {coords[0], coords[1], std::llabs(int64_t{coords[2]})};
        return true;
    case TShape::Polygon:
        if (coords.size() < 6)
            return false;
        region.Coords_.assign(coords.begin(), coords.begin() + static_cast<std::ptrdiff_t>(coords.size() / 2 * 2));
        return true;
    }
    return false;
}

bool TMapRegion::Contains(int32_t x, int32_t y) const
{
    switch (Shape_) {
    case TShape::Rectangle:
        return x >= Coords_[0] && y >= Coords_[1] && x < Coords_[2] && y < Coords_[3];
    case TShape::Circle: {
        // The ellipse in (cx - r, cy - r) - (cx + r + 1, cy + r + 1): pixel centres within r + 1/2.
        const double dx = static_cast<double>(x - Coords_[0]);
        const double dy = static_cast<double>(y - Coords_[1]);
        const double r = static_cast<double>(Coords_[2]) + 0.5;
        return dx * dx + dy * dy <= r * r;
    }
    case TShape::Polygon:
        return InsidePolygon(Coords_, int64_t{x} * 2 + 1, int64_t{y} * 2 + 1);
    }
    return false;
}

std::vector<int32_t> ReadMapCoords(const std::string& value)
{
    std::vector<int32_t> numbers;
    size_t start = 0;
    while (numbers.size() < TMapItem::MaxCoords && start <= value.size()) {
        size_t comma = value.find(',', start);
        if (comma == std::string::npos)
            comma = value.size();
        std::string item = value.substr(start, std::min(comma - start, TMapItem::MaxCoordLength));
        item.erase(item.find_last_not_of(' ') + 1);
        if (item.empty())
            break;
        numbers.push_back(IntegerOrZero(item));
        start = comma + 1;
    }
    return numbers;
}

void TMapItem::AddArea(const TAttributeList& attributes)
{
    TMapRegion::TShape shape = TMapRegion::TShape::Rectangle;
    std::string href;
    std::string target;
    std::vector<int32_t> coords;
    for (int i = 0; i < attributes.Count(); ++i) {
        const TAttribute& a = *attributes[i];
        switch (a.Kind) {
        case HtmlToken::HrefAttr: href = a.ValueText; break;
        case HtmlToken::NoHrefAttr: href.clear(); break;
        case HtmlToken::TargetAttr: target = a.ValueText; break;
        case HtmlToken::ShapeAttr: {
            const std::string kind = platform::AnsiLowerCase(a.ValueText.substr(0, 4));
            if (kind == "circ")
                shape = TMapRegion::TShape::Circle;
            else if (kind == "poly")
                shape = TMapRegion::TShape::Polygon;
            break;
        }
        case HtmlToken::CoordsAttr: coords = ReadMapCoords(a.ValueText); break;
        default: break;
        }
    }
    TMapRegion region;
    if (!TMapRegion::Make(shape, coords, region))
        return;
    Regions_.push_back(std::move(region));
    AreaLinks.push_back(href);
    AreaFrames.push_back(target);
}

bool TMapItem::AreaLinkAt(int32_t x, int32_t y, TUrlTarget& target) const
{
    for (size_t i = 0; i < Regions_.size(); ++i) {
        if (!Regions_[i].Contains(x, y))
            continue;
        if (AreaLinks[i].empty())
            return false;
        target.UrlText = AreaLinks[i];
        target.TargetName = AreaFrames[i];
        return true;
    }
    return false;
}

const TMapItem* FindImageMap(const std::vector<std::unique_ptr<TMapItem>>& maps, const std::string& name)
{
    for (const auto& map : maps)
        if (map->Name == name)
            return map.get();
    return nullptr;
}

} // namespace htmlview
