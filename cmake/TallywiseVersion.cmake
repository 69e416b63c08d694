# The version of project() is the only place it is written. This makes it
# readable by the resource scripts and the programs, as TallywiseVersion.h of
# the target tallywise_version, and gives CMake scripts its parts.
foreach(part MAJOR MINOR PATCH)
  if(PROJECT_VERSION_${part} STREQUAL "")
    set(TALLYWISE_VERSION_${part} 0)
  else()
    set(TALLYWISE_VERSION_${part} ${PROJECT_VERSION_${part}})
  endif()
endforeach()

# As Windows writes a file version: four numbers.
set(TALLYWISE_VERSION_FOUR_PART "${TALLYWISE_VERSION_MAJOR}.${TALLYWISE_VERSION_MINOR}.${TALLYWISE_VERSION_PATCH}.0")

# As people read it: "1.2" for 1.2.0, "1.2.1" for a patch release.
if(TALLYWISE_VERSION_PATCH)
  set(TALLYWISE_VERSION_TEXT "${TALLYWISE_VERSION_MAJOR}.${TALLYWISE_VERSION_MINOR}.${TALLYWISE_VERSION_PATCH}")
else()
  set(TALLYWISE_VERSION_TEXT "${TALLYWISE_VERSION_MAJOR}.${TALLYWISE_VERSION_MINOR}")
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/TallywiseVersion.h.in ${PROJECT_BINARY_DIR}/version/TallywiseVersion.h @ONLY)

# Both programs stand above it: with the version comes the version record that
# their resource scripts include (version/VersionRecord.rc2).
add_library(tallywise_version INTERFACE)
target_include_directories(tallywise_version INTERFACE ${PROJECT_BINARY_DIR}/version ${PROJECT_SOURCE_DIR}/version)
