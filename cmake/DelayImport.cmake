# Delay-import libraries for Windows system DLLs that may be missing.
#
# Windows loads every DLL in an executable's import table before the program's first instruction and refuses
# to start the program when one is missing. The program must start without OpenGL and say so, so opengl32.dll
# and glu32.dll are bound through delay-import libraries instead: their entry points resolve on the first call,
# which the program makes only after its own LoadLibraryA("opengl32.dll") has succeeded.
#
# The export list of each delay library is generated from the toolchain's own import library, not kept by
# hand: it is then the complete list of the DLL's entry points with exactly the decorations that the
# toolchain's headers declare (on 32-bit Windows the stdcall names carry their argument size, _glBegin@4,
# which the import library and our objects must agree on), and any GL function that new code or a test calls
# is covered without editing a list. On 32-bit Windows dlltool --kill-at then imports each function by its
# undecorated name (glBegin), which is how the DLL exports it.

# Defines the imported library viduzirivo::<dll>_delay for the system DLL <dll>.dll.
function(viduzirivo_delay_import dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${dll}.a OUTPUT_VARIABLE import_library
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import_library} OUTPUT_VARIABLE symbols
                  COMMAND_ERROR_IS_FATAL ANY)
  # Each entry point appears as a code symbol ("T name") beside its import pointer ("I __imp_name").
  string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\n]+" entries "${symbols}")
  set(exports "")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" name "${entry}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "^_" "" name "${name}") # the C symbol prefix of 32-bit Windows
    endif()
    string(APPEND exports "${name}\n")
  endforeach()
  if(exports STREQUAL "")
    message(FATAL_ERROR "No entry points found in ${import_library}")
  endif()

  set(directory ${CMAKE_BINARY_DIR}/delayimport)
  set(definition ${directory}/${dll}.def)
  set(library ${directory}/lib${dll}_delay.a)
  file(WRITE ${definition} "LIBRARY ${dll}.dll\nEXPORTS\n${exports}")
  set(kill_at "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at --kill-at)
  endif()
  # Relative names: dlltool names the library's symbols after its output path.
  execute_process(COMMAND ${CMAKE_DLLTOOL} ${kill_at} --input-def ${dll}.def --output-delaylib lib${dll}_delay.a
                  WORKING_DIRECTORY ${directory} COMMAND_ERROR_IS_FATAL ANY)
  add_library(viduzirivo::${dll}_delay STATIC IMPORTED GLOBAL)
  set_target_properties(viduzirivo::${dll}_delay PROPERTIES IMPORTED_LOCATION ${library})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    viduzirivo_keep_float_arguments(${library} lib${dll}_delay_a)
  else()
    # The 32-bit linker drops the code of an import stub whose own symbol nobody references, as it may for
    # an ordinary import library where calls go through __imp_ pointers (which <windows.h> and <GL/gl.h>
    # declare). In a delay-import library that code also holds the entry that binds the function on its
    # first call, so its import slot would point at address 0. Naming every stub as undefined keeps them.
    string(REGEX REPLACE "([^\n]+)\n" "-u _\\1\n" keep "${exports}")
    file(WRITE ${directory}/${dll}.keep "${keep}")
    set_target_properties(viduzirivo::${dll}_delay PROPERTIES INTERFACE_LINK_OPTIONS "LINKER:@${directory}/${dll}.keep")
  endif()
endfunction()

# dlltool's (binutils 2.40) 64-bit delay-load entry saves only the integer argument registers around
# __delayLoadHelper2. The first call of a function that takes floating-point arguments (glClearColor,
# glRotatef, gluPerspective, ...) would then reach OpenGL with whatever the helper left in xmm0-xmm3. This
# swaps the entry in the library `library` (whose symbols carry `stem`) for one that keeps them.
function(viduzirivo_keep_float_arguments library stem)
  get_filename_component(directory ${library} DIRECTORY)
  set(header ${stem}_h.o)
  execute_process(COMMAND ${CMAKE_AR} x ${library} ${header} WORKING_DIRECTORY ${directory}
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_OBJCOPY} --localize-symbol=__tailMerge_${stem} ${header}
                  WORKING_DIRECTORY ${directory} COMMAND_ERROR_IS_FATAL ANY)
  set(STEM ${stem})
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/delayimport-tailmerge-x86_64.s.in ${directory}/${stem}_tailmerge.s
                 @ONLY)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -c ${stem}_tailmerge.s -o ${stem}_tailmerge.o
                  WORKING_DIRECTORY ${directory} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${CMAKE_AR} rs ${library} ${header} ${stem}_tailmerge.o WORKING_DIRECTORY ${directory}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
