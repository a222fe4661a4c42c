#pragma once
// Client-side image maps: a MAP of the page is a named list of areas (rectangle, circle or
// polygon), each with its link URL and target. A picture with USEMAP asks the map of that name
// which area lies under a point of the picture.
#include "htmlview/HtmlUtils.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace htmlview {

class TAttributeList;

// The clickable shape of one AREA, in picture coordinates.
class TMapRegion {
public:
    enum class TShape : uint8_t { Rectangle, Circle, Polygon };

    // False when Coords hold too few numbers for the shape (extra numbers are ignored).
    static bool Make(TShape shape, const std::vector<int32_t>& coords, TMapRegion& region);
    bool Contains(int32_t x, int32_t y) const;

private:
    TShape Shape_ = TShape::Rectangle;
    std::vector<int64_t> Coords_; // rectangle: left, top, right, bottom (right and bottom outside)
};

class TMapItem {
public:
    // Numbers read from one COORDS value at most, and characters kept of each.
    static constexpr size_t MaxCoords = 201;
    static constexpr size_t MaxCoordLength = 20;

    std::string Name; // upper case; empty when the MAP had no NAME
    // Parallel, one entry per area in AREA order: the HREF (empty for NOHREF), the TARGET.
    std::vector<std::string> AreaLinks;
    std::vector<std::string> AreaFrames;

    // Reads one AREA tag; an area without enough coordinates for its shape is ignored.
    void AddArea(const TAttributeList& attributes);
    // X and Y relative to the picture. The first area holding the point decides: with a link,
    // Target gets it and the answer is true; a NOHREF area answers false and hides the others.
    bool AreaLinkAt(int32_t x, int32_t y, TUrlTarget& target) const;

private:
    std::vector<TMapRegion> Regions_;
};

// The numbers of a COORDS value: comma-separated, each read as an integer (0 when it is none);
// reading stops at the first empty item or after MaxCoords numbers.
std::vector<int32_t> ReadMapCoords(const std::string& value);

// The first map of the list named Name (already upper case, without "#"), or none.
const TMapItem* FindImageMap(const std::vector<std::unique_ptr<TMapItem>>& maps, const std::string& name);

} // namespace htmlview
