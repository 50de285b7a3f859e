#pragma once
// The web sites the about box links to: build settings compiled into each
// program with its other addresses (app/ProgramAddresses.cpp).

const char* MakerSiteUrl();
const char* AuthorsSiteUrl();
