// The sheet of the main window's preview as the program paints it, whole
// (also the part scrolled out of view), saved as a bitmap for a person or
// tools/legibility.sh to read:
//
//   sheetpicture <form> <page> <zoom | width> <out.bmp>
//
// The main window fills the 1280 x 1024 screen; "width" is the zoom the
// program opens with (fit to width), a number a fixed zoom in percent.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "classlib/FormatSettings.h"
#include "tests/app/win/FormShowing.h"

using namespace cl;

namespace {

int Run(const std::string& name, int page, const std::string& zoom, const std::string& out) {
    SetFormatSettings(TFormatSettings::Polish());
    TMainForm* f = Construct<TMainForm>(Application.Get());
    f->SetBounds(0, 0, 1280, 1024);
    f->Show();
    ProgramFolder = maintest::BuildProgramFolder();
    maintest::ShowForm(*f, name);
    TPrintPreview& preview = *f->PrintPreview;
    preview.SetCurrentPage(page);
    if (zoom == "width")
        preview.SetZoomState(zsZoomToWidth);
    else
        preview.SetZoom(std::atoi(zoom.c_str()));
    Application->ProcessMessages();

    // The sheet's own paint, on a bitmap of the whole sheet.
    TPaperPreview& sheet = *preview.PaperPreview();
    TBitmap picture;
    picture.SetSize(sheet.Width(), sheet.Height());
    TCanvas& canvas = *picture.Canvas();
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, sheet.Width(), sheet.Height()));
    const TRect pageRect = sheet.GetPageRect();
    sheet.OnPaint(&sheet, &canvas, pageRect);
    picture.SaveToFile(out);
    std::printf("%s page %d at zoom %d: %d x %d px\n", name.c_str(), page, preview.Zoom(), sheet.Width(),
                sheet.Height());
    f->Free();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: sheetpicture form page zoom|width out.bmp\n");
        return 2;
    }
    try {
        return Run(argv[1], std::atoi(argv[2]), argv[3], argv[4]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sheetpicture: %s\n", e.what());
        return 1;
    }
}
