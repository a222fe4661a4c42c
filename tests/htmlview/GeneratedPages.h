#pragma once
// Random but reproducible pages for layout tests and benches: tables with spans and vertical
// alignment (nested too), floating pictures on both sides, rules, lists (items holding only a
// float too), form controls, links and paragraphs long and short. The same seed always gives the same pages.
#include <cstdint>
#include <random>
#include <string>

namespace pagegen {

class TPageGenerator {
public:
    // Without Overlaps no content is painted where another column answers the hit tests: nothing
    // floats, no WIDTH squeezes a column below its content, no cell spans rows (a span can leave
    // a cell standing over the one below it) and no text touches a picture.
    explicit TPageGenerator(uint32_t seed, bool overlaps = true) : Random_(seed), Overlaps_(overlaps) {}

    // A whole page.
    std::string Page();

private:
    int Pick(int low, int high); // from low to high, both included
    bool Chance(int percent);
    std::string Words(int count);
    std::string Paragraph();
    std::string Picture();
    std::string Rule();
    std::string List(int depth);
    std::string Controls();
    std::string Table(int depth);
    std::string Cell(int depth);
    // One to Most blocks of any kind; tables only above the nesting limit.
    std::string Blocks(int depth, int most);

    std::mt19937 Random_;
    bool Overlaps_;
    int Word_ = 0; // words are numbered, so each piece of text is told apart from the others
};

} // namespace pagegen
