#pragma once
// Registers the data framework's streamable classes with the class registry.
// Start-up calls it once, before anything reads these objects from a
// stream; calling it again does nothing.

void RegisterXcDataProviderClasses();
