# Shared build helpers.

# tarven_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [DATABASE] [LABELS <labels...>])
# One Qt Test executable registered with CTest. Widget tests run on the offscreen platform.
# DATABASE marks a test that needs the Firebird server started by scripts/setup.sh.
function(tarven_add_test)
  cmake_parse_arguments(T "DATABASE" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "QT_QPA_PLATFORM=offscreen;TARVEN_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set(labels ${T_LABELS})
  if(T_DATABASE)
    list(APPEND labels database)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT} LABELS "${labels}")
endfunction()
