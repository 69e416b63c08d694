#!/usr/bin/env bash
# Writes the package managers' manifests of the release in DIST, from the
# files there and the release's identity (the build's tallywise-release.sh):
#   DIST/winget/<m>/<Maker>/<Program>/<version>/  winget's multi-file manifest
#                                                 (version, en-US locale, installers)
#   DIST/scoop/<program>.json                     Scoop's manifest of the zip
#   scripts/write-manifests.sh DIST RELEASE-INFO
# Run by scripts/package.sh. The identity's values are checked when the build
# is configured (cmake/TallywiseIdentityCheck.cmake): none holds a quote, so
# they go between single quotes in YAML and double quotes in JSON as they are.
set -euo pipefail
dist=$1
# shellcheck source=cmake/tallywise-release.sh.in
. "$2"
version=$tallywise_version
maker=$tallywise_maker
program=$tallywise_program_name
zip_name=$program-$version-win32.zip
setup_name=$program-$version-setup.exe
# Every version's files at their own address on the maker's host.
download=https://$tallywise_web_host/download/$version
home_page=http://$tallywise_web_host
release_date=$(date -u -d "@$SOURCE_DATE_EPOCH" +%F)
description="A small calculator: type an expression on one line, get its value; incomplete expressions are pointed out where they fail."
schema_version=1.12.0

sha256_of() { sha256sum "$dist/$1" | cut -d ' ' -f 1; }
setup_sha256=$(sha256_of "$setup_name" | tr a-f A-F)
zip_sha256=$(sha256_of "$zip_name" | tr a-f A-F)

identifier=$maker.$program
first_letter=$(printf '%s' "${maker:0:1}" | tr '[:upper:]' '[:lower:]')
winget=$dist/winget/$first_letter/$maker/$program/$version
mkdir -p "$winget"

schema_line() {  # manifest type
  echo "# yaml-language-server: \$schema=https://aka.ms/winget-manifest.$1.$schema_version.schema.json"
}

{
  schema_line version
  cat <<YAML

PackageIdentifier: '$identifier'
PackageVersion: '$version'
DefaultLocale: en-US
ManifestType: version
ManifestVersion: $schema_version
YAML
} >"$winget/$identifier.yaml"

{
  schema_line defaultLocale
  cat <<YAML

PackageIdentifier: '$identifier'
PackageVersion: '$version'
PackageLocale: en-US
Publisher: '$maker'
PublisherUrl: '$home_page'
PublisherSupportUrl: '$home_page'
PackageName: '$program'
PackageUrl: '$home_page'
License: MIT
Copyright: '$tallywise_legal_notice'
ShortDescription: '$description'
Moniker: tallywise
Tags:
- calculator
- expression
- arithmetic
ManifestType: defaultLocale
ManifestVersion: $schema_version
YAML
} >"$winget/$identifier.locale.en-US.yaml"

# The setup twice, once for each scope with its switch; the zip as a portable
# package whose two programs go on the PATH. The setup's statuses as
# docs/README.txt lists them: 5 is Tallywise installed in the other scope.
return_codes="  - InstallerReturnCode: 3
    ReturnResponse: packageInUse
  - InstallerReturnCode: 4
    ReturnResponse: downgrade
  - InstallerReturnCode: 5
    ReturnResponse: alreadyInstalled"
{
  schema_line installer
  cat <<YAML

PackageIdentifier: '$identifier'
PackageVersion: '$version'
MinimumOSVersion: 6.1.7601.0
ReleaseDate: '$release_date'
Installers:
- Architecture: x86
  InstallerType: nullsoft
  Scope: user
  InstallerUrl: '$download/$setup_name'
  InstallerSha256: $setup_sha256
  InstallerSwitches:
    Custom: /CurrentUser
  ProductCode: '$program'
  UpgradeBehavior: install
  ExpectedReturnCodes:
$return_codes
- Architecture: x86
  InstallerType: nullsoft
  Scope: machine
  InstallerUrl: '$download/$setup_name'
  InstallerSha256: $setup_sha256
  InstallerSwitches:
    Custom: /AllUsers
  ElevationRequirement: elevationRequired
  ProductCode: '$program'
  UpgradeBehavior: install
  ExpectedReturnCodes:
$return_codes
- Architecture: x86
  InstallerType: zip
  NestedInstallerType: portable
  NestedInstallerFiles:
  - RelativeFilePath: $program.exe
    PortableCommandAlias: tallywise
  - RelativeFilePath: tallywise-eval.exe
    PortableCommandAlias: tallywise-eval
  InstallerUrl: '$download/$zip_name'
  InstallerSha256: $zip_sha256
ManifestType: installer
ManifestVersion: $schema_version
YAML
} >"$winget/$identifier.installer.yaml"

# The zip's program keeps data.dat and history.txt beside itself (its
# portable.txt says so), which Scoop keeps across updates. Scoop makes a
# folder of a persisted name that exists neither in its kept copies nor in
# the app's folder, so before it persists them the first time they are made
# as empty files, which the program reads as the defaults and no history.
# The program replaces them by renaming a new file over them, which leaves
# Scoop's hard link to its kept copy behind; before an update or removal the
# current files go back to that copy.
mkdir -p "$dist/scoop"
program_lower=$(printf '%s' "$program" | tr '[:upper:]' '[:lower:]')
cat >"$dist/scoop/$program_lower.json" <<JSON
{
    "version": "$version",
    "description": "$description",
    "homepage": "$home_page",
    "license": "MIT",
    "url": "$download/$zip_name",
    "hash": "$(sha256_of "$zip_name")",
    "bin": "tallywise-eval.exe",
    "shortcuts": [
        [
            "$program.exe",
            "$program"
        ]
    ],
    "persist": [
        "data.dat",
        "history.txt"
    ],
    "pre_install": [
        "foreach (\$name in 'data.dat', 'history.txt') {",
        "    if (!(Test-Path (Join-Path \$persist_dir \$name)) -and !(Test-Path (Join-Path \$dir \$name))) {",
        "        New-Item (Join-Path \$dir \$name) -ItemType File | Out-Null",
        "    }",
        "}"
    ],
    "pre_uninstall": [
        "foreach (\$name in 'data.dat', 'history.txt') {",
        "    \$file = Join-Path \$dir \$name",
        "    if ((Test-Path \$file) -and (Get-Item \$file).LinkType -ne 'HardLink') {",
        "        Copy-Item \$file (Join-Path \$persist_dir \$name) -Force",
        "    }",
        "}"
    ]
}
JSON
