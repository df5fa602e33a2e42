# ferrin_add_test(<name> SOURCES ... [LIBS ...] [RESOURCE_LOCK lock] [ENVIRONMENT VAR=value ...]
#                 [RUNTIME_FILES file ...])
# Locks in use: keyboard (global hot keys, typed input, focus and activation:
# every program that shows a window which can become the active one takes it, or
# the window takes the keys another test types), tray (the notification area),
# broadcast (messages to every window), comcatalog, xp. A program may take several.
# Builds a GoogleTest program and registers its cases with CTest. Discovery runs
# when CTest runs (under Wine), never during the build.
function(ferrin_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;RESOURCE_LOCK;ENVIRONMENT;RUNTIME_FILES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} test_support GTest::gtest)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests/${name}")
  if(T_RUNTIME_FILES)
    # Files beside the test program (a target name: that target's file, such as
    # vcam or a double), copied by a step of their own that runs on every build:
    # a copy made after linking would miss a rebuilt file whenever the test
    # program itself did not need linking again.
    set(program_dir "${CMAKE_BINARY_DIR}/tests/${name}")
    set(copies COMMAND ${CMAKE_COMMAND} -E make_directory "${program_dir}")
    foreach(file IN LISTS T_RUNTIME_FILES)
      if(TARGET ${file})
        list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${file}> "${program_dir}")
      else()
        list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} "${program_dir}")
      endif()
    endforeach()
    add_custom_target(${name}_runtime_files ${copies} VERBATIM)
    foreach(file IN LISTS T_RUNTIME_FILES)
      if(TARGET ${file})
        add_dependencies(${name}_runtime_files ${file})
      endif()
    endforeach()
    add_dependencies(${name} ${name}_runtime_files)
  endif()
  set(props TIMEOUT 120)
  # The environment lies beside the program, where scripts/wine-run.sh reads it:
  # the same for discovery, for each test and for a run by hand.
  set(env_file "${CMAKE_BINARY_DIR}/tests/${name}/wine-test.env")
  if(T_ENVIRONMENT)
    list(JOIN T_ENVIRONMENT "\n" env_lines)
    file(GENERATE OUTPUT "${env_file}" CONTENT "${env_lines}\n")
  else()
    file(GENERATE OUTPUT "${env_file}" CONTENT "")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>
    PROPERTIES ${props})
  if(T_RESOURCE_LOCK)
    # gtest_discover_tests keeps only the first element of a list property, so
    # the locks are set by a script CTest runs after it has defined the tests
    # (their names are then in <name>_TESTS).
    set(lock_script "${CMAKE_CURRENT_BINARY_DIR}/${name}_locks.cmake")
    file(WRITE "${lock_script}"
      "if(${name}_TESTS)\n"
      "  set_tests_properties(\${${name}_TESTS} PROPERTIES RESOURCE_LOCK \"${T_RESOURCE_LOCK}\")\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${lock_script}")
  endif()
endfunction()
include(GoogleTest)
