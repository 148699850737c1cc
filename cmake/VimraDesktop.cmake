# The desktop programs: Qt 6 Widgets, with Qt WebEngine for the catalogue
# preview when it is there (without it the preview pane offers the browser).
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
option(VIMRA_WEBENGINE "Preview the catalogue inside the program (Qt WebEngine)" ON)
set(VIMRA_HAVE_WEBENGINE OFF)
if(VIMRA_WEBENGINE)
  find_package(Qt6 QUIET COMPONENTS WebEngineWidgets)
  set(VIMRA_HAVE_WEBENGINE ${Qt6WebEngineWidgets_FOUND})
endif()

# vimra_widgets_library(NAME [DEPS dep...]) builds every .cpp of the calling
# folder but main.cpp into one static library of windows, with moc.
function(vimra_widgets_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  add_library(${name} STATIC ${sources})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} Qt6::Widgets)
endfunction()

# vimra_widgets_tests(FOLDER DEPS...) builds each FOLDER/*_test.cpp into its
# own Qt Test executable and runs it on the offscreen platform.
function(vimra_widgets_tests folder)
  file(GLOB test_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  foreach(test_file IN LISTS test_files)
    get_filename_component(test_name ${test_file} NAME_WE)
    add_executable(${test_name} ${test_file})
    set_target_properties(${test_name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${test_name} PRIVATE ${ARGN} Qt6::Test)
    add_dependencies(${test_name} program_files)
    target_include_directories(${test_name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${test_name} PRIVATE
      VIMRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      VIMRA_PROGRAM_DIR="${VIMRA_PROGRAM_DIR}")
    add_test(NAME ${folder}.${test_name} COMMAND ${test_name})
    # Chromium refuses its sandbox to root; the tests run without a display.
    set(environment "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;VIMRA_TEST=1")
    if(VIMRA_SANITIZE)
      # The embedded browser frees objects through base pointers of another
      # size, and Qt keeps some allocations to the end: both are theirs, not ours.
      list(APPEND environment
        "ASAN_OPTIONS=detect_leaks=1:new_delete_type_mismatch=0"
        "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/desktop/qt_leaks.supp")
    endif()
    set_tests_properties(${folder}.${test_name} PROPERTIES ENVIRONMENT "${environment}" TIMEOUT 300)
  endforeach()
endfunction()
