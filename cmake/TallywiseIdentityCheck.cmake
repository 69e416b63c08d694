# Stops the configure step when a value of the identity could not be written
# safely everywhere it goes: between the double quotes of the C headers and
# the resource scripts, into the manifests' XML (the maker's and the program's
# names make the assembly's name, which Windows refuses with a blank in it),
# into NSIS strings, where $ starts a variable, into the shell's single
# quotes, and into the YAML and JSON of the package managers' manifests. Plain
# ASCII of a few kinds is enough for all of them, and a program that Windows
# refuses to start, or a broken release, is found here and not by a user.
# Included by TallywiseIdentity.cmake; also runs as a script, given the
# values with -D:
#   cmake -DTALLYWISE_MAKER=... (and the others) -P TallywiseIdentityCheck.cmake

# The package managers take names of at most 32 characters; no value is
# longer than a line.
function(tallywise_require_identity_value name longest pattern what)
  string(LENGTH "${${name}}" length)
  if(NOT "${${name}}" MATCHES "${pattern}" OR length GREATER longest)
    message(FATAL_ERROR
      "cmake/TallywiseIdentity.cmake: ${name} is \"${${name}}\", which cannot be written safely into "
      "the programs' manifests and resource scripts, the installer and the release scripts. "
      "It must be ${what}.")
  endif()
endfunction()

set(_tallywise_name_rule "^[A-Za-z0-9][A-Za-z0-9-]*$")
set(_tallywise_name_what "1 to 32 ASCII letters, digits and hyphens, starting with a letter or digit (no blank, no apostrophe, no accent)")
set(_tallywise_host_rule "^[a-z0-9]([a-z0-9-]*[a-z0-9])?(\\.[a-z0-9]([a-z0-9-]*[a-z0-9])?)+$")
tallywise_require_identity_value(TALLYWISE_PROGRAM_NAME 32 "${_tallywise_name_rule}" "${_tallywise_name_what}")
tallywise_require_identity_value(TALLYWISE_MAKER 32 "${_tallywise_name_rule}" "${_tallywise_name_what}")
tallywise_require_identity_value(TALLYWISE_LEGAL_NOTICE 80 "^[A-Za-z0-9][A-Za-z0-9 .,:;()/@+-]*$"
  "ASCII letters, digits, blanks and . , : ; ( ) / @ + - only (write (C) for the copyright sign)")
tallywise_require_identity_value(TALLYWISE_WEB_HOST 80 "${_tallywise_host_rule}"
  "a host name in lower case, such as maker.example")
tallywise_require_identity_value(TALLYWISE_SUPPORT_ADDRESS 80 "^[A-Za-z0-9._+-]+@[a-z0-9.-]+$"
  "an e-mail address of ASCII letters, digits and . _ + -")
tallywise_require_identity_value(TALLYWISE_ICON_ID 80 "^[1-9][0-9]?[0-9]?[0-9]?$"
  "a resource number from 1 to 9999")
