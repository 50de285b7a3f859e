#pragma once
// The rule by which a check box or radio button enables the controls
// linked to it: from its own Checked and Enabled, each optionally
// inverted, by the link's options.

#include <cstdint>

enum TXcLinkedControlsOption : uint8_t {
    loLinkChecked = 1,
    loLinkEnabled = 2,
    loInvertChecked = 4,
    loInvertEnabled = 8,
};
using TXcLinkedControlsOptions = uint8_t;  // or'ed TXcLinkedControlsOption bits

constexpr TXcLinkedControlsOptions kDefaultLinkOptions = loLinkChecked | loLinkEnabled;

// The Enabled a linked control gets: checked and enabled with both links,
// the one linked with one, False with none.
constexpr bool CheckLinkControlEnabled(bool enabled, bool checked, TXcLinkedControlsOptions options) {
    const bool c = (options & loInvertChecked) ? !checked : checked;
    const bool e = (options & loInvertEnabled) ? !enabled : enabled;
    switch (options & (loLinkChecked | loLinkEnabled)) {
        case loLinkChecked | loLinkEnabled:
            return c && e;
        case loLinkChecked:
            return c;
        case loLinkEnabled:
            return e;
        default:
            return false;
    }
}
