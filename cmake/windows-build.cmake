# The whole tool and its tests, cross-built as Windows programs in
# build/windows with MinGW-w64 against the Qt for Windows in build/qt6-mingw.
# That Qt is unpacked from a prebuilt archive (scripts/build-qt-windows makes
# one from Debian's sources), or taken from ZELVANE_WINDOWS_QT as it is.
set(ZELVANE_WINDOWS_QT_ARCHIVE "${PROJECT_SOURCE_DIR}/../shared/windows/qt6-mingw64-6.4.2.tar.xz"
    CACHE FILEPATH "Qt for Windows (MinGW-w64) as an archive holding qt6-mingw/")
set(ZELVANE_WINDOWS_QT "${PROJECT_BINARY_DIR}/qt6-mingw"
    CACHE PATH "The prefix of Qt for Windows (MinGW-w64)")

if(NOT EXISTS "${ZELVANE_WINDOWS_QT}/lib/cmake/Qt6")
  if(NOT EXISTS "${ZELVANE_WINDOWS_QT_ARCHIVE}")
    message(FATAL_ERROR "No Qt for Windows: neither ${ZELVANE_WINDOWS_QT} nor the archive "
                        "${ZELVANE_WINDOWS_QT_ARCHIVE}. Build one with scripts/build-qt-windows.")
  endif()
  message(STATUS "Unpacking ${ZELVANE_WINDOWS_QT_ARCHIVE}")
  get_filename_component(unpack_into "${ZELVANE_WINDOWS_QT}" DIRECTORY)
  file(ARCHIVE_EXTRACT INPUT "${ZELVANE_WINDOWS_QT_ARCHIVE}" DESTINATION "${unpack_into}")
endif()

# The MinGW runtime that the Qt libraries load, beside them in every folder
# a Windows program of this build runs from.
execute_process(COMMAND x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE mingw_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ZELVANE_MINGW_RUNTIME_DIR "${mingw_libstdcxx}" DIRECTORY)
set(ZELVANE_MINGW_PTHREAD_DIR /usr/x86_64-w64-mingw32/lib)

set(test_options -DZELVANE_BUILD_TESTS=${ZELVANE_BUILD_TESTS})
if(ZELVANE_BUILD_TESTS)
  list(APPEND test_options -DGTEST_SOURCE_DIR=/usr/src/googletest/googletest)
endif()

include(ExternalProject)
ExternalProject_Add(windows_build
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PROJECT_BINARY_DIR}/windows
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
             -DCMAKE_BUILD_TYPE=Release
             ${test_options}
             -DZELVANE_BUILD_UI=ON
             -DCMAKE_PREFIX_PATH=${ZELVANE_WINDOWS_QT}
             -DQT_HOST_PATH=/usr
             -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

# The zip a Windows user unpacks and runs.
set(ZELVANE_WINDOWS_ZIP ${PROJECT_BINARY_DIR}/zelvane-settings-${PROJECT_VERSION}-win64.zip
    CACHE FILEPATH "Where the zip of the Windows programs is written")
add_custom_target(windows_zip ALL
  COMMAND ${CMAKE_COMMAND} -DPROGRAMS_DIR=${PROJECT_BINARY_DIR}/windows -DQT=${ZELVANE_WINDOWS_QT}
          -DRUNTIME_DIRS=${ZELVANE_MINGW_RUNTIME_DIR}:${ZELVANE_MINGW_PTHREAD_DIR}
          -DFIRST_USE=${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
          -DZIP=${ZELVANE_WINDOWS_ZIP} -P ${PROJECT_SOURCE_DIR}/cmake/windows-zip.cmake
  BYPRODUCTS ${ZELVANE_WINDOWS_ZIP}
  COMMENT "Writing ${ZELVANE_WINDOWS_ZIP}"
  VERBATIM)
add_dependencies(windows_zip windows_build)
