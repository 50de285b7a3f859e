// Writing an animated cursor; each chunk's size is written when it closes.
#include "classlib/Exceptions.h"
#include "frameworks/AniFile.h"

namespace {

class RiffOut {
public:
    void Id(const char* id) { bytes.insert(bytes.end(), id, id + 4); }
    void U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    // Starts a chunk; Close writes its size (without the header) and a pad
    // byte when that size is odd.
    size_t Open(const char* id) {
        Id(id);
        U32(0);
        return bytes.size();
    }
    void Close(size_t start) {
        const auto size = static_cast<uint32_t>(bytes.size() - start);
        for (int i = 0; i < 4; ++i) bytes[start - 4 + i] = static_cast<uint8_t>(size >> (8 * i));
        if (size & 1) bytes.push_back(0);
    }
    void Text(const char* id, const std::string& text) {
        const size_t c = Open(id);
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
        Close(c);
    }
    void Table(const char* id, const std::vector<int32_t>& table) {
        const size_t c = Open(id);
        for (int32_t v : table) U32(static_cast<uint32_t>(v));
        Close(c);
    }
    std::vector<uint8_t> bytes;
};

}  // namespace

std::vector<uint8_t> WriteAni(const TAniFile& ani) {
    if (ani.icons.empty()) throw cl::EInvalidGraphicOperation("Invalid image");
    RiffOut out;
    const size_t riff = out.Open("RIFF");
    out.Id("ACON");
    if (!ani.title.empty() || !ani.author.empty()) {
        const size_t info = out.Open("LIST");
        out.Id("INFO");
        if (!ani.title.empty()) out.Text("INAM", ani.title);
        if (!ani.author.empty()) out.Text("IART", ani.author);
        out.Close(info);
    }
    TAniHeader h = ani.header;
    h.size = 36;
    h.frames = static_cast<uint32_t>(ani.icons.size());
    h.steps = static_cast<uint32_t>(ani.stepCount);
    h.flags |= 1;
    const size_t anih = out.Open("anih");
    for (uint32_t v : {h.size, h.frames, h.steps, h.width, h.height, h.bitCount, h.planes, h.rate, h.flags})
        out.U32(v);
    out.Close(anih);
    if (!ani.rates.empty()) out.Table("rate", ani.rates);
    if (!ani.sequence.empty()) out.Table("seq ", ani.sequence);
    const size_t fram = out.Open("LIST");
    out.Id("fram");
    for (const TAniIcon& icon : ani.icons) {
        const size_t c = out.Open("icon");
        out.bytes.insert(out.bytes.end(), icon.bytes.begin(), icon.bytes.end());
        out.Close(c);
    }
    out.Close(fram);
    out.Close(riff);
    return std::move(out.bytes);
}
