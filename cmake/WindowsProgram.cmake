# The desktop program quorl.exe, built with a MinGW-w64 toolchain file: the
# portable core, the Windows platform, the console's dialogs for scripted
# runs, and the resources with pictures drawn at build time. Linked -static,
# so that it needs only the system's own DLLs.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(QUORL_IMAGE_DIR ${CMAKE_BINARY_DIR}/images)
set(QUORL_IMAGES quorl.ico busy.ico stop.ico progress.bmp splash.bmp splash_mark.bmp about.bmp
  about_mask.bmp)
list(TRANSFORM QUORL_IMAGES PREPEND ${QUORL_IMAGE_DIR}/ OUTPUT_VARIABLE QUORL_IMAGE_FILES)
add_custom_command(OUTPUT ${QUORL_IMAGE_FILES}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/resources/make_images.py ${QUORL_IMAGE_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/resources/make_images.py
  COMMENT "Drawing the program's icons and bitmaps")

file(GLOB QUORL_WIN32_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp)
set(QUORL_RESOURCES ${CMAKE_SOURCE_DIR}/resources/quorl.rc)
set_source_files_properties(${QUORL_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${QUORL_IMAGE_FILES};${CMAKE_SOURCE_DIR}/platform/win32/resource_ids.h")

add_executable(quorl WIN32
  ${CMAKE_SOURCE_DIR}/app/quorl_win32_main.cpp
  ${CMAKE_SOURCE_DIR}/app/command_line.cpp
  ${CMAKE_SOURCE_DIR}/app/program_run.cpp
  ${QUORL_WIN32_SOURCES}
  ${CMAKE_SOURCE_DIR}/platform/headless/console_dialogs.cpp
  ${CMAKE_SOURCE_DIR}/platform/headless/console_form_dialogs.cpp
  ${QUORL_RESOURCES})
target_include_directories(quorl PRIVATE ${QUORL_IMAGE_DIR})
target_link_libraries(quorl PRIVATE quorl_core comdlg32 gdi32 user32)
# A release program carries no symbols: one file of half the size.
target_link_options(quorl PRIVATE -static $<$<CONFIG:Release>:-s>)

# Test tools, never shipped, for the tests under Wine (which runs only the
# 64-bit programs): a browser's DDE server of our own, and two socket
# libraries that cannot serve.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  add_executable(dde_test_server WIN32 ${CMAKE_SOURCE_DIR}/tests/wine/dde_test_server.cpp)
  target_link_options(dde_test_server PRIVATE -static)
  foreach(fake failing_wsock32 partial_wsock32)
    add_library(${fake} SHARED ${CMAKE_SOURCE_DIR}/tests/wine/fake_wsock32.cpp)
    set_target_properties(${fake} PROPERTIES PREFIX "")
    target_link_options(${fake} PRIVATE -static)
  endforeach()
  target_compile_definitions(partial_wsock32 PRIVATE WITHOUT_ASYNC_CANCEL)
endif()
