# Cross-builds quorl.exe for each Windows architecture whose MinGW-w64
# compiler is installed, each in its own build folder under this one:
# windows-x86_64/quorl.exe and windows-i686/quorl.exe. QUORL_WINDOWS_EXE
# names the 64-bit program, the one Wine can run here; QUORL_WINDOWS_EXE_x86_64
# and QUORL_WINDOWS_EXE_i686 name each one that is built. QUORL_WINDOWS_TEST_TOOLS
# is the 64-bit build folder, which also holds the tools of the tests under Wine.
set(QUORL_WINDOWS_EXE "")
if(NOT QUORL_BUILD_WINDOWS)
  return()
endif()
include(ExternalProject)
foreach(arch x86_64 i686)
  find_program(QUORL_MINGW_${arch} ${arch}-w64-mingw32-g++-posix)
  if(NOT QUORL_MINGW_${arch})
    message(STATUS "No ${arch}-w64-mingw32-g++-posix: quorl.exe for ${arch} is not built")
    continue()
  endif()
  set(binary_dir ${CMAKE_BINARY_DIR}/windows-${arch})
  ExternalProject_Add(quorl_windows_${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${binary_dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-${arch}.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DQUORL_BUILD_TESTS=OFF
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD OFF)
  set(QUORL_WINDOWS_EXE_${arch} ${binary_dir}/quorl.exe)
  if(arch STREQUAL "x86_64")
    set(QUORL_WINDOWS_EXE ${binary_dir}/quorl.exe)
    set(QUORL_WINDOWS_TEST_TOOLS ${binary_dir})
  endif()
endforeach()
