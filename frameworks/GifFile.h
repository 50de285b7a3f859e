#pragma once
// A GIF file (87a and 89a) as structures: the shared header with the
// global colour table and comment, and the frames with their raw LZW data
// exactly as read.  Bytes in, structures out; no window call.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TGifColor {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const TGifColor&) const = default;
};
using TGifColorTable = std::vector<TGifColor>;  // 0 to 256 entries

// A colour as $00BBGGRR, or none.
constexpr uint32_t kGifNoColor = 0xFFFFFFFF;
inline uint32_t GifRgb(const TGifColor& c) {
    return c.red | c.green << 8 | static_cast<uint32_t>(c.blue) << 16;
}

enum TGifExtensionKind : uint8_t { gxGraphicControl, gxPlainText, gxApplication, gxComment };

struct TGifExtension {
    TGifExtensionKind kind = gxComment;
    // The fixed part: its size byte and that many bytes (empty for a comment).
    std::vector<uint8_t> fixed;
    std::vector<std::string> data;  // one string per data sub-block
};

// The header data frames and copies of an image share (never changed in place).
struct TGifHeader {
    std::vector<std::string> comment;
    uint8_t aspect = 0;  // written back as read
    int bitsPerPixel = 0;
    int colorResolution = 0;
    TGifColorTable globalTable;
};

// A frame's image as stored: shared between copies of a frame.
struct TGifFrameData {
    // The LZW minimum code size byte and the data sub-blocks as read,
    // without the terminating empty block.
    std::vector<uint8_t> raw;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 8;  // drives the pixel mask, the palette and the bitmap depth
    TGifColorTable table;
};

struct TGifFrame {
    std::shared_ptr<const TGifFrameData> data;
    std::vector<TGifExtension> extensions;
    int left = 0;
    int top = 0;
    bool interlaced = false;
    bool corrupted = false;
    bool grayscale = false;
    bool localTable = false;
    uint32_t transparentColor = kGifNoColor;
    int transparentIndex = -1;  // as read, kept while it still names that colour
    uint32_t delay = 0;         // milliseconds
    uint8_t disposal = 0;       // written back as read
};

struct TGifFile {
    int version = 0;  // 0 not yet set, 1 "87a", 2 "89a"
    std::shared_ptr<const TGifHeader> header = std::make_shared<TGifHeader>();
    std::vector<TGifFrame> frames;
    int screenWidth = 0;
    int screenHeight = 0;
    uint32_t backgroundColor = kGifNoColor;
    int backgroundIndex = -1;
    bool looping = false;
    uint16_t repeatCount = 1;
};

// On (the default): damaged frame data is read and decoded as far as it
// goes and the frame marked corrupted.  Off: the damage raises.
extern bool GifTolerantReading;

// Reads a whole GIF into file (cleared first).  A short file raises
// EReadError "Stream read error"; short frame data marks the frame
// corrupted instead (raises too without tolerant reading, the frame left
// out); an unknown extension raises EInvalidGraphicOperation
// "Unrecognized extension block: %.2x" and a bad signature "Unknown GIF
// version".  After an exception file holds what was read.
void ReadGif(const uint8_t* data, size_t size, TGifFile& file);

// The bits of a colour table of 2, 4, 8, ... or 256 colours; any other
// count raises EInvalidGraphicOperation "Wrong number of colors; must be a
// power of 2".
int GifBitsForColors(int colors);

// Brings each frame's graphic-control extension up to date, drops empty
// comment extensions and settles the version ("89a" when an extension, a
// comment or a loop is written).
void PrepareGifForWrite(TGifFile& file);
// The file's bytes; no frames raises EInvalidGraphicOperation "No GIF Data to write".
std::vector<uint8_t> WriteGif(const TGifFile& file);
