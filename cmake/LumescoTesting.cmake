# lumesco_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [QTEST])
# Builds one test executable and registers it with CTest. GoogleTest is the default;
# QTEST builds a Qt Test executable (widgets), run on the offscreen platform.
function(lumesco_add_test name)
  cmake_parse_arguments(T "QTEST;BOTH_ENGINES" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE lumesco_options ${T_LIBS})
  if(T_QTEST)
    target_link_libraries(${name} PRIVATE Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LUMESCO_NO_SHELL=1;LUMESCO_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
    TIMEOUT 300)
  # The same tests again on a server year (scripts/test.sh starts the server).
  if(T_BOTH_ENGINES)
    add_test(NAME ${name}_postgresql COMMAND ${name})
    set_tests_properties(${name}_postgresql PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LUMESCO_NO_SHELL=1;LUMESCO_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data;LUMESCO_TEST_ENGINE=postgresql"
      SKIP_RETURN_CODE 77 TIMEOUT 300)
  endif()
endfunction()

# lumesco_folder_library(NAME DEPS lib... [UI_DEPS lib...] [EXTRA_LIBS ...])
# The logic of a folder (every .cpp below it except under a forms/ folder at any depth) becomes
# the static library lumesco_<NAME>, without QtWidgets; the windows under the forms/ folders
# become lumesco_<NAME>_ui.
function(lumesco_folder_library name)
  cmake_parse_arguments(L "" "" "DEPS;UI_DEPS;EXTRA_LIBS" ${ARGN})
  file(GLOB_RECURSE all_sources CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  set(logic_sources)
  set(ui_sources)
  foreach(src IN LISTS all_sources)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${src})
    # A subfolder's own windows (booklets/forms, slips/forms) belong with the folder's windows too.
    if(rel MATCHES "^([^/]+/)*forms/")
      list(APPEND ui_sources ${src})
    elseif(rel MATCHES "^(sim|tools|program)/")
      # executables of their own, built by the folder's CMakeLists
    else()
      list(APPEND logic_sources ${src})
    endif()
  endforeach()
  add_library(lumesco_${name} STATIC ${logic_sources})
  target_link_libraries(lumesco_${name} PUBLIC lumesco_options Qt6::Core Qt6::Gui ${L_DEPS} ${L_EXTRA_LIBS})
  if(ui_sources)
    add_library(lumesco_${name}_ui STATIC ${ui_sources})
    target_link_libraries(lumesco_${name}_ui PUBLIC lumesco_${name} Qt6::Widgets Qt6::PrintSupport ${L_UI_DEPS})
  endif()
endfunction()

# lumesco_folder_tests(NAME LIBS lib...)
# Every sub-folder of the current tests folder becomes one test executable test_<NAME>_<sub>
# (GoogleTest), and so do the .cpp files directly in it, as test_<NAME>. A sub-folder whose name
# starts with "ui" is built as a Qt Test executable instead, one per .cpp file. The sub-folders
# named after BOTH_ENGINES run on SQLite files and again on a PostgreSQL server year.
function(lumesco_folder_tests name)
  cmake_parse_arguments(T "" "" "LIBS;UI_LIBS;BOTH_ENGINES" ${ARGN})
  file(GLOB direct CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(direct)
    lumesco_add_test(test_${name} SOURCES ${direct} LIBS ${T_LIBS} lumesco_test_support)
  endif()
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child})
      get_filename_component(sub ${child} NAME)
      file(GLOB sources CONFIGURE_DEPENDS ${child}/*.cpp)
      if(NOT sources)
        continue()
      endif()
      if(sub MATCHES "^ui")
        foreach(src IN LISTS sources)
          get_filename_component(base ${src} NAME_WE)
          lumesco_add_test(test_${name}_${base} QTEST SOURCES ${src} LIBS ${T_LIBS} ${T_UI_LIBS} lumesco_test_support)
        endforeach()
      else()
        set(engines)
        if(sub IN_LIST T_BOTH_ENGINES)
          set(engines BOTH_ENGINES)
        endif()
        lumesco_add_test(test_${name}_${sub} ${engines} SOURCES ${sources} LIBS ${T_LIBS} lumesco_test_support)
      endif()
    endif()
  endforeach()
endfunction()
