// The intro page's HTML as the splash window shows it: blocks, emphasis,
// entities, blanks and the parts that are not shown.
#include "app/SplashHtml.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "h1:Title | p:plain *bold* /italic/ */both/*", '\n' as "\\n".
std::string Describe(const std::vector<THtmlBlock>& blocks) {
    std::string out;
    for (const THtmlBlock& b : blocks) {
        if (!out.empty()) out += " | ";
        out += b.Heading ? "h" + std::to_string(b.Heading) + ":" : "p:";
        for (const THtmlRun& r : b.Runs) {
            std::string text;
            for (char c : r.Text) text += c == '\n' ? std::string("\\n") : std::string(1, c);
            if (r.Italic) text = "/" + text + "/";
            if (r.Bold) text = "*" + text + "*";
            out += text;
        }
    }
    return out;
}

TEST(IntroHtml, ReadsBlocksEmphasisEntitiesAndBlanks) {
    const struct {
        const char* what;
        const char* html;
        const char* shown;
    } cases[] = {
        {"heading and paragraphs", "<h1>Tytuł</h1><p>Jeden.</p><p>Dwa.</p>", "h1:Tytuł | p:Jeden. | p:Dwa."},
        {"every heading level", "<h2>a</h2><h6>b</h6>", "h2:a | h6:b"},
        {"text outside blocks is a paragraph", "Przed<h1>T</h1>Po", "p:Przed | h1:T | p:Po"},
        {"bold and italic", "<p>a <b>b</b> <i>c</i> <strong><em>d</em></strong></p>", "p:a* b*/ c/*/ d/*"},
        {"unbalanced closing tags do no harm", "<p></b></i>x</p>", "p:x"},
        {"blanks collapse", "<p>  a \r\n\t b  </p>", "p:a b"},
        {"line breaks", "<p>a<br>  b<br/><br></p>", "p:a\\nb"},
        {"named entities", "<p>&lt;a&gt; &amp; &quot;b&quot; &apos;c&apos;</p>", "p:<a> & \"b\" 'c'"},
        {"no-break space is no blank", "<p>a&nbsp;&nbsp;b</p>",
         "p:a\xA0\xA0"
         "b"},
        {"numeric entities in Windows-1250", "<p>&#261;&#x15B;&#X17A;</p>", "p:ąśź"},
        {"a character 1250 lacks", "<p>&#x4E2D;</p>", "p:?"},
        {"unknown or broken entities stay text", "<p>&copy; & &#xZZ; &#;</p>", "p:&copy; & &#xZZ; &#;"},
        {"head, scripts, styles and comments are skipped",
         "<html><head><title>T</title><style>p{}</style></head><body><!-- k --><script>x<y</script>"
         "<p>Widać</p></body></html>",
         "p:Widać"},
        {"unknown tags keep their text", "<p><span class=\"x\">a</span><a href=\"#\">b</a></p>", "p:ab"},
        {"a lone angle bracket is text", "<p>1 < 2</p>", "p:1 < 2"},
        {"an unclosed tag ends the page", "<p>a</p><p", "p:a"},
        {"empty blocks are dropped", "<p> </p><div><br></div><h1></h1>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Describe(ParseIntroHtml(c.html)), c.shown);
    }
}

TEST(IntroHtml, AUtf8PageIsReadAsUtf8) {
    // "Zażółć" spelled in UTF-8 bytes.
    const std::string html = "<head><meta charset=\"UTF-8\"></head><p>Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87</p>";
    EXPECT_EQ(Describe(ParseIntroHtml(html)), "p:Zażółć");
}

TEST(IntroHtml, AWindows1250PageIsReadAsItIs) {
    const std::string html =
        "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\"></head>"
        "<p>Zażółć</p>";
    EXPECT_EQ(Describe(ParseIntroHtml(html)), "p:Zażółć");
}

}  // namespace
