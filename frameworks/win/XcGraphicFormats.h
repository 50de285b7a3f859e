#pragma once
// The GIF and animated-cursor picture formats: one explicit registration
// that the program's start-up calls (a registering static in a static
// library would be dropped by the linker).

#include <windows.h>

// Registers "gif" ("CompuServe GIF Image") and "ani" ("ANI Image") with
// the picture loader, the GIF class for the clipboard format "GIF Image",
// and the classes TXcGIFImage, TXcGIFFrame and TXcAni with the class
// registry.
void RegisterXcGraphicFormats();
// The program's end: the picture loader forgets the two classes.
void UnregisterXcGraphicFormats();
// The "GIF Image" clipboard format, registered on first use.
UINT GifClipboardFormat();
