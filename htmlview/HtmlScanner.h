#pragma once
// The HTML scanner: turns the characters of a page into tokens for the document builder (tags
// with their attributes, runs of text, entity characters, stray characters). It folds line ends
// and tabs, skips comments and declarations, hands include comments to an include handler, and
// has two content modes in which markup is not interpreted (text-area and script content).
// The builder's parser state extends this class; one parse runs at a time.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "htmlview/HtmlScanSource.h"
#include "htmlview/HtmlUtils.h"
#include "htmlview/HtmlVocabulary.h"

namespace htmlview {

// The input ended inside a comment or a declaration.
class EParseError : public std::runtime_error {
public:
    EParseError() : std::runtime_error("Open Comment at End of HTML File") {}
};

// One attribute of a tag. ValueText is empty when the attribute had no value.
struct TAttribute {
    HtmlToken Kind = HtmlToken::UnknownAttribute;
    int32_t ValueNumber = 0;
    std::string ValueText;
};

// The attributes of one tag, in source order.
class TAttributeList : public TFreeList<TAttribute> {
public:
    // The first attribute of that kind, or none.
    TAttribute* FindAttribute(HtmlToken kind) const;
};

// Answers an include comment "<!--#command NAME="value" ... -->": Params holds one line
// NAME="value" per attribute (names upper-cased). Text put into Buffer is read next, in place of
// the comment; include comments inside it are skipped as ordinary comments.
using TIncludeHandler = std::function<void(const std::string& command,
                                           std::vector<std::string> params, std::string& buffer)>;

class THtmlScanner {
public:
    // Reads Length bytes at Text (which must outlive the parse), or a file;
    // platform::EInOutError when the file cannot be opened. Both reset the scanner; call
    // NextChar once before the first token.
    void SetBufferSource(const char* text, size_t length);
    void SetFileSource(const std::string& fileName);
    // Closes a file that was opened.
    void CloseSource() { source_.Close(); }

    // The next character into CurrentChar, past comments, declarations and include comments.
    // EParseError when the input ends inside a comment or a declaration.
    void NextChar();
    // Past spaces, tabs and line ends.
    void SkipWhiteSpace();
    // The next token into Token and TokenText; a tag also refills HeadingLevel and, when it is
    // attribute-bearing, AttributeList.
    void NextToken();
    // On "&": reads an entity into TokenText, sets Token to TextToken and answers true.
    bool ScanEntity();
    // Reads one attribute; false when none starts at the current character.
    bool ScanAttribute(HtmlToken& kind, std::string& name, std::string& text, int32_t& number);
    // Skips to the next ">" (or the end of input) and past it.
    void SkipToTagEnd();

    // Text-area content: text, entities, EndOfLineToken and TextAreaEnd; any other markup comes
    // back as UnknownTagToken whose TokenText is content.
    void NextTextAreaToken();
    // Script content: text and EndOfLineToken up to ScriptEnd. Other markup comes back as
    // UnknownTagToken whose TokenText is content; so do comments while InScript is set.
    void NextScriptToken();
    // Clears InScript, so that comments are skipped again from the current character on.
    void LeaveScriptMode();

    // The current character after folding (CR, LF, CR LF and LF CR are one CR; TAB is a
    // space), as typed; EndOfInputChar at the end.
    unsigned char CurrentChar = EndOfInputChar;
    // CurrentChar with a..z upper-cased.
    unsigned char CurrentUpper = EndOfInputChar;
    HtmlToken Token = HtmlToken::EndOfInputToken;
    std::string TokenText;
    int HeadingLevel = 0; // 1..6 after H1..H6, else 0
    TAttributeList AttributeList; // of the last attribute-bearing tag
    bool InPreformatted = false; // set by the builder: text runs keep their blanks
    // Set from the end of a SCRIPT tag to the end of its script, or to the next ordinary token:
    // comments are not skipped. The builder clears it for a script that nobody reads.
    bool InScript = false;
    // Set by the builder when a paragraph space or a cell start was just placed; cleared here
    // by the first token that shows content.
    bool ParagraphSpaceDone = false;
    TIncludeHandler IncludeHandler;

    TSourceKind SourceKind() const { return source_.SourceKind(); }

private:
    void ResetScanState();
    unsigned char TakeRawChar();
    void ReadChar();
    // While the current "<" opens a comment or a declaration: past it, to the character after.
    void SkipCommentsHere();
    // The "<" just read opens a comment or a declaration: skips it (or runs the include
    // comment) and answers true. Otherwise reads nothing and answers false.
    bool SkipCommentOpenedHere();
    void SkipDeclaration();
    void SkipCommentBody();
    void RunIncludeComment();
    bool ScanTag();
    bool ScanTextRun();
    void ScanQuotedValue(std::string& text, int32_t& number);
    void ScanNumberValue(std::string& text, int32_t& number);
    void ScanBareValue(std::string& text);
    void ProbeTextAreaEnd();
    void ProbeScriptEnd();

    THtmlScanSource source_;
    bool hasPendingChar_ = false;
    unsigned char pendingChar_ = 0;
    bool inComment_ = false;
};

} // namespace htmlview
