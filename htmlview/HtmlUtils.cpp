#include "htmlview/HtmlUtils.h"

#include <cstdlib>

namespace htmlview {

void TUrlTarget::SetLink(const std::string* urlText, const std::string* targetName)
{
    if (urlText)
        UrlText = *urlText;
    if (targetName)
        TargetName = *targetName;
}

void TUrlTarget::ClearLink()
{
    UrlText.clear();
    TargetName.clear();
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = std::llabs(product);
    const int64_t divisor = std::llabs(static_cast<int64_t>(c));
    const int64_t rounded = (magnitude + divisor / 2) / divisor;
    const int64_t result = negative ? -rounded : rounded;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return static_cast<int32_t>(result);
}

std::string TrimText(const std::string& s)
{
    size_t first = 0;
    size_t last = s.size();
    while (first < last && static_cast<unsigned char>(s[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(s[last - 1]) <= 32)
        --last;
    return s.substr(first, last - first);
}

} // namespace htmlview
