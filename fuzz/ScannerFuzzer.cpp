// Any bytes scan to their end, or to the one error the scanner knows.
#include "htmlview/HtmlScanner.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    htmlview::THtmlScanner scanner;
    scanner.SetBufferSource(reinterpret_cast<const char*>(data), size);
    try {
        scanner.NextChar();
        do
            scanner.NextToken();
        while (scanner.Token != htmlview::HtmlToken::EndOfInputToken);
    } catch (const htmlview::EParseError&) {
    }
    return 0;
}
