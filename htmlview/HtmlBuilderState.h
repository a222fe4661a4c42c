#pragma once
// The state of one parse and the builder's routines over it; used only by the builder's own
// sources. One object lives for one parse, so a parse never sees another one's state.
#include "htmlview/FontRuns.h"
#include "htmlview/HtmlBuilder.h"

#include <bitset>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace htmlview {

class TCell;
class TImageObj;
class TListBoxFormControlObj;
class TSection;
class TTextAreaFormControlObj;
class ThtmlForm;

// A set of token kinds: the tokens at which a block hands back to the one that opened it.
class TTokenSet {
public:
    TTokenSet() = default;
    TTokenSet(std::initializer_list<HtmlToken> tokens);
    bool Has(HtmlToken token) const { return bits_.test(static_cast<size_t>(token)); }
    TTokenSet With(const TTokenSet& more) const;

private:
    std::bitset<256> bits_;
};

class THtmlBuilder : public THtmlScanner {
public:
    static constexpr int MaxFonts = 25;
    // Lists and divisions open inside each other at most this deep; deeper openers are read as
    // if they were absent, so no page can exhaust the stack here or in the layout.
    static constexpr int MaxNesting = 64;
    // Preformatted text reaches its section in pieces of about this size.
    static constexpr size_t PreformattedPiece = 200;
    // Room first made for a script's text, enough for most pages' scripts in one piece.
    static constexpr size_t ScriptBufferStart = 32500;

    THtmlBuilder(TSectionList& document, TAnchorList& anchorNames, TParsedHead& head,
                 const TParseHandlers& handlers);
    // Puts the open section into its column, also when an error ends the parse.
    ~THtmlBuilder();

    // After a source was set: the whole page, or a plain text file.
    void ParseHtml();
    void ParseText();

private:
    // Open section, fonts and links.
    TMyFont& TopFont() { return *FontStack.back(); }
    bool PushFont();
    void PopFont();
    void SetMonospaced(TMyFont& font);
    void OpenSection(std::unique_ptr<TSection> section);
    void StartSection(int32_t level, uint8_t alignment);
    void EnsureSection(int32_t level);
    void CloseSection();
    // The open section (if any) takes the top font and the style in force.
    void ChangeFont();
    // The same, and the link of the run: the open link, or none.
    void ChangeFontAndLink(bool linkStart);
    void EndLink();
    void AddRule();
    void AddAnchor(const std::string& name);
    // The picture of the current tag (IMG, or INPUT TYPE=IMAGE) into the open section.
    TImageObj& AddImage();
    const TAttribute* Attribute(HtmlToken kind) const { return AttributeList.FindAttribute(kind); }
    std::string AttributeText(HtmlToken kind) const;

    // Blocks (HtmlBuilder.cpp).
    void ParseBody(int32_t level, const TTokenSet& stops);
    void ParseBodyTag(int32_t level);
    void ParseDivision(int32_t level, const TTokenSet& stops);
    bool CanNest() const { return NestingDepth < MaxNesting; }

    // Text-level markup (HtmlBuilderInline.cpp).
    void ParseInline(int32_t level);
    void ParseParagraph(int32_t level);
    void ParseBreak(int32_t level);
    uint8_t ParagraphAlign() const;
    // B, I, U, S and their kin change CurrentStyle; false for any other token.
    bool ApplyStyleTag(HtmlToken token);
    bool ApplyFontTag(HtmlToken token, bool preformatted);
    bool ApplyBigSmall(HtmlToken token);
    // With PendingLine (inside preformatted text) that text goes to the section before each HREF,
    // and every HREF tells the section where the link starts.
    void ParseAnchorTag(int32_t level, std::string* pendingLine);
    // IMG, the form controls, FORM, MAP and SCRIPT, alike in running and in preformatted text
    // (where PendingLine goes to the section before a picture or a control); false for any other
    // token.
    bool ParseObjectTag(int32_t level, std::string* pendingLine);
    void ParseHeading(int32_t level);
    void ParseHeadingEnd();

    // Lists (HtmlBuilderLists.cpp).
    void ParseNestedList(int32_t level, HtmlToken kind, const TTokenSet& stops);
    void ParseList(int32_t level, HtmlToken kind, const TTokenSet& stops);

    // Preformatted text, head elements and scripts (HtmlBuilderBlocks.cpp).
    // With Markup, entities and tags are read inside the text; without, every character is text.
    void ReadPreformatted(int32_t level, bool markup);
    // A tag inside preformatted text; true when it ends the block.
    bool PreformattedTag(int32_t level, std::string& line);
    void StartPreformattedLine(int32_t level);
    void EndPreformattedLine(int32_t level, std::string& line);
    void AppendLine(std::string& line);
    void ParseTitle();
    void ParseBase();
    void ParseBgSound();
    void ParseMeta();
    // A SCRIPT's content, handed to the document's script handler or read past.
    void ParseScript();

    // Forms and maps (HtmlBuilderForms.cpp).
    void ParseFormTag();
    // The form new controls join; one is made when none is open.
    ThtmlForm& Form();
    // INPUT, SELECT (with its options) or TEXTAREA (with its text) into the open section.
    void AddFormControl(int32_t level);
    void ParseSelectOptions(TListBoxFormControlObj& list);
    void ParseTextAreaContent(TTextAreaFormControlObj& area);
    void ParseMap();

    // Tables (HtmlBuilderTables.cpp).
    struct TOpenTable;
    void ParseTable(int32_t level);
    void ParseTableTokens(TOpenTable& open);
    void StartTableCell(TOpenTable& open);
    void StartTableRow(TOpenTable& open);
    void ParseTableCaption(TOpenTable& open);
    void ParseTextBetweenCells(TOpenTable& open);
    // Pops the fonts and restores the style a cell or caption starts with.
    void ResetCellFonts(const TOpenTable& open);
    void CloseTableCell(TOpenTable& open);
    void CloseTableRow(TOpenTable& open);
    // Puts the table, with whatever was read of it, into the column that holds it.
    void FinishTable(TOpenTable& open);

    TSectionList& Document;
    TCell* CurrentCell;
    std::unique_ptr<TSection> CurrentSection;
    TAnchorList& AnchorNames;
    TParsedHead& Head;
    const TParseHandlers& Handlers;
    std::vector<std::unique_ptr<TMyFont>> FontStack; // the first is the base font
    TUrlTarget CurrentLink;
    bool InLink = false;
    uint8_t Justification = JustifyLeft;
    platform::TFontStyles CurrentStyle = 0;
    uint8_t CurrentScriptPosition = ScriptNormal;
    int32_t BaseFontSize = DefaultBaseFontSize;
    ThtmlForm* CurrentForm = nullptr; // owned by the document
    int NestingDepth = 0;

    friend class TNestingGuard;
};

// Counts one more open list or division while it lives.
class TNestingGuard {
public:
    explicit TNestingGuard(THtmlBuilder& builder) : Depth(builder.NestingDepth) { ++Depth; }
    ~TNestingGuard() { --Depth; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
    int& Depth;
};

// Token groups the blocks decide by.
bool IsInlineToken(HtmlToken token);
bool IsListStart(HtmlToken token);
bool IsListEnd(HtmlToken token);
extern const TTokenSet ListEnds;

} // namespace htmlview
