#include "app/SplashHtml.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "classlib/Encoding.h"
#include "classlib/StrUtils.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The charset a meta tag declares near the start, in lower case; "" when none.
std::string DeclaredCharset(std::string_view html) {
    const std::string head = cl::LowerCase(html.substr(0, 2048));
    size_t at = head.find("charset");
    if (at == std::string::npos) return "";
    at += 7;
    while (at < head.size() && (head[at] == '=' || head[at] == '"' || head[at] == '\'' || IsBlank(head[at])))
        ++at;
    size_t end = at;
    while (end < head.size() && (IsAlnum(head[end]) || head[end] == '-' || head[end] == '_')) ++end;
    return head.substr(at, end - at);
}

// The character of a numeric entity's code point in Windows-1250 ('?'
// where it has none).
std::string CodePointText(uint32_t code) {
    if (code == 0 || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF)) return "?";
    return cl::Utf16ToCp1250(std::u16string(1, static_cast<char16_t>(code)));
}

// The text of the entity between '&' and ';', or false when it is none we know.
bool EntityText(std::string_view name, std::string& text) {
    static const struct {
        const char* name;
        const char* text;
    } named[] = {{"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xA0"}};
    for (const auto& n : named)
        if (name == n.name) {
            text = n.text;
            return true;
        }
    if (name.size() < 2 || name[0] != '#') return false;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    uint32_t code = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return false;
    text = CodePointText(code);
    return true;
}

class Parser {
public:
    std::vector<THtmlBlock> Parse(std::string_view html) {
        size_t i = 0;
        while (i < html.size()) {
            const char c = html[i];
            if (c == '<' && i + 1 < html.size() &&
                (IsAlnum(html[i + 1]) || html[i + 1] == '/' || html[i + 1] == '!' || html[i + 1] == '?')) {
                i = Markup(html, i);
            } else if (c == '&') {
                i = Entity(html, i);
            } else {
                if (IsBlank(c))
                    pendingBlank_ = true;
                else
                    Visible(std::string(1, c));
                ++i;
            }
        }
        EndBlock();
        return std::move(blocks_);
    }

private:
    // A tag or a comment starting at html[at]; returns where parsing goes on.
    size_t Markup(std::string_view html, size_t at) {
        if (html.substr(at, 4) == "<!--") {
            const size_t end = html.find("-->", at + 4);
            return end == std::string_view::npos ? html.size() : end + 3;
        }
        const size_t close = html.find('>', at);
        if (close == std::string_view::npos) return html.size();
        std::string_view tag = html.substr(at + 1, close - at - 1);
        const bool closing = !tag.empty() && tag[0] == '/';
        if (closing) tag.remove_prefix(1);
        size_t n = 0;
        while (n < tag.size() && IsAlnum(tag[n])) ++n;
        const std::string name = cl::LowerCase(tag.substr(0, n));
        if (!closing && (name == "head" || name == "script" || name == "style" || name == "title")) {
            // Their content is not shown: skip to the closing tag.
            const std::string lower = cl::LowerCase(html);
            const size_t end = lower.find("</" + name, close);
            if (end == std::string::npos) return html.size();
            const size_t after = html.find('>', end);
            return after == std::string_view::npos ? html.size() : after + 1;
        }
        Tag(name, closing);
        return close + 1;
    }

    void Tag(const std::string& name, bool closing) {
        static const char* const kBlocks[] = {"p",       "div",    "li",     "ul",   "ol", "blockquote",
                                              "table",   "tr",     "body",   "html", "hr", "section",
                                              "article", "header", "footer", "main", "nav"};
        if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') {
            EndBlock();
            if (!closing) current_.Heading = name[1] - '0';
        } else if (std::find(std::begin(kBlocks), std::end(kBlocks), name) != std::end(kBlocks)) {
            EndBlock();
        } else if (name == "br") {
            Append("\n");
            pendingBlank_ = false;
        } else if (name == "b" || name == "strong") {
            bold_ = std::max(0, bold_ + (closing ? -1 : 1));
        } else if (name == "i" || name == "em") {
            italic_ = std::max(0, italic_ + (closing ? -1 : 1));
        }
    }

    size_t Entity(std::string_view html, size_t at) {
        const size_t semicolon = html.find(';', at);
        std::string text;
        if (semicolon != std::string_view::npos && semicolon - at <= 10 &&
            EntityText(html.substr(at + 1, semicolon - at - 1), text)) {
            Visible(text);
            return semicolon + 1;
        }
        Visible("&");
        return at + 1;
    }

    // Text that shows; a blank before it shows as one, except at the start
    // of a block or of a line.
    void Visible(const std::string& text) {
        if (pendingBlank_ && !current_.Runs.empty() && !current_.Runs.back().Text.empty() &&
            current_.Runs.back().Text.back() != '\n')
            Append(" ");
        pendingBlank_ = false;
        Append(text);
    }

    void Append(const std::string& text) {
        const bool bold = bold_ > 0, italic = italic_ > 0;
        if (current_.Runs.empty() || current_.Runs.back().Bold != bold ||
            current_.Runs.back().Italic != italic)
            current_.Runs.push_back({"", bold, italic});
        current_.Runs.back().Text += text;
    }

    void EndBlock() {
        auto& runs = current_.Runs;
        // Line breaks at the end show nothing.
        while (!runs.empty()) {
            std::string& t = runs.back().Text;
            while (!t.empty() && (t.back() == ' ' || t.back() == '\n')) t.pop_back();
            if (!t.empty()) break;
            runs.pop_back();
        }
        if (!runs.empty()) blocks_.push_back(std::move(current_));
        current_ = THtmlBlock{};
        pendingBlank_ = false;
    }

    std::vector<THtmlBlock> blocks_;
    THtmlBlock current_;
    bool pendingBlank_ = false;
    int bold_ = 0;
    int italic_ = 0;
};

}  // namespace

std::vector<THtmlBlock> ParseIntroHtml(std::string_view html) {
    const std::string charset = DeclaredCharset(html);
    if (charset == "utf-8" || charset == "utf8") return Parser().Parse(cl::Utf8ToCp1250(html));
    return Parser().Parse(html);
}
