#pragma once
// What the in-place editing does when the sheet changes under it; the
// page rendering calls these.

class TMainForm;

// The open editor moved over its field again after the sheet's layout
// changed (zoom, window size).
void PlaceOpenEditor(TMainForm& form);
// The hover ends without its frame, which a repaint of the page has wiped.
void ForgetHover(TMainForm& form);
