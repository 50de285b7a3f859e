#pragma once
// The check of one image of an icon or cursor resource, shared by the icon
// graphic and the readers of files that embed icons.

#include <cstdint>

namespace cl {

// The DIB of an icon image (colour bitmap of doubled height, then the AND
// mask) must fit in its directory entry's bytes; PNG images are left to
// the system's decoder.  Otherwise EInvalidGraphic "Icon image is not valid".
void CheckIconImage(const uint8_t* p, uint32_t bytes);

}  // namespace cl
