# The workstation program: the windows (every ui/ folder) in one library
# shared by the program and its window tests, and a thin program entry.
find_package(Qt6 REQUIRED COMPONENTS Gui Widgets)

# The shell adapter opens documents through QDesktopServices (Qt GUI).
target_link_libraries(tiravel_qtplatform PUBLIC Qt6::Gui)

file(GLOB_RECURSE WINDOW_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/shell/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/shell/ui/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/audio/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/audio/ui/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/evaluation/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/evaluation/ui/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/therapy/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/therapy/ui/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/patient/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/patient/ui/*.h
  ${CMAKE_CURRENT_SOURCE_DIR}/media/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/media/ui/*.h)
add_library(tiravel_windows STATIC ${WINDOW_SOURCES})
target_link_libraries(tiravel_windows PUBLIC tiravel_engine tiravel_qtplatform tiravel_mail Qt6::Widgets)
set_target_properties(tiravel_windows PROPERTIES AUTOMOC ON)

add_executable(tiravel4 shell/ProgramMain.cpp)
target_link_libraries(tiravel4 PRIVATE tiravel_windows)

# Renders the menus and the start, About and error windows to PNG files,
# to look at them (not a test: it judges nothing).
add_executable(tiravel4-screenshots tests/ui/shots/ScreenshotMain.cpp)
target_link_libraries(tiravel4-screenshots PRIVATE tiravel_windows)
target_compile_definitions(tiravel4-screenshots PRIVATE TIRAVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TIRAVEL_SAMPLE_VOICE="${SAMPLE_VOICE}")
add_dependencies(tiravel4-screenshots sample_voice)

if(TIRAVEL_BUILD_TESTS)
  enable_testing()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  # The windows driven by their handlers on the offscreen platform.
  file(GLOB UI_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/ui/*.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/tests/ui/*.h)
  add_executable(ui_tests ${UI_TEST_SOURCES})
  target_link_libraries(ui_tests PRIVATE tiravel_windows tiravel_test_support GTest::gtest)
  target_include_directories(ui_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  # The window tests' data folders receive the bundled reference files.
  target_compile_definitions(ui_tests PRIVATE TIRAVEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(ui_tests PROPERTIES AUTOMOC ON)
  gtest_discover_tests(ui_tests DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
