# quorvel_add_test(name sources... [LIBS libs...])
# Builds one Qt Test program and registers it with CTest, run offscreen so no display is needed.
function(quorvel_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
  target_link_libraries(${name} PRIVATE quorvel_test_support Qt6::Test ${ARG_LIBS})
  # Qt Test and the widgets a test drives are most of what a test file compiles. The first test of
  # a folder precompiles them and the folder's other tests reuse that: Qt Test names the folder in
  # a macro, so a header precompiled in one folder is not taken in another.
  get_directory_property(pch_owner QUORVEL_TEST_PCH_OWNER)
  if(pch_owner)
    target_precompile_headers(${name} REUSE_FROM ${pch_owner})
  else()
    target_precompile_headers(${name} PRIVATE <QtTest> <QtWidgets>)
    set_directory_properties(PROPERTIES QUORVEL_TEST_PCH_OWNER ${name})
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUORVEL_SHARED_DIR=${PROJECT_SOURCE_DIR}/../shared;QUORVEL_BIN_DIR=${QUORVEL_BIN_DIR}"
    TIMEOUT 300)
endfunction()

# quorvel_install_command(name file component)
# Installs bin/<name> as a relative link to <file> in the program directory, so the program still
# finds its own folder (it reads where it really lies) and the link works under any prefix.
function(quorvel_install_command name file component)
  set(link ${CMAKE_BINARY_DIR}/commands/${name})
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/commands)
  file(CREATE_LINK ../${QUORVEL_INSTALL_DIR}/${file} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
endfunction()
