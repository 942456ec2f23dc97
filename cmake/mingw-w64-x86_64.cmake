# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads:
# std::thread and std::mutex need them).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Libraries and headers of the target only; programs (moc, rcc) of the host.
# The Windows builds of Qt, utf8proc and GoogleTest live in one prefix that
# scripts/windows.sh fills (build/windows-deps/prefix unless the environment
# names another).
if(DEFINED ENV{SCORVALE_WINDOWS_PREFIX})
  set(SCORVALE_WINDOWS_PREFIX $ENV{SCORVALE_WINDOWS_PREFIX})
else()
  get_filename_component(SCORVALE_WINDOWS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build/windows-deps/prefix" ABSOLUTE)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${SCORVALE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
