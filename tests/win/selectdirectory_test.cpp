// SelectDirectory's creation rules on what the browser answers.
#include <gtest/gtest.h>

#include "classlib/FileUtils.h"
#include "classlib/win/FileCtrl.h"
#include "tests/support/TempFolder.h"
#include "tests/win/FormsTestSupport.h"

namespace {

using namespace cl;
using namespace cltest;

struct Browser {
    explicit Browser(std::string answer) {
        SetSelectDirectoryHook([this, answer](std::string& dir, TSelectDirOpts, const std::string& t) {
            started = dir;
            title = t;
            dir = answer;
            return true;
        });
    }
    ~Browser() { SetSelectDirectoryHook(nullptr); }
    std::string started, title;
};

TEST(SelectDirectory, MakesAMissingFolderOnlyWhenAskedAndAgreed) {
    const struct {
        TSelectDirOpts options;
        int answer;
        bool result, made;
    } cases[] = {
        {0, IDYES, true, false},
        {sdAllowCreate | sdPerformCreate, IDYES, true, true},
        {sdAllowCreate | sdPerformCreate | sdPrompt, IDYES, true, true},
        {sdAllowCreate | sdPerformCreate | sdPrompt, IDNO, false, false},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const std::string missing = temp.Name("a\\b");
        Browser browser(missing);
        AnsweredMessageBoxes boxes(c.answer);
        std::string dir = temp.Name("");
        EXPECT_EQ(SelectDirectory(dir, c.options, 0, "Folder"), c.result) << int(c.options);
        EXPECT_EQ(browser.started, temp.Name(""));
        EXPECT_EQ(browser.title, "Folder");
        EXPECT_EQ(DirectoryExists(missing), c.made) << int(c.options);
        EXPECT_EQ(dir, c.result ? missing : temp.Name("")) << int(c.options);
        EXPECT_EQ(boxes.boxes.size(), (c.options & sdPrompt) ? 1u : 0u);
    }
}

}  // namespace
