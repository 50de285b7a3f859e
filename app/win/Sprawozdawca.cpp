// The program block: the start-up sequence of Sprawozdawca.exe.
#include <windows.h>

#include "app/win/Main.h"
#include "app/win/Splash.h"
#include "app/win/StartupGuard.h"
#include "classlib/FileUtils.h"
#include "controls/win/XcXCLUtils.h"
#include "engine/win/EngineHostWin.h"
#include "frameworks/data/XcDataRegistration.h"
#include "frameworks/win/XcGraphicFormats.h"
#include "persistence/DateUtil.h"
#include "persistence/win/FsConst.h"

using namespace cl;

namespace {

int RunProgram() {
    // The units' start-up: the engine asks the user and the main window
    // through the program's host; the date unit's flag; the persistence
    // helpers' and the controls' cursors; the picture formats of our own.
    static TWindowEngineHost engineHost;
    SetEngineHost(&engineHost);
    InitDateUtil();
    RegisterFsCursors();
    InstallXclCursors();
    RegisterXcGraphicFormats();
    RegisterXcDataProviderClasses();
    // The settings file of every form-state component.
    SettingsFileNameFunc = &GetSettingsFileName;

    Application->Initialize();
    const bool withSplash = FileExists(TSplashForm::IntroPageName());
    TSplashForm* splash = nullptr;
    if (withSplash) {
        splash = Construct<TSplashForm>(Application.Get());
        splash->Show();
        splash->Update();
    }
    Application->SetTitle(std::string(kProductName) + " ");
    Application->CreateForm(MainForm);
    if (splash) {
        try {
            splash->WaitForFiveTicks();
            splash->Hide();
        } catch (...) {
            // The splash is only a greeting: whatever went wrong with it,
            // the program starts.
        }
        splash->Free();
    }
    Application->Run();
    UnregisterXcGraphicFormats();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunGuarded(RunProgram);
}
