#include "htmlview/HtmlUtils.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace htmlview {

namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Each %xx from the left, up to a "%" that opens the text, comes too close to its end or is not
// followed by two hexadecimal digits: that one and all after it stay as typed. The byte a
// decoded "%25" makes is not read again (a "%" in a file name is written so), and "%00" stays as
// typed so that a path never holds a NUL.
std::string PercentDecode(const std::string& url)
{
    if (!url.empty() && url.front() == '%')
        return url;
    std::string decoded;
    decoded.reserve(url.size());
    size_t i = 0;
    for (; i < url.size(); ++i) {
        if (url[i] != '%') {
            decoded += url[i];
            continue;
        }
        const int high = i + 2 < url.size() ? HexDigitValue(url[i + 1]) : -1;
        const int low = i + 2 < url.size() ? HexDigitValue(url[i + 2]) : -1;
        if (high < 0 || low < 0)
            break;
        if ((high | low) == 0)
            decoded.append(url, i, 3);
        else
            decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return decoded.append(url, i, std::string::npos);
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where the lower-case Needle first stands in Text, letters compared without case.
size_t FindNoCase(std::string_view text, std::string_view needle)
{
    const auto found = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                   [](char a, char b) { return LowerAscii(a) == b; });
    return found == text.end() ? std::string_view::npos : static_cast<size_t>(found - text.begin());
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return FindNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

constexpr std::string_view FileUrlPrefix = "file://";
constexpr std::string_view FileUrlRootPrefix = "file:///";

} // namespace

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

std::string UrlToPath(const std::string& url)
{
    std::string path = PercentDecode(url);
    // The first "file:///" wherever it stands, else the first "file://", loses its scheme;
    // "file:///home/a.htm" keeps the "/" that makes it absolute.
    size_t scheme = FindNoCase(path, FileUrlRootPrefix);
    if (scheme == std::string::npos)
        scheme = FindNoCase(path, FileUrlPrefix);
    if (scheme != std::string::npos)
        path.erase(scheme, FileUrlPrefix.size());
    return path;
}

std::string UrlToRootedPath(const std::string& url, const std::string& root)
{
    std::string path = UrlToPath(url);
    // A file URL names an absolute path already; only a root-relative link ("/images/a.gif")
    // takes the root.
    if (path.empty() || path.front() != '/' || StartsWithNoCase(PercentDecode(url), FileUrlPrefix))
        return path;
    if (!root.empty() && root.back() == '/')
        path.erase(0, 1);
    return root + path;
}

} // namespace htmlview
