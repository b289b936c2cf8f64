# Builds the Windows staging tree STAGE from a Linux build's HOST_STAGE:
# every generated file, and in plumora_data/dll only the Windows libraries
# named in LIBRARIES ("|"-separated paths, each staged under its own name).
string(REPLACE "|" ";" libraries "${LIBRARIES}")
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY ${HOST_STAGE}/plumora_data DESTINATION ${STAGE} PATTERN "dll" EXCLUDE)
file(MAKE_DIRECTORY ${STAGE}/plumora_data/dll)
foreach(library ${libraries})
  file(COPY ${library} DESTINATION ${STAGE}/plumora_data/dll)
endforeach()
