# Project-wide build settings and helpers.

add_compile_options(-Wall -Wextra)

# Sanitizer configuration: -DRELVO7_SANITIZE=address (ASan + UBSan) or thread (TSan).
set(RELVO7_SANITIZE "" CACHE STRING "Sanitizer build: address, thread or empty")
if(RELVO7_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(RELVO7_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(RELVO7_SANITIZE)
  message(FATAL_ERROR "RELVO7_SANITIZE must be address, thread or empty")
endif()

# Tests that the sanitizer builds run are collected under this target.
if(NOT TARGET sanitized_tests)
  add_custom_target(sanitized_tests)
endif()

find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

# relvo7_add_test(NAME name SOURCES ... LIBS ... [SANITIZE] [LABELS ...] [TIMEOUT s])
# One GoogleTest executable registered with CTest. SANITIZE marks it for the
# ASan/UBSan and TSan runs of scripts/test.sh.
function(relvo7_add_test)
  cmake_parse_arguments(T "SANITIZE" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(labels ${T_LABELS})
  if(T_SANITIZE)
    list(APPEND labels sanitize)
    add_dependencies(sanitized_tests ${T_NAME})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${labels}"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
