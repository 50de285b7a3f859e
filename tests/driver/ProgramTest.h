#pragma once
// The fixture of the end-to-end tests: the data folder empty before and
// after each test (the program may be started several times within it), and
// a picture of the desktop when a test fails.

#include "tests/driver/Driver.h"
#include "tests/support/DataFolder.h"
#include "tests/support/FailureScreenshots.h"

namespace e2e {

using ProgramTest = cltest::DataFolderTest;

}  // namespace e2e
