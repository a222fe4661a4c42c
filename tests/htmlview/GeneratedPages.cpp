#include "GeneratedPages.h"

#include <array>

namespace pagegen {

namespace {

constexpr int DeepestTable = 3;
constexpr std::array<const char*, 8> Syllables = {"ba", "ric", "ol", "tem", "u", "sar", "dino", "pe"};
constexpr std::array<const char*, 3> VAligns = {"top", "middle", "bottom"};

} // namespace

int TPageGenerator::Pick(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(Random_);
}

bool TPageGenerator::Chance(int percent)
{
    return Pick(1, 100) <= percent;
}

std::string TPageGenerator::Words(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (!text.empty())
            text += ' ';
        for (int k = Pick(1, 3); k > 0; --k)
            text += Syllables[static_cast<size_t>(Pick(0, static_cast<int>(Syllables.size()) - 1))];
        text += std::to_string(Word_++ % 100);
    }
    return text;
}

std::string TPageGenerator::Paragraph()
{
    const int count = Chance(30) ? Pick(20, 80) : Pick(1, 6);
    std::string text = Words(count);
    if (Chance(30))
        text = Words(2) + " <a href=\"lien" + std::to_string(Pick(0, 9)) + ".htm\">" + Words(Pick(1, 4)) + "</a> " + text;
    if (Chance(20))
        text = "<b>" + Words(2) + "</b> " + text;
    return (Chance(50) ? "<p>" : "<br>") + text;
}

std::string TPageGenerator::Picture()
{
    static constexpr std::array<const char*, 4> Aligns = {"left", "right", "middle", "top"};
    std::string tag = "<img src=\"absent" + std::to_string(Pick(0, 3)) + ".gif\" width=" + std::to_string(Pick(10, 120))
        + " height=" + std::to_string(Pick(8, 90));
    // A float narrows the column beside it, where a table may then not fit.
    const int align = Overlaps_ && Chance(75) ? Pick(0, 1) : Pick(2, 3);
    tag += std::string(" align=") + Aligns[static_cast<size_t>(align)];
    if (Chance(30))
        tag += " hspace=" + std::to_string(Pick(0, 8));
    // Text that touches a picture makes one word with it, which may not fit its column.
    return tag + (Overlaps_ ? ">" : "> ") + Words(Pick(0, 12));
}

std::string TPageGenerator::Rule()
{
    std::string tag = "<hr";
    if (Chance(60))
        tag += " width=" + std::to_string(Pick(10, 100)) + (Chance(70) ? "%" : "");
    if (Chance(40))
        tag += Chance(50) ? " align=left" : " align=right";
    if (Chance(30))
        tag += " size=" + std::to_string(Pick(1, 6));
    if (Chance(20))
        tag += " noshade";
    return tag + ">" + Words(Pick(0, 4));
}

std::string TPageGenerator::List(int depth)
{
    const bool ordered = Chance(40);
    std::string list = ordered ? "<ol>" : "<ul>";
    for (int i = Pick(1, 4); i > 0; --i) {
        // An item holding only a float has no line height of its own.
        if (Overlaps_ && Chance(10)) {
            list += "<li><img width=" + std::to_string(Pick(5, 40)) + " height=" + std::to_string(Pick(3, 30))
                + (Chance(50) ? " align=left>" : " align=right>");
            continue;
        }
        list += "<li>" + Words(Pick(1, 10));
        if (depth < 2 && Chance(20))
            list += List(depth + 1);
        else if (Chance(15))
            list += Picture();
    }
    return list + (ordered ? "</ol>" : "</ul>") + Words(Pick(0, 3));
}

std::string TPageGenerator::Controls()
{
    std::string form = "<form>" + Words(Pick(0, 2)) + " <input name=e" + std::to_string(Pick(0, 9)) + " size="
        + std::to_string(Pick(3, 20)) + ">";
    if (Chance(50))
        form += " <input type=checkbox name=c> " + Words(1);
    if (Chance(40))
        form += " <select name=s><option>" + Words(1) + "<option>" + Words(2) + "</select>";
    if (Chance(30))
        form += " <input type=submit value=\"" + Words(1) + "\">";
    return form + "</form>";
}

std::string TPageGenerator::Cell(int depth)
{
    std::string cell = "<td";
    if (Chance(20))
        cell += " colspan=" + std::to_string(Pick(2, 3));
    if (Overlaps_ && Chance(25))
        cell += " rowspan=" + std::to_string(Pick(2, 4));
    if (Chance(60))
        cell += std::string(" valign=") + VAligns[static_cast<size_t>(Pick(0, 2))];
    if (Chance(15))
        cell += " height=" + std::to_string(Pick(20, 150));
    if (Overlaps_ && Chance(15))
        cell += " width=" + std::to_string(Pick(10, 60)) + (Chance(50) ? "%" : "");
    if (Chance(15))
        cell += " bgcolor=#" + std::string(Chance(50) ? "ffe0c0" : "c0e0ff");
    return cell + ">" + (Chance(10) ? std::string() : Blocks(depth + 1, 3)) + "</td>";
}

std::string TPageGenerator::Table(int depth)
{
    std::string table = "<table";
    if (Chance(50))
        table += " border=" + std::to_string(Pick(1, 3));
    if (Chance(30))
        table += " cellpadding=" + std::to_string(Pick(0, 6));
    if (Chance(30))
        table += " cellspacing=" + std::to_string(Pick(0, 5));
    if (Overlaps_ && Chance(25))
        table += " width=" + std::to_string(Pick(30, 100)) + "%";
    if (Overlaps_ && Chance(20))
        table += Chance(50) ? " align=left" : " align=right";
    else if (Chance(15))
        table += " align=center";
    table += ">";
    if (Chance(15))
        table += std::string(Chance(50) ? "<caption>" : "<caption align=bottom>") + Words(Pick(1, 5)) + "</caption>";
    for (int r = Pick(1, 4); r > 0; --r) {
        table += "<tr>";
        for (int c = Pick(1, 4); c > 0; --c)
            table += Cell(depth);
        table += "</tr>";
    }
    return table + "</table>" + Words(Pick(0, 5));
}

std::string TPageGenerator::Blocks(int depth, int most)
{
    std::string blocks;
    for (int i = Pick(1, most); i > 0; --i) {
        const int kind = Pick(0, depth < DeepestTable ? 9 : 7);
        switch (kind) {
        case 0:
        case 1:
        case 2: blocks += Paragraph(); break;
        case 3: blocks += Picture(); break;
        case 4: blocks += Rule(); break;
        case 5: blocks += List(0); break;
        case 6: blocks += Controls(); break;
        case 7: blocks += Words(Pick(1, 3)); break;
        default: blocks += Table(depth); break;
        }
    }
    return blocks;
}

std::string TPageGenerator::Page()
{
    return Blocks(0, 4) + Table(0) + Blocks(0, 3);
}

} // namespace pagegen
