# The static MinGW libjpeg (IJG API version 62) that scripts/build-libjpeg.sh
# builds into a cache outside the source tree; built here when missing.
# Provides the imported target MingwJpeg::jpeg.
set(SPRAW_JPEG_DIR "$ENV{HOME}/.cache/sprawozdawca/libjpeg-mingw" CACHE PATH "Folder of the MinGW libjpeg build")
if(NOT EXISTS "${SPRAW_JPEG_DIR}/lib/libjpeg.a" OR NOT EXISTS "${SPRAW_JPEG_DIR}/include/jpeglib.h")
  message(STATUS "Building libjpeg for MinGW into ${SPRAW_JPEG_DIR}")
  execute_process(COMMAND "${CMAKE_SOURCE_DIR}/scripts/build-libjpeg.sh" "${SPRAW_JPEG_DIR}"
                  RESULT_VARIABLE jpeg_rc OUTPUT_QUIET)
  if(NOT jpeg_rc EQUAL 0)
    message(FATAL_ERROR "scripts/build-libjpeg.sh failed (${jpeg_rc})")
  endif()
endif()
add_library(MingwJpeg::jpeg STATIC IMPORTED)
set_target_properties(MingwJpeg::jpeg PROPERTIES
  IMPORTED_LOCATION "${SPRAW_JPEG_DIR}/lib/libjpeg.a"
  INTERFACE_INCLUDE_DIRECTORIES "${SPRAW_JPEG_DIR}/include")
