# Compile and link settings of the programs that run on a bare Windows 95: no C runtime,
# no exceptions or RTTI, imports from KERNEL32, USER32, GDI32 and ADVAPI32 only, PE 4.0.
set(VELMORA_PRODUCTION_COMPILE_OPTIONS
  -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-threadsafe-statics
  # Keeps GCC from turning the start-up file's own memset loop into a call to memset.
  -fno-tree-loop-distribute-patterns
  # Each function apart, so that the link leaves out what a program never calls.
  -ffunction-sections -fdata-sections
  -Wall -Wextra -Wno-unused-parameter)

set(VELMORA_PRODUCTION_LINK_OPTIONS
  -nostdlib -nostartfiles -Wl,-e,_ProgramStart@0
  -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0
  # A program is always loaded at its own base on Windows 95: relocations are dead weight.
  -Wl,--disable-dynamicbase -Wl,--disable-reloc-section -Wl,--gc-sections
  -s)

set(VELMORA_PRODUCTION_LIBRARIES kernel32 user32 gdi32 advapi32 gcc)

# Makes TARGET a production program: the start-up stub, the flags above, an upper-case
# file name as on the setup diskette. Further arguments are the target's own libraries,
# which must come before the system ones on the link line.
function(velmora_program target output_name output_dir)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/shell/start.cpp)
  target_compile_options(${target} PRIVATE ${VELMORA_PRODUCTION_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${VELMORA_PRODUCTION_LINK_OPTIONS})
  target_link_libraries(${target} PRIVATE ${ARGN} ${VELMORA_PRODUCTION_LIBRARIES})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output_name} SUFFIX ".EXE" WIN32_EXECUTABLE ON
    RUNTIME_OUTPUT_DIRECTORY ${output_dir})
endfunction()
