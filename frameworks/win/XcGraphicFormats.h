#pragma once
// The GIF and animated-cursor picture formats: one explicit registration
// that the program's start-up calls (a registering static in a static
// library would be dropped by the linker).

#include <windows.h>

// Registers "gif" ("CompuServe GIF Image") and "ani" ("ANI Image") with
// the picture loader and the clipboard format "GIF Image".
void RegisterXcGraphicFormats();
// The "GIF Image" clipboard format, registered on first use.
UINT GifClipboardFormat();
