#pragma once
// The splash window shown while the program starts: borderless, on top,
// centred, showing the intro page "pi\intro.html" and counting the seconds
// of its timer.  The page is shown by a small view of the program's own
// (there is no HTML engine to host).

#include <string>
#include <vector>

#include "app/SplashHtml.h"
#include "classlib/win/Controls.h"
#include "classlib/win/ExtCtrls.h"
#include "classlib/win/Forms.h"

// Shows the blocks of a simple HTML page: headings, paragraphs with bold
// and italic words, line breaks; the words wrap at the control's width.
class THtmlView : public cl::TCustomControl {
    CL_CLASS(THtmlView, cl::TCustomControl)
public:
    explicit THtmlView(cl::TComponent* owner);

    // Reads the page (Windows-1250 or UTF-8); a file that cannot be read
    // leaves the view empty.
    void LoadFromFile(const std::string& fileName);
    void SetBlocks(std::vector<THtmlBlock> blocks);
    const std::vector<THtmlBlock>& Blocks() const { return blocks_; }

protected:
    void Paint() override;

private:
    std::vector<THtmlBlock> blocks_;
};

class TSplashForm : public cl::TForm {
    CL_CLASS(TSplashForm, cl::TForm)
public:
    explicit TSplashForm(cl::TComponent* owner);

    THtmlView* WebBrowser1;
    cl::TTimer* Timer1;
    // Seconds the window has counted since it was made.
    int Ticks() const { return ticks_; }
    // Processes the application's messages, waiting for them, until the
    // window has counted five ticks or the application is ending.
    void WaitForFiveTicks();

    // The page beside the program: its folder + "pi\intro.html".
    static std::string IntroPageName();

private:
    int ticks_ = 0;
};
