#pragma once
// SelectDirectory: the user chooses a folder in the system's folder browser.

#include <cstdint>
#include <functional>
#include <string>

namespace cl {

enum TSelectDirOpt : uint8_t {
    // The user may type the name of a folder that does not exist (and make
    // new folders in the browser).
    sdAllowCreate = 1,
    // A chosen folder that does not exist is made, with its parents.
    sdPerformCreate = 2,
    // ... after the user agreed to it.
    sdPrompt = 4,
};
using TSelectDirOpts = uint8_t;  // or'ed TSelectDirOpt bits

// Shows the folder browser owned by the active form, starting at directory,
// with title above the folders.  True when the user chose a folder: it is
// then in directory.  A missing folder that sdPerformCreate should make but
// the user does not want, gives false; one that cannot be made raises
// EOSError "Unable to create directory".
bool SelectDirectory(std::string& directory, TSelectDirOpts options, int helpCtx,
                     const std::string& title = "");

// Test seam: called instead of the system's folder browser with the start
// folder, the options and the title; it sets the chosen folder and answers
// as the browser does.  The options' creation rules apply to its answer.
// An empty function restores the real browser.
using TSelectDirectoryHook =
    std::function<bool(std::string& directory, TSelectDirOpts options, const std::string& title)>;
void SetSelectDirectoryHook(TSelectDirectoryHook hook);

}  // namespace cl
