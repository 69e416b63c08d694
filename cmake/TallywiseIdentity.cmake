# Who makes the program and what it is called, written here only. The
# programs and their resource scripts read it as TallywiseIdentity.h (target
# tallywise_version); the release scripts and the installer read it, with the
# version, from the build folder: release/tallywise-release.sh for the shell,
# release/tallywise-release.nsh for makensis.
set(TALLYWISE_PROGRAM_NAME "Tallywise")
set(TALLYWISE_MAKER "Quillbright")
set(TALLYWISE_LEGAL_NOTICE "Copyright (C) 2026 Quillbright")
# The About box's links and the Apps & Features entry lead here.
set(TALLYWISE_WEB_HOST "quillbright.example")
set(TALLYWISE_SUPPORT_ADDRESS "support@quillbright.example")
# The program's own icon among its resources.
set(TALLYWISE_ICON_ID 128)

include(${CMAKE_CURRENT_LIST_DIR}/TallywiseIdentityCheck.cmake)

configure_file(${CMAKE_CURRENT_LIST_DIR}/TallywiseIdentity.h.in ${PROJECT_BINARY_DIR}/version/TallywiseIdentity.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tallywise-release.sh.in ${PROJECT_BINARY_DIR}/release/tallywise-release.sh @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tallywise-release.nsh.in ${PROJECT_BINARY_DIR}/release/tallywise-release.nsh @ONLY)
