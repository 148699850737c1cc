# vimra_library(NAME [DEPS dep...]) builds every .cpp of the calling folder into
# one static library, so adding a component never means editing a list.
function(vimra_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# vimra_test(NAME FOLDER DEPS...) builds the tests of one subsystem into one executable.
function(vimra_test name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARGN} test_support GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    VIMRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VIMRA_PROGRAM_DIR="${VIMRA_PROGRAM_DIR}"
    VIMRA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/${folder}/data")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "VIMRA_TEST=1")
endfunction()
