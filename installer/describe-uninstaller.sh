#!/usr/bin/env bash
# Gives the uninstaller that makensis has just built a description of its own.
# makensis writes one version record into the installer and the uninstaller;
# this replaces the installer's description in the uninstaller's copy by one
# of the same length and renews the uninstaller's self-check, a CRC-32 of
# everything after its first 512 bytes kept in its last 4 bytes.
#   describe-uninstaller.sh Uninstall.exe INSTALLER-DESCRIPTION UNINSTALLER-DESCRIPTION
# Run by installer/Tallywise.nsi through !uninstfinalize.
set -euo pipefail
file=$1
[ ${#2} -eq ${#3} ] || { echo "describe-uninstaller.sh: the descriptions differ in length" >&2; exit 1; }

# The version record's strings are UTF-16LE; the descriptions are ASCII.
INSTALLER=$2 UNINSTALLER=$3 perl -0777 -pi -e '
  my ($old, $new) = map { join "", map { $_ . "\0" } split //, $_ } ($ENV{INSTALLER}, $ENV{UNINSTALLER});
  my $count = () = /\Q$old\E/g;
  die "describe-uninstaller.sh: the description is there $count times, not once\n" if $count != 1;
  s/\Q$old\E/$new/;
' "$file"

# The CRC-32 (zlib's, as the uninstaller checks it) is computed and written
# back in one step: no pipe whose reader stops early.
python3 - "$file" <<'PYTHON'
import sys, zlib
with open(sys.argv[1], "r+b") as uninstaller:
    data = uninstaller.read()
    if len(data) < 516:
        sys.exit(f"describe-uninstaller.sh: {sys.argv[1]} is too short")
    uninstaller.seek(len(data) - 4)
    uninstaller.write(zlib.crc32(data[512:-4]).to_bytes(4, "little"))
PYTHON
