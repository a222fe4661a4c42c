#include "htmlview/HtmlScanner.h"

#include "platform/TextTrim.h"

#include <string_view>

namespace htmlview {

namespace {

using enum HtmlToken;

constexpr size_t MaxTextRunLength = 100;
constexpr size_t MaxEntityDigits = 6;
constexpr size_t MaxScriptProbeLetters = 7;
constexpr std::string_view TextAreaEndProbe = "</textarea";
constexpr std::string_view ScriptEndProbe = "</script>";

unsigned char UpperChar(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

unsigned char LowerChar(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool IsLetter(unsigned char upper) { return upper >= 'A' && upper <= 'Z'; }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; }

unsigned char LowerChar(char c)
{
    return LowerChar(static_cast<unsigned char>(c));
}

bool SameAsciiText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != LowerChar(b[i]))
            return false;
    return true;
}

// A signed decimal number that fits 32 bits; anything else is no number.
bool ParseInt32(std::string_view text, int32_t& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(static_cast<unsigned char>(text[i])))
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > int64_t{INT32_MAX} + 1)
            return false;
    }
    const int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX)
        return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}

int32_t NumberOrZero(std::string_view text)
{
    int32_t value = 0;
    return ParseInt32(text, value) ? value : 0;
}

// A quoted value's number: one trailing "%" is allowed, any other makes it no number.
int32_t QuotedNumber(std::string_view text)
{
    if (!text.empty() && text.back() == '%')
        text.remove_suffix(1);
    return NumberOrZero(text);
}

bool ClearsParagraphSpace(HtmlToken token)
{
    switch (token) {
    case BrTag: case HeadingTag: case HrTag: case ImgTag: case TextToken: case TableTag:
    case InputTag: case TextAreaTag: case SelectTag:
        return true;
    default:
        return false;
    }
}

// Number of "-" at the end of Text.
size_t TrailingDashes(const std::string& text)
{
    const size_t last = text.find_last_not_of('-');
    return last == std::string::npos ? text.size() : text.size() - last - 1;
}

} // namespace

TAttribute* TAttributeList::FindAttribute(HtmlToken kind) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Kind == kind)
            return Items(i);
    return nullptr;
}

void THtmlScanner::SetBufferSource(const char* text, size_t length)
{
    ResetScanState();
    source_.SetBuffer(text, length);
}

void THtmlScanner::SetFileSource(const std::string& fileName)
{
    ResetScanState();
    source_.OpenFile(fileName);
}

void THtmlScanner::ResetScanState()
{
    hasPendingChar_ = false;
    inComment_ = false;
    InScript = false;
    InPreformatted = false;
    ParagraphSpaceDone = false;
    CurrentChar = CurrentUpper = EndOfInputChar;
    Token = EndOfInputToken;
    TokenText.clear();
    HeadingLevel = 0;
    AttributeList.Clear();
}

unsigned char THtmlScanner::TakeRawChar()
{
    if (hasPendingChar_) {
        hasPendingChar_ = false;
        return pendingChar_;
    }
    return source_.Read();
}

void THtmlScanner::ReadChar()
{
    unsigned char c = TakeRawChar();
    if (c == '\n' || c == '\r') {
        // CR, LF, CR LF and LF CR each make one line end.
        const unsigned char partner = c == '\n' ? '\r' : '\n';
        const unsigned char next = source_.Read();
        if (next != partner) {
            pendingChar_ = next;
            hasPendingChar_ = true;
        }
        c = '\r';
    } else if (c == '\t') {
        c = ' ';
    }
    CurrentChar = c;
    CurrentUpper = UpperChar(c);
    if (c == EndOfInputChar && inComment_)
        throw EParseError();
}

void THtmlScanner::NextChar()
{
    ReadChar();
    SkipCommentsHere();
}

void THtmlScanner::SkipCommentsHere()
{
    // Inside script text "<!" is text.
    while (CurrentChar == '<' && !InScript && SkipCommentOpenedHere())
        ReadChar();
}

bool THtmlScanner::SkipCommentOpenedHere()
{
    const unsigned char c = TakeRawChar();
    if (c != '!') {
        pendingChar_ = c;
        hasPendingChar_ = true;
        return false;
    }
    // A comment met inside another (in an include comment's parameters) is skipped whole and
    // never runs as an include: that one would switch the source in the middle of the outer
    // one's parameters, and such comments could nest without end.
    const bool nested = inComment_;
    struct TCommentScope {
        bool& flag;
        const bool outer;
        explicit TCommentScope(bool& f) : flag(f), outer(f) { flag = true; }
        ~TCommentScope() { flag = outer; }
    } commentScope(inComment_);
    ReadChar();
    if (CurrentChar != '-') {
        SkipDeclaration();
        return true;
    }
    ReadChar();
    if (CurrentChar != '-') {
        SkipDeclaration();
        return true;
    }
    ReadChar();
    if (IncludeHandler && CurrentChar == '#' && SourceKind() != TSourceKind::IncludeSource && !nested)
        RunIncludeComment();
    else
        SkipCommentBody();
    return true;
}

void THtmlScanner::LeaveScriptMode()
{
    if (!InScript)
        return;
    InScript = false;
    // A "<" read in script mode was taken as text; here it may open a comment.
    SkipCommentsHere();
}

void THtmlScanner::SkipDeclaration()
{
    while (CurrentChar != '>')
        ReadChar();
}

// From inside a comment to its closing ">": two dashes, maybe more dashes and blanks, then ">".
void THtmlScanner::SkipCommentBody()
{
    for (;;) {
        while (CurrentChar != '-')
            ReadChar();
        ReadChar();
        if (CurrentChar != '-')
            continue;
        while (CurrentChar == '-')
            ReadChar();
        while (CurrentChar == ' ' || CurrentChar == '\r')
            ReadChar();
        if (CurrentChar == '>')
            return;
    }
}

void THtmlScanner::RunIncludeComment()
{
    NextChar(); // past "#"
    std::string command;
    while (IsLetter(CurrentUpper)) {
        command += static_cast<char>(CurrentChar);
        NextChar();
    }
    std::vector<std::string> params;
    HtmlToken kind;
    std::string name;
    std::string text;
    int32_t number;
    auto paramLine = [](const std::string& upperName, const std::string& value) {
        return upperName + "=\"" + value + "\"";
    };
    std::string lastName;
    std::string lastValue;
    while (ScanAttribute(kind, name, text, number)) {
        params.push_back(paramLine(name, text));
        lastName = name;
        lastValue = text;
    }
    // An unquoted last value runs into the comment's closing dashes ("file=a.htm-->"): they
    // end the comment, not the value.
    const size_t dashes = TrailingDashes(lastValue);
    if (CurrentChar == '>' && dashes >= 2) {
        lastValue.resize(lastValue.size() - dashes);
        params.back() = paramLine(lastName, lastValue);
    } else {
        SkipCommentBody();
    }

    std::string buffer;
    IncludeHandler(command, std::move(params), buffer);
    source_.StartInclude(std::move(buffer));
}

void THtmlScanner::SkipWhiteSpace()
{
    while (IsBlank(CurrentChar))
        NextChar();
}

void THtmlScanner::SkipToTagEnd()
{
    while (CurrentChar != '>' && CurrentChar != EndOfInputChar)
        NextChar();
    if (CurrentChar == '>')
        NextChar();
}

void THtmlScanner::NextToken()
{
    // Script text is read by NextScriptToken alone; a SCRIPT tag that is not read as a script
    // leaves ordinary page text after it.
    LeaveScriptMode();
    TokenText.clear();
    if (CurrentChar == EndOfInputChar) {
        Token = EndOfInputToken;
    } else if (!ScanTag() && !ScanEntity() && !ScanTextRun()) {
        Token = OtherCharToken;
        TokenText = static_cast<char>(CurrentChar);
        NextChar();
    }
    if (ParagraphSpaceDone && ClearsParagraphSpace(Token))
        ParagraphSpaceDone = false;
}

bool THtmlScanner::ScanTextRun()
{
    TokenText.clear();
    auto isTextChar = [](unsigned char c) {
        return c == '\r' || (c >= 32 && c != '&' && c != '<' && c != '>');
    };
    while (TokenText.size() < MaxTextRunLength && isTextChar(CurrentChar)) {
        if (!InPreformatted && (CurrentChar == ' ' || CurrentChar == '\r')) {
            TokenText += ' ';
            SkipWhiteSpace();
        } else {
            TokenText += static_cast<char>(CurrentChar);
            NextChar();
        }
    }
    if (TokenText.empty())
        return false;
    Token = TextToken;
    return true;
}

bool THtmlScanner::ScanEntity()
{
    if (CurrentUpper != '&')
        return false;
    Token = TextToken;
    NextChar();
    if (CurrentChar == '#') {
        NextChar();
        std::string digits;
        while (digits.size() < MaxEntityDigits && IsDigit(CurrentChar)) {
            digits += static_cast<char>(CurrentChar);
            NextChar();
        }
        TokenText = "&#" + digits;
        if (digits.size() == MaxEntityDigits)
            return true;
        const bool semicolon = CurrentChar == ';';
        if (semicolon)
            NextChar();
        const int32_t value = NumberOrZero(digits);
        if (!digits.empty() && (value == 9 || value == 10 || (value >= 32 && value <= 255)))
            TokenText = value == 9 ? ' ' : static_cast<char>(value);
        else if (semicolon)
            TokenText += ';';
        return true;
    }
    std::string name;
    while (name.size() < MaxEntityNameLength && (IsLetter(CurrentUpper) || IsDigit(CurrentChar))) {
        name += static_cast<char>(CurrentChar);
        NextChar();
    }
    TokenText = "&" + name;
    if (name.size() == MaxEntityNameLength)
        return true;
    const bool semicolon = CurrentChar == ';';
    if (semicolon)
        NextChar();
    unsigned char character;
    if (LookupEntity(name, character))
        TokenText = static_cast<char>(character);
    else if (semicolon)
        TokenText += ';';
    return true;
}

bool THtmlScanner::ScanTag()
{
    if (CurrentUpper != '<')
        return false;
    NextChar();
    const bool endTag = CurrentChar == '/';
    if (endTag) {
        NextChar();
    } else if (!IsLetter(CurrentUpper)) {
        Token = TextToken;
        TokenText = "<";
        return true;
    }
    std::string name;
    while (IsLetter(CurrentUpper)) {
        if (name.size() < MaxTagNameLength)
            name += static_cast<char>(CurrentUpper);
        NextChar();
    }
    Token = LookupTag(name, endTag);
    SkipWhiteSpace();
    HeadingLevel = 0;
    if ((Token == HeadingTag || Token == HeadingEnd) && CurrentChar >= '1' && CurrentChar <= '6') {
        HeadingLevel = CurrentChar - '0';
        NextChar();
    }
    const bool keepsAttributes = IsAttributeBearing(Token);
    if (keepsAttributes)
        AttributeList.Clear();
    HtmlToken kind;
    std::string attributeName;
    std::string text;
    int32_t number;
    while (ScanAttribute(kind, attributeName, text, number))
        if (keepsAttributes)
            AttributeList.Add(std::make_unique<TAttribute>(TAttribute{kind, number, text}));
    // The script's text starts right after its tag: a comment opened there is script text, so
    // that it reaches the script handler and a comment left open cannot swallow the page.
    if (Token == ScriptTag)
        InScript = true;
    SkipToTagEnd();
    return true;
}

bool THtmlScanner::ScanAttribute(HtmlToken& kind, std::string& name, std::string& text,
                                 int32_t& number)
{
    SkipWhiteSpace();
    if (!IsLetter(CurrentUpper))
        return false;
    name.clear();
    while (IsLetter(CurrentUpper) || CurrentUpper == '-') {
        if (name.size() < MaxTagNameLength)
            name += static_cast<char>(CurrentUpper);
        NextChar();
    }
    kind = LookupAttribute(name);
    SkipWhiteSpace();
    text.clear();
    number = kind == BorderAttr ? 1 : 0; // a bare BORDER means a border of 1
    if (CurrentChar != '=')
        return true;
    NextChar();
    SkipWhiteSpace();
    if (CurrentChar == '"' || CurrentChar == '\'')
        ScanQuotedValue(text, number);
    else if (CurrentChar == '+' || CurrentChar == '-' || IsDigit(CurrentChar))
        ScanNumberValue(text, number);
    else
        ScanBareValue(text);
    return true;
}

void THtmlScanner::ScanQuotedValue(std::string& text, int32_t& number)
{
    // Entities of the value go through the token reader, and the value may belong to an include
    // comment met in the middle of a token: the token is put back whole afterwards.
    const unsigned char quote = CurrentChar;
    const HtmlToken savedToken = Token;
    const std::string savedText = TokenText;
    NextChar();
    while (CurrentChar != quote && CurrentChar != EndOfInputChar) {
        if (CurrentChar == '\r') {
            NextChar();
        } else if (ScanEntity()) {
            text += TokenText;
        } else {
            text += static_cast<char>(CurrentChar);
            NextChar();
        }
    }
    if (CurrentChar == quote)
        NextChar();
    Token = savedToken;
    TokenText = savedText;
    text = platform::TrimControlAndSpace(text);
    number = QuotedNumber(text);
}

void THtmlScanner::ScanNumberValue(std::string& text, int32_t& number)
{
    auto endsNumber = [](unsigned char c) {
        return IsBlank(c) || c == EndOfInputChar || c == '%' || c == '>';
    };
    do {
        text += static_cast<char>(CurrentUpper);
        NextChar();
    } while (!endsNumber(CurrentChar));
    SkipWhiteSpace();
    number = NumberOrZero(text);
    if (CurrentChar == '%') {
        text += '%';
        NextChar();
    }
}

void THtmlScanner::ScanBareValue(std::string& text)
{
    while (!IsBlank(CurrentChar) && CurrentChar != EndOfInputChar && CurrentChar != '>') {
        text += static_cast<char>(CurrentChar);
        NextChar();
    }
}

void THtmlScanner::NextTextAreaToken()
{
    TokenText.clear();
    if (CurrentChar == EndOfInputChar) {
        Token = EndOfInputToken;
    } else if (CurrentChar == '\r') {
        Token = EndOfLineToken;
        NextChar();
    } else if (CurrentChar == '<') {
        ProbeTextAreaEnd();
    } else if (!ScanEntity()) {
        Token = TextToken;
        while (TokenText.size() < MaxTextRunLength && CurrentChar != '\r' &&
               CurrentChar != EndOfInputChar && CurrentChar != '&' && CurrentChar != '<') {
            TokenText += static_cast<char>(CurrentChar);
            NextChar();
        }
    }
}

// Reads "<" and what follows as typed, up to a blank or ">": the TEXTAREA end tag, or markup
// that the builder keeps as content. A further "<" ends it too, so that markup right before the
// end tag cannot swallow it.
void THtmlScanner::ProbeTextAreaEnd()
{
    auto endsProbe = [](unsigned char c) {
        return IsBlank(c) || c == '>' || c == '<' || c == EndOfInputChar;
    };
    TokenText = "<";
    NextChar();
    while (!endsProbe(CurrentChar)) {
        TokenText += static_cast<char>(CurrentChar);
        NextChar();
    }
    Token = SameAsciiText(TokenText, TextAreaEndProbe) ? TextAreaEnd : UnknownTagToken;
}

void THtmlScanner::NextScriptToken()
{
    TokenText.clear();
    if (CurrentChar == EndOfInputChar) {
        Token = EndOfInputToken;
        InScript = false;
    } else if (CurrentChar == '\r') {
        Token = EndOfLineToken;
        NextChar();
    } else if (CurrentChar == '<') {
        ProbeScriptEnd();
    } else {
        Token = TextToken;
        while (TokenText.size() < MaxTextRunLength && CurrentChar != '\r' &&
               CurrentChar != EndOfInputChar && CurrentChar != '<') {
            TokenText += static_cast<char>(CurrentChar);
            NextChar();
        }
    }
}

void THtmlScanner::ProbeScriptEnd()
{
    Token = UnknownTagToken;
    TokenText = "<";
    NextChar();
    for (size_t n = 0; n < MaxScriptProbeLetters && (CurrentChar == '/' || IsLetter(CurrentUpper));
         ++n) {
        TokenText += static_cast<char>(CurrentChar);
        NextChar();
    }
    if (CurrentChar != '>')
        return;
    TokenText += '>';
    if (SameAsciiText(TokenText, ScriptEndProbe)) {
        Token = ScriptEnd;
        // The page goes on after the end tag: comments count again from its ">" on.
        InScript = false;
    }
    NextChar();
}

} // namespace htmlview
