# The layer rule of the program's folders: a folder includes only its own
# headers and those of the folders below it. From the bottom up:
#
#   platform -> math -> runtime -> pipes -> scene -> shell
#
# (scene may include pipes, never the reverse). plm_engine and bass.so are
# libraries loaded at run time and include nothing of the program's own; the
# engine's public header is reached as "plm_engine.h", not by folder. tools,
# tests, fuzz and bench stand above everything and are not checked.
#
# Only includes of the form #include "folder/..." are looked at. An include
# of a folder that the including folder may not use is reported as
# file:line and fails the run.
#
# Used two ways: include()d by the top-level CMakeLists, which calls
# plm_check_layers(<root>) at configure time and registers the build-time
# re-check; or run as a script, cmake -DPLM_LAYERS_ROOT=<root> -P <this file>.

cmake_minimum_required(VERSION 3.25)

set(PLM_LAYER_FOLDERS platform math runtime engine audio pipes scene shell)
set(PLM_LAYER_platform platform)
set(PLM_LAYER_math math)
set(PLM_LAYER_runtime runtime math platform)
set(PLM_LAYER_engine engine)
set(PLM_LAYER_audio audio)
set(PLM_LAYER_pipes pipes runtime math platform)
set(PLM_LAYER_scene scene pipes runtime math platform)
set(PLM_LAYER_shell shell scene pipes runtime math platform)
# Folders that no checked folder may include.
set(PLM_LAYER_ABOVE tools tests fuzz bench data)

# The 1-based line numbers of file's lines that include "<folder>/...".
function(plm_include_lines file folder out)
  file(READ ${file} text)
  # Characters that would change how the list splits into lines.
  foreach(special ";" "[" "]" "\\")
    string(REPLACE "${special}" "_" text "${text}")
  endforeach()
  string(REPLACE "\n" ";" lines "${text}")
  set(number 0)
  set(found "")
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"${folder}/")
      list(APPEND found ${number})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Reports every include in folder that breaks the rule; appends the reports
# to the list named by out.
function(plm_check_layer_folder root folder out)
  set(reports ${${out}})
  file(GLOB_RECURSE sources ${root}/${folder}/*.h ${root}/${folder}/*.cpp ${root}/${folder}/*.c)
  foreach(file ${sources})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
    set(bad "")
    foreach(include ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/.*" "\\1" target "${include}")
      set(known ${PLM_LAYER_FOLDERS} ${PLM_LAYER_ABOVE})
      if(target IN_LIST known AND NOT target IN_LIST PLM_LAYER_${folder})
        list(APPEND bad ${target})
      endif()
    endforeach()
    list(REMOVE_DUPLICATES bad)
    foreach(target ${bad})
      plm_include_lines(${file} ${target} numbers)
      file(RELATIVE_PATH name ${root} ${file})
      foreach(number ${numbers})
        list(APPEND reports "${name}:${number}: ${folder}/ may not include ${target}/")
      endforeach()
    endforeach()
  endforeach()
  set(${out} ${reports} PARENT_SCOPE)
endfunction()

# Checks every layer folder under root; a broken rule is a fatal error.
function(plm_check_layers root)
  set(reports "")
  foreach(folder ${PLM_LAYER_FOLDERS})
    plm_check_layer_folder(${root} ${folder} reports)
  endforeach()
  foreach(report ${reports})
    message(NOTICE "${report}")
  endforeach()
  if(reports)
    message(FATAL_ERROR "includes above reach up the layers (platform -> math -> runtime -> pipes -> "
      "scene -> shell)")
  endif()
endfunction()

# Checks root now (configure time) and adds plm_check_layers, a target of the
# default build that checks again whenever a source of a layer folder changes.
function(plm_add_layer_check root)
  plm_check_layers(${root})
  set(patterns "")
  foreach(folder ${PLM_LAYER_FOLDERS})
    list(APPEND patterns ${root}/${folder}/*.h ${root}/${folder}/*.cpp ${root}/${folder}/*.c)
  endforeach()
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${patterns})
  set(stamp ${CMAKE_BINARY_DIR}/layers_checked.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DPLM_LAYERS_ROOT=${root} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Checking that includes only go down the layers"
    VERBATIM)
  add_custom_target(plm_check_layers ALL DEPENDS ${stamp})
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
  if(NOT PLM_LAYERS_ROOT)
    message(FATAL_ERROR "usage: cmake -DPLM_LAYERS_ROOT=<source tree> -P check_layers.cmake")
  endif()
  plm_check_layers(${PLM_LAYERS_ROOT})
endif()
