#pragma once
// The intro page shown by the splash window, read from its small HTML into
// blocks of styled text: headings (h1-h6), paragraphs (p, div, li and text
// outside any block), line breaks (<br>), bold (b, strong) and italic (i,
// em), the entities &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric ones.
// The head, scripts, styles and comments are skipped; other tags are
// dropped and keep their text.  Blanks collapse as in a browser.

#include <string>
#include <string_view>
#include <vector>

struct THtmlRun {
    std::string Text;  // Windows-1250; '\n' is a line break
    bool Bold = false;
    bool Italic = false;
    bool operator==(const THtmlRun&) const = default;
};

struct THtmlBlock {
    int Heading = 0;  // 1 to 6, or 0 for a paragraph
    std::vector<THtmlRun> Runs;
};

// html as the file holds it: Windows-1250, unless a meta charset near its
// start says UTF-8.
std::vector<THtmlBlock> ParseIntroHtml(std::string_view html);
