# Fails unless the dynamic symbols that LIB defines are exactly the engine's
# interface: COBJECT3D's constructors, assignment, destructors, virtual table
# and type information, and CreateObject3d.
execute_process(COMMAND nm -D --defined-only -C ${LIB} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIB}")
endif()
string(REPLACE "\n" ";" lines "${out}")
set(allowed
  "CreateObject3d()"
  "COBJECT3D::COBJECT3D()"
  "COBJECT3D::COBJECT3D(COBJECT3D const&)"
  "COBJECT3D::operator=(COBJECT3D const&)"
  "COBJECT3D::~COBJECT3D()"
  "vtable for COBJECT3D"
  "typeinfo for COBJECT3D"
  "typeinfo name for COBJECT3D")
set(seen "")
foreach(line ${lines})
  if(line STREQUAL "")
    continue()
  endif()
  string(REGEX REPLACE "^[0-9a-fA-F]+ [A-Za-z] " "" name "${line}")
  list(FIND allowed "${name}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "unexpected export: ${line}")
  endif()
  list(APPEND seen "${name}")
endforeach()
foreach(name ${allowed})
  list(FIND seen "${name}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing export: ${name}")
  endif()
endforeach()
message(STATUS "exports are the interface only")
