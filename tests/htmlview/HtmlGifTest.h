#pragma once
// A small GIF writer for the GIF tests: files are built block by block, so a test can leave
// out, break or repeat any part. Image data is LZW-compressed for real, or written
// "uncompressed" (a clear code every few pixels, so the code size never grows).
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace giftest {

// Colours are 0xRRGGBB.
using TPalette = std::vector<uint32_t>;

inline const TPalette& FourColors()
{
    static const TPalette palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    return palette;
}

class TBitWriter {
public:
    void Put(int code, int size)
    {
        Bits_ |= static_cast<uint64_t>(code) << Count_;
        Count_ += size;
        while (Count_ >= 8) {
            Bytes.push_back(static_cast<char>(Bits_ & 0xFF));
            Bits_ >>= 8;
            Count_ -= 8;
        }
    }
    std::string Finish()
    {
        if (Count_ > 0)
            Bytes.push_back(static_cast<char>(Bits_ & 0xFF));
        Bits_ = 0;
        Count_ = 0;
        return Bytes;
    }
    std::string Bytes;

private:
    uint64_t Bits_ = 0;
    int Count_ = 0;
};

// The code stream of Pixels (no sub-blocks yet). Compression needs a minimum code size of at
// least 2.
inline std::string LzwCodes(const std::vector<uint8_t>& pixels, int minCodeSize, bool compress)
{
    const int clear = 1 << minCodeSize;
    int codeSize = minCodeSize + 1;
    TBitWriter out;
    out.Put(clear, codeSize);
    if (!compress) {
        // Few enough codes between clear codes that the decoder's table never needs a wider
        // code.
        const int perClear = clear > 2 ? clear - 2 : 1;
        int sinceClear = 0;
        for (const uint8_t pixel : pixels) {
            if (sinceClear == perClear) {
                out.Put(clear, codeSize);
                sinceClear = 0;
            }
            out.Put(pixel, codeSize);
            ++sinceClear;
        }
    } else if (!pixels.empty()) {
        std::map<std::pair<int, int>, int> table;
        int next = clear + 2;
        int prefix = pixels[0];
        for (size_t i = 1; i < pixels.size(); ++i) {
            const auto found = table.find({prefix, pixels[i]});
            if (found != table.end()) {
                prefix = found->second;
                continue;
            }
            out.Put(prefix, codeSize);
            if (next < 4096) {
                table[{prefix, pixels[i]}] = next++;
                if (next > (1 << codeSize) && codeSize < 12)
                    ++codeSize;
            } else {
                out.Put(clear, codeSize);
                table.clear();
                next = clear + 2;
                codeSize = minCodeSize + 1;
            }
            prefix = pixels[i];
        }
        out.Put(prefix, codeSize);
    }
    out.Put(clear + 1, codeSize);
    return out.Finish();
}

// Data cut into sub-blocks of at most BlockSize bytes, with the terminator.
inline std::string SubBlocks(const std::string& data, size_t blockSize = 255)
{
    std::string out;
    for (size_t pos = 0; pos < data.size(); pos += blockSize) {
        const std::string part = data.substr(pos, blockSize);
        out.push_back(static_cast<char>(part.size()));
        out += part;
    }
    out.push_back('\0');
    return out;
}

struct TImage {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels; // row by row, top-down
    bool Interlaced = false;
    TPalette LocalColors;        // none: the global table
    int MinCodeSize = 2;
    bool Compress = false;
    size_t BlockSize = 255;
};

class TGifWriter {
public:
    TGifWriter& Header(int width, int height, const TPalette& globalColors = FourColors(),
                       const char* version = "89a")
    {
        Data_ = std::string("GIF") + version;
        Word(width);
        Word(height);
        Data_.push_back(static_cast<char>(globalColors.empty() ? 0 : 0x80 | (TableBits(globalColors) - 1)));
        Data_.push_back('\0'); // background
        Data_.push_back('\0'); // aspect
        Table(globalColors);
        return *this;
    }
    TGifWriter& Loop(int count)
    {
        Data_ += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
        Word(count);
        Data_.push_back('\0');
        return *this;
    }
    // Delay in hundredths of a second; TransparentIndex -1 for none.
    TGifWriter& Control(int disposal, int delay, int transparentIndex = -1)
    {
        Data_ += "\x21\xF9\x04";
        Data_.push_back(static_cast<char>(disposal << 2 | (transparentIndex >= 0 ? 1 : 0)));
        Word(delay);
        Data_.push_back(static_cast<char>(transparentIndex >= 0 ? transparentIndex : 0));
        Data_.push_back('\0');
        return *this;
    }
    TGifWriter& Comment(const std::string& text)
    {
        Data_ += "\x21\xFE";
        Data_ += SubBlocks(text);
        return *this;
    }
    TGifWriter& Image(const TImage& image)
    {
        Data_.push_back(',');
        Word(image.Left);
        Word(image.Top);
        Word(image.Width);
        Word(image.Height);
        uint8_t flags = image.Interlaced ? 0x40 : 0;
        if (!image.LocalColors.empty())
            flags |= static_cast<uint8_t>(0x80 | (TableBits(image.LocalColors) - 1));
        Data_.push_back(static_cast<char>(flags));
        Table(image.LocalColors);
        const std::vector<uint8_t> stored = image.Interlaced ? Interlace(image) : image.Pixels;
        Data_.push_back(static_cast<char>(image.MinCodeSize));
        Data_ += SubBlocks(LzwCodes(stored, image.MinCodeSize, image.Compress), image.BlockSize);
        return *this;
    }
    TGifWriter& Raw(const std::string& bytes)
    {
        Data_ += bytes;
        return *this;
    }
    TGifWriter& Trailer()
    {
        Data_.push_back(';');
        return *this;
    }
    const std::string& Data() const { return Data_; }

private:
    static int TableBits(const TPalette& colors)
    {
        int bits = 1;
        while ((1u << bits) < colors.size())
            ++bits;
        return bits;
    }
    void Word(int value)
    {
        Data_.push_back(static_cast<char>(value & 0xFF));
        Data_.push_back(static_cast<char>((value >> 8) & 0xFF));
    }
    void Table(const TPalette& colors)
    {
        if (colors.empty())
            return;
        for (size_t i = 0; i < (size_t{1} << TableBits(colors)); ++i) {
            const uint32_t c = i < colors.size() ? colors[i] : 0;
            Data_.push_back(static_cast<char>(c >> 16));
            Data_.push_back(static_cast<char>(c >> 8));
            Data_.push_back(static_cast<char>(c));
        }
    }
    static std::vector<uint8_t> Interlace(const TImage& image)
    {
        std::vector<uint8_t> out;
        const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
        for (const auto& pass : passes)
            for (int row = pass[0]; row < image.Height; row += pass[1])
                out.insert(out.end(), image.Pixels.begin() + row * image.Width,
                           image.Pixels.begin() + (row + 1) * image.Width);
        return out;
    }

    std::string Data_;
};

// A Width x Height frame at (Left, Top) of one colour index.
inline TImage Solid(int left, int top, int width, int height, uint8_t index)
{
    TImage image;
    image.Left = left;
    image.Top = top;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<size_t>(width * height), index);
    return image;
}

} // namespace giftest
