#include "dictionary/unitDictionary.h"

#include "dictionary/dictionaryFiles.h"
#include "dictionary/fileLib.h"
#include "dictionary/indexTempFile.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Progress.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dictionary {

std::vector<std::string> WordArray;
std::vector<int32_t> OffsetArray;

namespace {

using platform::TProgress;

// Attribute bits that keep an index from being rebuilt for its age, replaced or deleted.
constexpr uint32_t ProtectingAttributes = platform::faReadOnly | platform::faHidden | platform::faSysFile
    | platform::faVolumeID | platform::faDirectory;

constexpr size_t BuildBlockSize = 65535;  // bytes examined between two message checks
constexpr size_t EntryReadLimit = 65535;  // bytes of an entry that ReadWordAt looks at
constexpr size_t ListReadLimit = 256;     // bytes of an entry that the word list looks at
constexpr size_t FirstEntryChunk = 1024;  // most entries end within it
constexpr int32_t WordListLimit = 10'000'000;

const TDictionaryTranslation EnglishTexts{
    " at position",
    " at word #",
    "Error level #",
    "Extended error #",
    "GetWord: Error in ",
    "GetWord: File I/O error in ",
    "Initialize: Dictionary is not initialized",
    "Initialize: Dictionary file not found",
    "Lexorim: File I/O read error",
    "Lexorim: File I/O write error",
    "Lexorim: Too many [",
    "Lexorim: Too many ]",
    "Lexorim: Error",
    "Undefined error.",
};

const TDictionaryTranslation FrenchTexts{
    " \xE0 la position",
    " au mot n\xB0",
    "Erreur n\xB0",
    "Erreur \xE9tendue n\xB0",
    "GetWord: Erreur dans ",
    "GetWord: Erreur d'acc\xE8s au fichier ",
    "Initialize: Le dictionnaire n'est pas initialis\xE9",
    "Initialize: Le dictionnaire est introuvable",
    "Lexorim: Erreur en lecture",
    "Lexorim: Erreur en \xE9"
    "criture",
    "Lexorim: Trop de [",
    "Lexorim: Trop de ]",
    "Lexorim: Erreur",
    "Erreur non d\xE9"
    "finie.",
};

void SetRange(TProgress* progress, int minimum, int maximum)
{
    if (progress) {
        progress->SetMinimum(minimum);
        progress->SetMaximum(maximum);
    }
}

void SetPosition(TProgress* progress, int position)
{
    if (progress)
        progress->SetPosition(position);
}

// Start and length of the bytes read for an entry at Offset, which lies within a file of Size
// > 0 bytes: an entry at the very end reads the last byte.
struct TEntrySpan {
    int64_t Start;
    size_t Count;
};
TEntrySpan EntrySpan(int64_t offset, int64_t size, size_t limit)
{
    const size_t count = static_cast<size_t>(std::min(static_cast<int64_t>(limit), size - offset));
    return count == 0 ? TEntrySpan{offset - 1, 1} : TEntrySpan{offset, count};
}

bool OffsetInFile(int64_t offset, int64_t size)
{
    return size > 0 && offset >= 0 && offset <= size;
}

// Two names of one existing file.
bool SameFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    return std::filesystem::equivalent(platform::NativePath(first), platform::NativePath(second), error);
}

// --- Building the index ---

// Brackets are looked for 64 bytes at a time: a bit per byte, byte I of a chunk bit I.
constexpr size_t ChunkSize = 64;
// The entry ends of so many bytes are gathered before their lines are written in one run, which
// keeps the line formatting out of the branches of the bracket search.
constexpr size_t StretchSize = 16 * ChunkSize;
// Brackets alternate, so a stretch ends at most half as many entries as it has bytes.
constexpr size_t MostEndsPerStretch = StretchSize / 2;

struct TBracketMasks {
    uint64_t Opens = 0;
    uint64_t Closes = 0;
};

// The brackets among the ChunkSize bytes at Bytes (all readable), of which Available count.
TBracketMasks FindBrackets(const char* bytes, size_t available)
{
    TBracketMasks found;
#if defined(__SSE2__)
    const __m128i open = _mm_set1_epi8('[');
    const __m128i close = _mm_set1_epi8(']');
    const auto matches = [](__m128i part, __m128i wanted) {
        return uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(part, wanted)))};
    };
    const auto* parts = reinterpret_cast<const __m128i*>(bytes);
    const __m128i part0 = _mm_loadu_si128(parts);
    const __m128i part1 = _mm_loadu_si128(parts + 1);
    const __m128i part2 = _mm_loadu_si128(parts + 2);
    const __m128i part3 = _mm_loadu_si128(parts + 3);
    found.Opens = matches(part0, open) | matches(part1, open) << 16 | matches(part2, open) << 32
        | matches(part3, open) << 48;
    found.Closes = matches(part0, close) | matches(part1, close) << 16 | matches(part2, close) << 32
        | matches(part3, close) << 48;
#else
    for (size_t i = 0; i < ChunkSize; ++i) {
        found.Opens |= uint64_t{bytes[i] == '['} << i;
        found.Closes |= uint64_t{bytes[i] == ']'} << i;
    }
#endif
    if (available < ChunkSize) {
        const uint64_t inside = (uint64_t{1} << available) - 1;
        found.Opens &= inside;
        found.Closes &= inside;
    }
    return found;
}

// Bit I: whether an odd number of Bits are set at positions 0 to I.
uint64_t OddPrefixes(uint64_t bits)
{
    bits ^= bits << 1;
    bits ^= bits << 2;
    bits ^= bits << 4;
    bits ^= bits << 8;
    bits ^= bits << 16;
    bits ^= bits << 32;
    return bits;
}

// The brackets of a pass, chunk after chunk, up to the first one out of turn. They alternate
// until then, so the "[" met are the "]" met, plus one inside a definition.
struct TBracketAlternation {
    int32_t Closes = 0;
    bool InDefinition = false;    // the last bracket was "["; a pass starts as if a "]" came before
    int32_t Misplaced = errNone;  // errOpenBracket or errCloseBracket once a bracket is out of turn
    int32_t OpensAtMisplaced = 0; // the "[" met by then, the misplaced one included

    // Follows the brackets among the ChunkSize bytes at Bytes (all readable), of which Available
    // count and the first lies at Offset in the dictionary. Adds at Ends the offset just after
    // each "]" before any misplaced bracket, where the next word starts; returns how many.
    size_t Follow(const char* bytes, size_t available, uint32_t offset, uint32_t* ends)
    {
        const TBracketMasks found = FindBrackets(bytes, available);
        // In a word, the chunk's odd brackets must be "[" and its even ones "]"; in a definition
        // the other way round.
        const uint64_t odd = OddPrefixes(found.Opens | found.Closes);
        const uint64_t opensDue = InDefinition ? ~odd : odd;
        const uint64_t misplaced = (found.Opens & ~opensDue) | (found.Closes & opensDue);
        const uint64_t firstMisplaced = misplaced & (0 - misplaced);
        size_t count = 0;
        for (uint64_t bits = found.Closes & (firstMisplaced - 1); bits != 0; bits &= bits - 1)
            ends[count++] = offset + static_cast<uint32_t>(std::countr_zero(bits)) + 1;
        Closes += static_cast<int32_t>(count);
        if (misplaced == 0) {
            InDefinition ^= (odd >> 63) != 0; // an odd number of brackets in the chunk
            return count;
        }
        // A "[" there follows a "[", a "]" follows a "]".
        const bool open = (found.Opens & firstMisplaced) != 0;
        Misplaced = open ? errOpenBracket : errCloseBracket;
        OpensAtMisplaced = open ? Closes + 2 : Closes;
        return count;
    }
};

bool WriteIndexLines(TIndexTempFile& writer, const uint32_t* ends, size_t count)
{
    if (count == 0)
        return true;
    char* lines = writer.LineRoom(count);
    if (!lines)
        return false;
    for (size_t i = 0; i < count; ++i)
        FormatIndexLine(ends[i], lines + i * IndexLineLength);
    writer.AddLines(count);
    return true;
}

// Examines the dictionary's brackets and writes one line per "]". Sets Code and Extended, but
// leaves Extended alone when the index cannot be written.
void ScanBrackets(std::FILE* source, int32_t size, const std::string& path, TIndexTempFile& writer,
                  TProgress* progress, TDictionaryError& error)
{
    TBracketAlternation brackets;
    bool written = true;
    std::vector<char> block(BuildBlockSize + ChunkSize); // the last chunk may read past the bytes
    uint32_t ends[MostEndsPerStretch];
    int32_t position = 0;
    while (position < size && brackets.Misplaced == errNone && written) {
        platform::ProcessMessages();
        SetPosition(progress, position);
        const size_t count = std::min<size_t>(BuildBlockSize, static_cast<size_t>(size - position));
        ReadAt(source, position, count, block.data(), path);
        for (size_t stretch = 0; stretch < count && brackets.Misplaced == errNone && written; stretch += StretchSize) {
            const size_t stretchEnd = std::min(count, stretch + StretchSize);
            size_t found = 0;
            for (size_t at = stretch; at < stretchEnd && brackets.Misplaced == errNone; at += ChunkSize)
                found += brackets.Follow(block.data() + at, count - at,
                                         static_cast<uint32_t>(position) + static_cast<uint32_t>(at), ends + found);
            // The lines come before a misplaced bracket after them: when they cannot be written,
            // that is the error.
            written = WriteIndexLines(writer, ends, found);
        }
        position += static_cast<int32_t>(count);
    }
    SetPosition(progress, size);
    if (!written) {
        error.Code = errIndexWrite;
    } else if (brackets.Misplaced != errNone) {
        error.Code = brackets.Misplaced;
        error.Extended = brackets.OpensAtMisplaced;
    } else {
        // A last "[" that is never closed is as wrong as one that comes too early.
        error.Code = brackets.InDefinition ? errOpenBracket : errNone;
        error.Extended = brackets.InDefinition ? brackets.Closes + 1 : brackets.Closes;
    }
}

// Rebuilds the index from the dictionary. The index is replaced only by a pass that succeeds;
// one that fails or raises leaves it as it was.
void RebuildIndex(const TDictionaryFile& dict, bool mayReplaceIndex, TProgress* progress, TDictionaryError& error)
{
    TFileHandle source = OpenForReading(dict.FileName);
    const int64_t size = FileLength(source.get(), dict.FileName);
    // Offsets in the index and in every reader are 32-bit.
    if (size > std::numeric_limits<int32_t>::max())
        throw platform::EInOutError("Dictionary file too large: \"" + dict.FileName + "\"");
    SetRange(progress, 0, static_cast<int>(size));

    TIndexTempFile index;
    if (!mayReplaceIndex || !index.Create(dict.IndexFileName) || !index.Write(static_cast<uint32_t>(size))
        || !index.Write(0)) {
        error.Code = errIndexWrite;
        return;
    }
    ScanBrackets(source.get(), static_cast<int32_t>(size), dict.FileName, index, progress, error);
    if (error.Code == errNone && !index.Commit())
        error.Code = errIndexWrite;
}

// An index that is no whole number of lines, or lacks the two lines every index has, was not
// left by a finished pass.
bool IndexShapeBroken(const std::string& indexPath)
{
    struct stat info {};
    if (::stat(platform::NativePath(indexPath).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const int64_t lineLength = IndexLineLength;
    return info.st_size < 2 * lineLength || info.st_size % lineLength != 0;
}

// Takes the index as it stands: its word count from its size alone.
void CountIndexWords(const TDictionaryFile& dict, TDictionaryError& error)
{
    TFileHandle index = OpenForReading(dict.IndexFileName);
    const int64_t size = FileLength(index.get(), dict.IndexFileName);
    const int64_t lineLength = IndexLineLength;
    error.Code = errNone;
    error.Extended = static_cast<int32_t>((size - 2 * lineLength) / lineLength);
}

// --- Reading entries ---

// The text of an entry as far as reading it needs: up to the first NUL, or until the first "["
// and a "]" after it are in, within Limit bytes from Start or up to the end of the file. More
// bytes could not change the result, so most entries cost one small read.
struct TEntryText {
    std::string Text;
    size_t BytesRead = 0; // 0: Start lies at or past the end of the file
};
TEntryText ReadEntryText(std::FILE* file, int64_t start, size_t limit, const std::string& path)
{
    TEntryText entry;
    std::string& text = entry.Text;
    size_t chunk = FirstEntryChunk;
    while (entry.BytesRead < limit) {
        const size_t have = entry.BytesRead;
        const size_t wanted = std::min(chunk, limit - have);
        text.resize(have + wanted);
        const size_t got = ReadUpTo(file, start + static_cast<int64_t>(have), wanted, text.data() + have, path);
        text.resize(have + got);
        entry.BytesRead += got;
        const size_t nul = text.find('\0', have);
        if (nul != std::string::npos) {
            text.resize(nul);
            break;
        }
        const size_t open = text.find('[');
        if (got < wanted || (open != std::string::npos && text.find(']', open + 1) != std::string::npos))
            break;
        chunk *= 2;
    }
    return entry;
}

// The word lies before the first "[" or, when a "]" of the previous definition comes first,
// between that "]" and the "["; the definition lies between the "[" and the next "]".
void ParseEntry(const std::string& text, TDictionaryWord& word)
{
    word.Word.clear();
    word.Definition.clear();
    const size_t open = text.find('[');
    if (open == std::string::npos)
        return;
    const size_t close = text.find(']');
    const size_t wordStart = close < open ? close + 1 : 0;
    word.Word = TrimBlanks(std::string_view(text).substr(wordStart, open - wordStart));
    const size_t end = text.find(']', open + 1);
    if (end != std::string::npos) {
        word.Definition = TrimBlanks(std::string_view(text).substr(open + 1, end - open - 1));
        RemoveControlBytes(word.Definition);
    }
}

// An index line's value; a line that is no number (an empty one past the end of the index
// too) raises the conversion error.
int32_t IndexLineValue(const std::string& line)
{
    int32_t value = 0;
    if (!ParseIndexLine(line, value))
        throw platform::EConvertError("'" + line + "' is not a valid integer value");
    return value;
}

// The offset on line N + 1 of the index, for N from 0.
int32_t ReadIndexOffset(std::FILE* index, const std::string& path, int n)
{
    TLineReader lines(index, path);
    lines.Skip(n);
    return IndexLineValue(lines.Next());
}

// The word as the word list shows it: the text before the entry's "[" within its first bytes.
std::string ListWordAt(TWindowReader& reader, int64_t size, int32_t offset)
{
    if (!OffsetInFile(offset, size))
        return std::string();
    const TEntrySpan span = EntrySpan(offset, size, ListReadLimit);
    std::string_view bytes = reader.Read(span.Start, span.Count);
    // A "[" in the very first byte is not looked for.
    bytes = bytes.substr(0, bytes.find('[', 1));
    return TrimBlanks(bytes.substr(0, bytes.find('\0')));
}

void EnsureWordArrays(size_t entries)
{
    if (WordArray.size() < entries)
        WordArray.resize(entries);
    if (OffsetArray.size() < entries)
        OffsetArray.resize(entries);
}

} // namespace

bool SetDictionaryLanguage(TDictionaryTranslation& translation, int languageCode)
{
    translation = languageCode == LanguageEnglish ? EnglishTexts : FrenchTexts;
    return true;
}

bool FormatDictionaryError(const TDictionaryFile& dict, const TDictionaryTranslation& translation,
                           TDictionaryError& error)
{
    // The page is Windows-1252: a name in other letters shows them as "?", never escaped.
    const std::string path = platform::PathToPageText(dict.FileName);
    const std::string indexHeader = translation.IndexError + ": " + path + "<br>";
    std::string message;
    switch (error.Code) {
    case errNoWord:
        message = translation.GetWordError + ": " + path;
        break;
    case errIndexOpen:
        message = translation.GetWordIOError + ": " + path;
        break;
    case errNotInitialized:
        message = translation.NotInitialized + ": " + path;
        break;
    case errFileNotFound:
        message = path + ": " + translation.FileNotFound;
        break;
    case errIndexRead:
        message = translation.IndexReadError + ": " + path;
        break;
    case errIndexWrite:
        message = indexHeader + translation.IndexWriteError + ": " + path;
        break;
    case errOpenBracket:
        message = indexHeader + translation.TooManyOpenBrackets + translation.AtWord + std::to_string(error.Extended);
        break;
    case errCloseBracket:
        message = indexHeader + translation.TooManyCloseBrackets + translation.AtWord + std::to_string(error.Extended);
        break;
    case errIndex:
        message = translation.IndexError + ": " + path;
        break;
    default:
        message = translation.UndefinedError + "<br>" + translation.ErrorLevel + ": " + std::to_string(error.Code)
            + "<br>" + translation.ExtendedError + ": " + std::to_string(error.Extended);
        break;
    }
    error.Message = message;
    error.Text = message;
    return true;
}

bool Initialize(const std::string& fileName, TDictionaryFile& dict, platform::TProgress* progressBar,
                bool allocateWordArrays, TDictionaryError& error)
{
    std::string fullPath;
    GetFullPath(fileName, fullPath);
    uint32_t fileAge = 0;
    if (!platform::FileAgeFat(fullPath, fileAge)) {
        error.Code = errFileNotFound;
        return false;
    }
    dict.Initialized = 0;
    dict.FileName = fullPath;
    dict.Name = platform::ExtractFileName(fullPath);
    dict.IndexFileName = platform::ChangeFileExt(fullPath, ".ndx");
    dict.IndexName = platform::ExtractFileName(dict.IndexFileName);
    dict.InfoFileName = platform::ChangeFileExt(fullPath, ".htm");
    dict.InfoName = platform::ExtractFileName(dict.InfoFileName);

    const TFileAgeComparison ages = CompareFileAge(dict.FileName, dict.IndexFileName);
    if (ages == acFirstHasNoAge || ages == acNeitherHasAge) {
        error.Code = errFileNotFound;
        return false;
    }
    if (!Lexorim(dict, false, progressBar, error))
        return false;
    dict.WordCount = error.Extended;
    dict.Initialized = 1;
    if (allocateWordArrays) {
        const size_t entries = static_cast<size_t>(dict.WordCount) + 1;
        WordArray.resize(entries);
        OffsetArray.resize(entries);
    }
    return true;
}

bool Lexorim(TDictionaryFile& dict, bool force, platform::TProgress* progressBar, TDictionaryError& error)
{
    error.Code = errNone;
    const TFileAgeComparison ages = CompareFileAge(dict.FileName, dict.IndexFileName);
    uint32_t attributes = 0;
    const bool indexExists = platform::GetFileAttributes(dict.IndexFileName, attributes);
    // A missing index counts as having every attribute. An existing one may be replaced or
    // deleted only when it has none of the protecting ones (as root, permissions alone would not
    // stop the write), and never when it is the dictionary itself, by its name or through a link.
    const bool plainIndex = indexExists && (attributes & ProtectingAttributes) == 0
        && !SameFile(dict.FileName, dict.IndexFileName);

    // A broken index is as stale as an older one: the count it gives would be wrong.
    const bool brokenIndex = indexExists && IndexShapeBroken(dict.IndexFileName);
    const bool stale = ages == acSecondOlder || brokenIndex;
    const bool rebuild = !platform::IsOnCdRomDrive(dict.FileName)
        && (ages == acSecondHasNoAge || force || (stale && plainIndex));
    if (rebuild) {
        RebuildIndex(dict, plainIndex || !indexExists, progressBar, error); // clears up strays too
    } else {
        // What a killed build left beside the index would otherwise wait for the next build.
        RemoveStrayIndexTempFiles(dict.IndexFileName);
        if (brokenIndex)
            error.Code = errIndexRead; // it may not be rebuilt, and gives no count
        else
            CountIndexWords(dict, error);
    }

    if (progressBar)
        progressBar->SetPosition(progressBar->Minimum());
    if (error.Code == errNone)
        return true;
    // A failed index goes when its attributes allow it, so the next opening tries again.
    if (plainIndex)
        platform::DeleteFile(dict.IndexFileName);
    return false;
}

bool ReadWordAt(const TDictionaryFile& dict, int32_t offset, TDictionaryError& error, TDictionaryWord& word)
{
    if (dict.Initialized == 0) {
        error.Code = errNotInitialized;
        return false;
    }
    TFileHandle file = OpenForReading(dict.FileName);
    // The read itself shows that most offsets lie inside the file; only the others need its size.
    TEntryText entry;
    if (offset >= 0)
        entry = ReadEntryText(file.get(), offset, EntryReadLimit, dict.FileName);
    if (entry.BytesRead == 0) {
        const int64_t size = FileLength(file.get(), dict.FileName);
        if (!OffsetInFile(offset, size)) {
            word.Word.clear();
            word.Definition.clear();
            error.Code = errNoWord;
            return false;
        }
        const TEntrySpan last = EntrySpan(offset, size, EntryReadLimit);
        entry = ReadEntryText(file.get(), last.Start, last.Count, dict.FileName);
    }
    file.reset();

    ParseEntry(entry.Text, word);
    if (word.Word.empty())
        return false;
    word.Offset = offset;
    return true;
}

bool GetWord(const TDictionaryFile& dict, int n, TDictionaryWord& word, TDictionaryError& error)
{
    if (dict.Initialized == 0) {
        error.Code = errNotInitialized;
        return false;
    }
    TFileHandle index = OpenRawFile(dict.IndexFileName);
    if (!index) {
        error.Code = errIndexOpen;
        return false;
    }
    // A number below 0 names no line at all: no word, as for any other number with none.
    const bool found = n >= 0;
    const int32_t offset = found ? ReadIndexOffset(index.get(), dict.IndexFileName, n) : 0;
    index.reset();
    if (found && ReadWordAt(dict, offset, error, word)) {
        error.Code = errNone;
        return true;
    }
    error.Code = errNoWord;
    return false;
}

bool LoadWordList(const TDictionaryFile& dict, platform::TProgress* progressBar)
{
    TFileHandle index = OpenRawFile(dict.IndexFileName);
    if (!index)
        return true; // nothing to load
    SetRange(progressBar, 1, dict.WordCount);
    SetPosition(progressBar, 1);
    TFileHandle source = OpenForReading(dict.FileName);
    const int64_t size = FileLength(source.get(), dict.FileName);
    if (progressBar)
        progressBar->Repaint();

    TLineReader lines(index.get(), dict.IndexFileName);
    lines.Skip(1);
    const int32_t last = dict.WordCount > WordListLimit ? WordListLimit - 1 : dict.WordCount;
    // Never write past the arrays, whoever sized them: also a handler run between two words.
    const size_t entries = static_cast<size_t>(std::max(last, 0)) + 1;
    EnsureWordArrays(entries);
    TWindowReader reader(source.get(), size, dict.FileName);
    for (int32_t i = 1; i <= last; ++i) {
        const int32_t offset = IndexLineValue(lines.Next());
        EnsureWordArrays(entries);
        OffsetArray[i] = offset;
        std::string word = ListWordAt(reader, size, offset);
        if (!word.empty())
            WordArray[i] = std::move(word);
        if (progressBar) {
            progressBar->SetPosition(i);
            progressBar->Repaint();
        }
        platform::ProcessMessages();
    }
    SetPosition(progressBar, 1);
    return true;
}

} // namespace dictionary
