# Warnings and instrumentation shared by every target of the tree.
add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(ZIBOLT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
endif()

if(ZIBOLT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZIBOLT_FUZZ needs clang (configure with CXX=clang++-14)")
  endif()
  # Libraries get coverage instrumentation; the fuzz executables link the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# zibolt_library(name sources...): one static library per source folder.
function(zibolt_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
