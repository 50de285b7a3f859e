#pragma once
// Registers the drawing classes of the data framework; part of
// RegisterXcDataProviderClasses in the Windows build.

void RegisterXcDataDrawClasses();
