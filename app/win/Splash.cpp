#include "app/win/Splash.h"

#include <algorithm>
#include <utility>

#include "classlib/FileStream.h"
#include "classlib/FileUtils.h"

using namespace cl;

namespace {

constexpr TColor kAccent = static_cast<TColor>(0x00AF5F1F);  // the headings' blue
constexpr TColor kFrame = static_cast<TColor>(0x00808080);
constexpr int kMargin = 24;
// Point sizes of the text and of the headings h1 to h6.
constexpr int kTextSize = 11;
constexpr int kHeadingSizes[] = {20, 15, 13, 12, 11, 11};

// A run's text cut into pieces that wrap as one: a word with the blanks
// after it, or a line break on its own.
std::vector<std::string> Pieces(const std::string& text) {
    std::vector<std::string> pieces;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\n') {
            pieces.emplace_back("\n");
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && text[end] != ' ' && text[end] != '\n') ++end;
        while (end < text.size() && text[end] == ' ') ++end;
        pieces.push_back(text.substr(i, end - i));
        i = end;
    }
    return pieces;
}

}  // namespace

// ---- THtmlView ------------------------------------------------------------------------
CL_CLASS_INFO(THtmlView)

THtmlView::THtmlView(TComponent* owner) : TCustomControl(owner) {
    SetColor(clWhite);
}

void THtmlView::LoadFromFile(const std::string& fileName) {
    std::string html;
    try {
        TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
        // An intro page is a few kilobytes; more is not read.
        html.resize(static_cast<size_t>(std::min<int64_t>(file.Size(), 1 << 20)));
        html.resize(
            static_cast<size_t>(std::max(0, file.Read(html.data(), static_cast<int32_t>(html.size())))));
    } catch (const EStreamError&) {
        // A page that cannot be read shows nothing; the program starts anyway.
        html.clear();
    }
    SetBlocks(ParseIntroHtml(html));
}

void THtmlView::SetBlocks(std::vector<THtmlBlock> blocks) {
    blocks_ = std::move(blocks);
    Invalidate();
}

void THtmlView::Paint() {
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
    canvas->Brush()->SetColor(kFrame);
    canvas->FrameRect(client);
    canvas->Brush()->SetStyle(bsClear);

    const int right = client.right - kMargin;
    int y = kMargin;
    for (const THtmlBlock& block : blocks_) {
        TFont* font = canvas->Font();
        font->SetName("Arial");
        font->SetSize(block.Heading ? kHeadingSizes[block.Heading - 1] : kTextSize);
        font->SetColor(block.Heading ? kAccent : clBlack);
        font->SetStyle(block.Heading ? fsBold : 0);
        const int lineHeight = canvas->TextHeight("Ąg");
        int x = kMargin;
        for (const THtmlRun& run : block.Runs) {
            font->SetStyle(static_cast<TFontStyles>((run.Bold || block.Heading ? fsBold : 0) |
                                                    (run.Italic ? fsItalic : 0)));
            for (const std::string& piece : Pieces(run.Text)) {
                if (piece == "\n") {
                    x = kMargin;
                    y += lineHeight;
                    continue;
                }
                const size_t wordEnd = piece.find_last_not_of(' ');
                if (wordEnd == std::string::npos) {  // blanks only: none at a line's start
                    if (x > kMargin) x += canvas->TextWidth(piece);
                    continue;
                }
                if (x > kMargin && x + canvas->TextWidth(piece.substr(0, wordEnd + 1)) > right) {
                    x = kMargin;
                    y += lineHeight;
                }
                canvas->TextOut(x, y, piece);
                x += canvas->TextWidth(piece);
            }
        }
        y += lineHeight;
        if (block.Heading == 1) {
            // A rule under the main heading.
            canvas->Pen()->SetColor(kAccent);
            canvas->MoveTo(kMargin, y + 3);
            canvas->LineTo(right, y + 3);
            y += 8;
        }
        y += lineHeight / 2;
    }
}

// ---- TSplashForm --------------------------------------------------------------------
CL_CLASS_INFO(TSplashForm)

TSplashForm::TSplashForm(TComponent* owner) : TForm(owner) {
    LoadComponentTree(*this, [this] {
        SetName("SplashForm");
        SetCaption("");
        SetBorderStyle(bsNone);
        SetFormStyle(fsStayOnTop);
        SetPosition(poScreenCenter);
        SetBounds(0, 0, 480, 260);
        Font()->SetHeight(-11);
        WebBrowser1 = new THtmlView(this);
        WebBrowser1->SetName("WebBrowser1");
        WebBrowser1->SetParent(this);
        WebBrowser1->SetAlign(alClient);
        Timer1 = new TTimer(this);
        Timer1->SetName("Timer1");
        Timer1->SetInterval(1000);
        Timer1->SetOnTimer([this](TObject*) { ++ticks_; });
        OnShow = [this](TObject*) { WebBrowser1->LoadFromFile(IntroPageName()); };
    });
}

void TSplashForm::WaitForFiveTicks() {
    while (ticks_ < 5 && !Application->Terminated()) Application->HandleMessage();
}

std::string TSplashForm::IntroPageName() {
    return ExtractFilePath(Application->ExeName()) + "pi\\intro.html";
}
