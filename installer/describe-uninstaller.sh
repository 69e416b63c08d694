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

# gzip's trailer begins with the CRC-32 of its input, low byte first, as the
# uninstaller keeps it.
size=$(stat -c %s "$file")
tail -c +513 "$file" | head -c $((size - 512 - 4)) | gzip -c -n | tail -c 8 | head -c 4 |
  dd of="$file" bs=1 seek=$((size - 4)) conv=notrunc status=none
