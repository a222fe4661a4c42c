#pragma once
// The document builder: reads the tokens of a page and fills a document with sections (text in
// its fonts and links, paragraph and heading spaces, rules, preformatted lines, list items),
// collecting the page's anchors, title and base on the way. Every decision is taken while
// reading; nothing built is looked at again. One parse runs at a time, on the GUI thread.
#include "htmlview/HtmlScanner.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace htmlview {

class TSection;
class TSectionList;

// A NAME of an A tag (upper-cased) and the section it lies in; the section belongs to the
// document and lives as long as the page.
struct TAnchor {
    std::string Name;
    TSection* Section = nullptr;
};
using TAnchorList = std::vector<TAnchor>;

// BGSOUND: the sound's SRC and its LOOP count (1 without LOOP).
using TSoundHandler = std::function<void(const std::string& src, int32_t loop)>;
// META: its HTTP-EQUIV, NAME and CONTENT texts, each empty when missing.
using TMetaHandler =
    std::function<void(const std::string& httpEquiv, const std::string& name, const std::string& content)>;

struct TParseHandlers {
    TIncludeHandler Include;
    TSoundHandler Sound;
    TMetaHandler Meta;
};

// The TITLE text and the BASE HREF and TARGET of the page.
struct TParsedHead {
    std::string Title;
    std::string BaseHref;
    std::string BaseTarget;
};

// Each entry adds the page's sections to Document and its anchors to AnchorNames, and fills Head
// as it reads. The sections read before an error stay in the document.
// A page in memory; EParseError (a comment open at the end) and the handlers' errors pass on.
void ParseHtmlBuffer(TSectionList& document, TAnchorList& anchorNames, std::string_view text,
                     TParsedHead& head, const TParseHandlers& handlers = {});
// A page in a file; a comment open at the end only ends the page. platform::EInOutError when
// the file cannot be read.
void ParseHtmlFile(TSectionList& document, TAnchorList& anchorNames, const std::string& fileName,
                   TParsedHead& head, const TParseHandlers& handlers = {});
// A plain text file shown as preformatted text, one section per line.
void ParseTextFile(TSectionList& document, TAnchorList& anchorNames, const std::string& fileName);

} // namespace htmlview
