// The addresses a program asks: compiled once for each program, with the
// build's settings for the product and the tests' loopback server for the
// end-to-end copy (app/CMakeLists.txt).
#include "app/SiteAddresses.h"
#include "app/UpdateCheck.h"

const char* UpdateFileUrl() {
    return "http://" SPRAW_UPDATE_HOST "/aktualizacja/" SPRAW_UPDATE_FOLDER "/upgr.id_";
}

const char* ProductPageUrl() {
    return SPRAW_PRODUCT_URL;
}

const char* MakerSiteUrl() {
    return SPRAW_MAKER_URL;
}

const char* AuthorsSiteUrl() {
    return SPRAW_AUTHORS_URL;
}
