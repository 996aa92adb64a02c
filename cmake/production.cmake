# Compile and link settings of the programs that run on a bare Windows 95: no C runtime,
# no exceptions or RTTI, imports from KERNEL32, USER32, GDI32 and ADVAPI32 only, PE 4.0.
set(VELMORA_PRODUCTION_COMPILE_OPTIONS
  # Smallest code, before speed: nothing here is fast enough for it to matter.
  -Oz -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-threadsafe-statics
  # Keeps GCC from turning the start-up file's own memset loop into a call to memset.
  -fno-tree-loop-distribute-patterns
  # Each function apart, so that the link leaves out what a program never calls. Not each
  # variable: this compiler then puts zero-initialized ones into the file's data section.
  -ffunction-sections
  # This target keeps a frame pointer unless told otherwise; nothing here walks the stack.
  -fomit-frame-pointer
  # Arguments pushed rather than stored into a frame made for the largest call: each call
  # shorter by a few bytes, about a fifth of every program's code. The stores are what the
  # stack probe of a frame beyond a page needs, so the probe goes and no frame may reach a
  # page (4,096 bytes, Windows' guard page): larger buffers are static, and the imports test
  # (scripts/check-imports.sh) fails a program with such a frame. Windows keeps the stack
  # aligned to 4 bytes only.
  -mno-stack-arg-probe -mno-accumulate-outgoing-args -mpreferred-stack-boundary=2
  # The whole program optimized at its link, across files: SETUP.EXE keeps to its share of
  # the diskette only so. The tests link the same code, optimized with theirs.
  -flto
  -Wall -Wextra -Wno-unused-parameter)

set(VELMORA_PRODUCTION_LINK_OPTIONS
  -nostdlib -nostartfiles -Wl,-e,_ProgramStart@0
  -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0
  # A program is always loaded at its own base on Windows 95: relocations are dead weight.
  -Wl,--disable-dynamicbase -Wl,--disable-reloc-section -Wl,--gc-sections
  # The optimization of the link-time compilation, as the files were compiled.
  -flto -Oz -fomit-frame-pointer
  -s)

set(VELMORA_PRODUCTION_LIBRARIES kernel32 user32 gdi32 advapi32 gcc)

# Makes TARGET a production program: the start-up stub, the flags above, an upper-case
# file name as on the setup diskette. Further arguments are the target's own libraries,
# which must come before the system ones on the link line.
function(velmora_program target output_name output_dir)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/shell/start.cpp)
  # Its twin, linked alike but keeping its symbols (built only when asked for): where the
  # bytes of the shipped file go, function by function (scripts/program-sizes.sh).
  get_target_property(sources ${target} SOURCES)
  add_executable(${target}_symbols EXCLUDE_FROM_ALL ${sources})
  set(symbols_link_options ${VELMORA_PRODUCTION_LINK_OPTIONS})
  list(REMOVE_ITEM symbols_link_options -s)
  foreach(program ${target} ${target}_symbols)
    target_compile_options(${program} PRIVATE ${VELMORA_PRODUCTION_COMPILE_OPTIONS})
    target_link_libraries(${program} PRIVATE ${ARGN} ${VELMORA_PRODUCTION_LIBRARIES})
    set_target_properties(${program} PROPERTIES
      OUTPUT_NAME ${output_name} SUFFIX ".EXE" WIN32_EXECUTABLE ON)
  endforeach()
  target_link_options(${target} PRIVATE ${VELMORA_PRODUCTION_LINK_OPTIONS})
  target_link_options(${target}_symbols PRIVATE ${symbols_link_options})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${output_dir})
  set_target_properties(${target}_symbols PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/symbols/${target})
endfunction()
