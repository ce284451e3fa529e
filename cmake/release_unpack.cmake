# cmake -DZIP=<zip> -DDESTINATION=<folder> -P release_unpack.cmake: the zip unpacked into an
# emptied folder.
if(NOT EXISTS "${ZIP}")
  message(FATAL_ERROR "${ZIP} is missing: run tools/dist.sh")
endif()
file(REMOVE_RECURSE "${DESTINATION}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${DESTINATION}")
