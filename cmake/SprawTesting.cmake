# GoogleTest from Debian's sources, built for whichever build this is.
enable_testing()
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32)
  # Thread-safe GoogleTest on Windows gives every thread that touches a
  # SCOPED_TRACE a watcher thread blocked on it; a process ending with such a
  # thread now and then dies in Wine 8's termination (SIGSEGV after every test
  # passed).  The tests assert on their main thread only.
  target_compile_definitions(gtest PUBLIC GTEST_IS_THREADSAFE=0)
  target_compile_options(gtest PRIVATE -include ${CMAKE_SOURCE_DIR}/tests/support/GtestAutoHandle.h)
endif()

# The Windows tests run side by side in several Wine environments (each
# its own Xvfb display, wineserver and prefix, see scripts/wine-run).  CTest
# hands them out as the resource "wine", one slot each, from the resource file
# this build writes; ctest finds it by itself.  A test never shares its
# environment's desktop with another test.
if(WIN32)
  cmake_host_system_information(RESULT spraw_cores QUERY NUMBER_OF_LOGICAL_CORES)
  set(spraw_environments 4)
  if(spraw_cores LESS spraw_environments)
    set(spraw_environments ${spraw_cores})
  endif()
  set(SPRAW_WINE_ENVIRONMENTS ${spraw_environments} CACHE STRING "Wine environments the Windows tests run in at once")
  set(spraw_slots)
  math(EXPR spraw_last "${SPRAW_WINE_ENVIRONMENTS} - 1")
  foreach(id RANGE ${spraw_last})
    list(APPEND spraw_slots "{\"id\": \"${id}\", \"slots\": 1}")
  endforeach()
  list(JOIN spraw_slots ", " spraw_slots)
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/wine-environments.json
       CONTENT "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"wine\": [@spraw_slots@]}]}\n" @ONLY)
  set(CTEST_RESOURCE_SPEC_FILE ${CMAKE_BINARY_DIR}/wine-environments.json)
endif()

# The end-to-end tests play the test copy's update server on a loopback
# port of the machine.  Each build tree has a port of its own, so checkouts
# tested at once on one machine never answer each other's programs, below
# the range the system hands out for port 0 and outgoing connections, so
# no other socket of the tests takes it.  Tests of one tree share it under
# the lock spraw_e2e_port.
if(WIN32)
  string(MD5 spraw_tree_hash "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${spraw_tree_hash}" 0 4 spraw_tree_hash)
  math(EXPR spraw_e2e_port "20000 + 0x${spraw_tree_hash} % 10000")
  # A tree configured before kept the one port every checkout shared.
  if(SPRAW_E2E_PORT STREQUAL "38207")
    unset(SPRAW_E2E_PORT CACHE)
  endif()
  set(SPRAW_E2E_PORT ${spraw_e2e_port} CACHE STRING "Loopback port of the end-to-end tests' update server")
endif()

# spraw_wine_test(TEST [LOCK resource...]): TEST runs under Wine in an
# environment of its own, holding the named locks (a file or a port that
# tests in other environments use too).
function(spraw_wine_test test)
  cmake_parse_arguments(W "" "" "LOCK" ${ARGN})
  set_tests_properties(${test} PROPERTIES RESOURCE_GROUPS wine:1 TIMEOUT 300)
  if(W_LOCK)
    set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK ${W_LOCK})
  endif()
endfunction()

# spraw_test(NAME SOURCES... LIBS lib...)
# One executable, one CTest entry of the same name; under Wine it runs
# through the emulator wrapper.
function(spraw_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  # Tests find their data in the source tree (not through __FILE__, which a
  # compiler cache may make relative).
  target_compile_definitions(${name} PRIVATE SPRAW_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(WIN32)
    spraw_wine_test(${name})
  else()
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# spraw_library(NAME DEPS lib...): the folder's *.cpp in both builds and its
# win/*.cpp in the Windows build only.  A folder without sources yet gives
# an interface library, so dependants link before the code lands.
function(spraw_library name)
  cmake_parse_arguments(L "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    file(GLOB win_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win/*.cpp)
    list(APPEND sources ${win_sources})
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()
