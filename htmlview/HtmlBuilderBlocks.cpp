// Preformatted text and plain text files, the head elements and scripts.
#include "htmlview/HtmlBuilderState.h"
#include "htmlview/ListSections.h"
#include "htmlview/SectionList.h"

#include <string_view>

namespace htmlview {

using enum HtmlToken;

void THtmlBuilder::ParseText()
{
    NextChar();
    ReadPreformatted(0, false);
}

void THtmlBuilder::StartPreformattedLine(int32_t level)
{
    OpenSection(std::make_unique<TPreFormated>(Document, level, &CurrentLink, TopFont(), CurrentStyle));
}

void THtmlBuilder::AppendLine(std::string& line)
{
    CurrentSection->AppendText(line);
    line.clear();
}

void THtmlBuilder::EndPreformattedLine(int32_t level, std::string& line)
{
    AppendLine(line);
    CloseSection();
    StartPreformattedLine(level);
}

void THtmlBuilder::ReadPreformatted(int32_t level, bool markup)
{
    CloseSection();
    PushFont();
    SetMonospaced(TopFont());
    StartPreformattedLine(level);
    std::string line;
    InPreformatted = true;
    for (bool done = false; !done;) {
        const unsigned char c = CurrentChar;
        if (c == EndOfInputChar) {
            done = true;
        } else if (c == '\r') {
            EndPreformattedLine(level, line);
            NextChar();
        } else if (markup && c == '&') {
            NextToken();
            line += TokenText;
        } else if (markup && c == '<') {
            NextToken();
            done = PreformattedTag(level, line);
        } else {
            line += static_cast<char>(c);
            if (line.size() > PreformattedPiece)
                AppendLine(line);
            NextChar();
        }
    }
    AppendLine(line);
    CloseSection();
    InPreformatted = false;
    PopFont();
    NextToken();
}

bool THtmlBuilder::PreformattedTag(int32_t level, std::string& line)
{
    switch (Token) {
    case PreEnd:
    case TdEnd:
    case ThEnd:
        return true;
    case PTag:
    case BrTag:
        EndPreformattedLine(level, line);
        if (CurrentChar == '\r')
            NextChar();
        break;
    case ATag:
        ParseAnchorTag(level, &line);
        break;
    case AEnd:
        AppendLine(line);
        EndLink();
        break;
    case FontTag:
    case BaseFontTag:
        AppendLine(line);
        if (ApplyFontTag(Token, true))
            ChangeFont();
        break;
    case FontEnd:
        PopFont();
        AppendLine(line);
        ChangeFont();
        break;
    default:
        if (ParseObjectTag(level, &line))
            break;
        if (ApplyStyleTag(Token)) {
            AppendLine(line);
            ChangeFont();
        }
        // Any other tag, and a "<" that was only text, is dropped.
        break;
    }
    return false;
}

void THtmlBuilder::ParseTitle()
{
    Head.Title.clear();
    NextToken();
    while (Token == TextToken) {
        Head.Title += TokenText;
        NextToken();
    }
}

void THtmlBuilder::ParseBase()
{
    if (const TAttribute* href = Attribute(HrefAttr))
        Head.BaseHref = href->ValueText;
    if (const TAttribute* target = Attribute(TargetAttr))
        Head.BaseTarget = target->ValueText;
    NextToken();
}

void THtmlBuilder::ParseBgSound()
{
    const TAttribute* src = Attribute(SrcAttr);
    if (Handlers.Sound && src) {
        const TAttribute* loop = Attribute(LoopAttr);
        Handlers.Sound(src->ValueText, loop ? loop->ValueNumber : 1);
    }
    NextToken();
}

void THtmlBuilder::ParseMeta()
{
    if (Handlers.Meta)
        Handlers.Meta(AttributeText(HttpEquivAttr), AttributeText(NameAttr), AttributeText(ContentAttr));
    NextToken();
}

void THtmlBuilder::ParseScript()
{
    // Read past, the script leaves no trace: comments inside it are skipped as in page text, so a
    // "</script>" within one does not end it.
    if (!Document.ScriptHandler) {
        LeaveScriptMode();
        do
            NextScriptToken();
        while (Token != ScriptEnd && Token != EndOfInputToken);
        return;
    }
    // For the handler, comments are script text: script mode began with the SCRIPT tag itself
    // and ends with the end tag or the end of input.
    const std::string language = AttributeText(LanguageAttr);
    std::string script;
    script.reserve(ScriptBufferStart);
    for (NextScriptToken(); Token != ScriptEnd && Token != EndOfInputToken; NextScriptToken())
        script += Token == EndOfLineToken ? std::string_view("\r\n") : std::string_view(TokenText);
    Document.ScriptHandler(language, std::move(script));
}

} // namespace htmlview
