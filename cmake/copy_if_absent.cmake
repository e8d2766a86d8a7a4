# Copies SOURCE to DESTINATION unless DESTINATION exists: a rebuild never overwrites the user's cities.
if(NOT EXISTS "${DESTINATION}")
    configure_file("${SOURCE}" "${DESTINATION}" COPYONLY)
endif()
