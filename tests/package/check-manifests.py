#!/usr/bin/env python3
"""The package managers' manifests in dist/ against their published schemas.

    check-manifests.py DIST SCHEMAS VERSION MAKER PROGRAM WEB-HOST

Prints "ok ..." or "FAIL ..." a line and fails when any failed: winget's
three files (each with its schema line, valid, one identity and version,
every download at the maker's host for this version with the hash of the file
in DIST) and Scoop's manifest (valid, the zip's address and hash, the
programs and the files it keeps). Reads YAML with python3-yaml and validates
with python3-jsonschema (Draft 7, as both schemas declare).
"""
import hashlib
import json
import pathlib
import sys

import jsonschema
import yaml

dist, schemas, version, maker, program, host = sys.argv[1:7]
dist, schemas = pathlib.Path(dist), pathlib.Path(schemas)
identifier = f"{maker}.{program}"
download = f"https://{host}/download/{version}/"
failures = 0


def check(name, problems):
    global failures
    if problems:
        failures += 1
        print(f"FAIL {name}")
        for problem in problems:
            print(f"  {problem}")
    else:
        print(f"ok {name}")


def schema_problems(document, schema_file):
    schema = json.loads(schema_file.read_text(encoding="utf-8"))
    validator = jsonschema.Draft7Validator(schema)
    return [f"{'/'.join(map(str, error.absolute_path)) or '(top)'}: {error.message}"
            for error in validator.iter_errors(document)]


def download_problems(url, sha256):
    """The address is this version's on the maker's host, the hash its file's."""
    if not url.startswith(download):
        return [f"{url} is not below {download}"]
    path = dist / url[len(download):]
    if not path.is_file():
        return [f"{url} names no file in {dist}"]
    if hashlib.sha256(path.read_bytes()).hexdigest() != sha256.lower():
        return [f"the hash given for {url} is not that of {path.name}"]
    return []


def winget_problems():
    folder = dist / "winget" / maker[0].lower() / maker / program / version
    kinds = {"version": f"{identifier}.yaml",
             "defaultLocale": f"{identifier}.locale.en-US.yaml",
             "installer": f"{identifier}.installer.yaml"}
    found = sorted(p.name for p in folder.glob("*")) if folder.is_dir() else []
    if found != sorted(kinds.values()):
        return [f"{folder} holds {found}"]
    problems, installers = [], []
    for kind, name in kinds.items():
        text = (folder / name).read_text(encoding="utf-8")
        schema_url = f"https://aka.ms/winget-manifest.{kind}.1.12.0.schema.json"
        if text.splitlines()[0] != f"# yaml-language-server: $schema={schema_url}":
            problems.append(f"{name} does not start with its schema line")
        document = yaml.safe_load(text)
        problems += [f"{name}: {p}" for p in schema_problems(
            document, schemas / "winget-1.12.0" / f"manifest.{kind}.1.12.0.json")]
        if (document.get("PackageIdentifier"), document.get("PackageVersion"),
                document.get("ManifestType")) != (identifier, version, kind):
            problems.append(f"{name} names {document.get('PackageIdentifier')} "
                            f"{document.get('PackageVersion')} as {document.get('ManifestType')}")
        if kind == "installer":
            installers = document.get("Installers", [])
    for installer in installers:
        problems += download_problems(installer["InstallerUrl"], installer["InstallerSha256"])
    kinds_listed = sorted((i.get("InstallerType"), i.get("Scope") or "",
                           i.get("InstallerSwitches", {}).get("Custom", ""),
                           i.get("ElevationRequirement", "")) for i in installers)
    wanted = [("nullsoft", "machine", "/AllUsers", "elevationRequired"),
              ("nullsoft", "user", "/CurrentUser", ""), ("zip", "", "", "")]
    if kinds_listed != wanted:
        problems.append(f"installers listed: {kinds_listed}")
    for installer in installers:
        if installer.get("InstallerType") == "zip":
            aliases = sorted(f.get("PortableCommandAlias", "") for f in installer.get("NestedInstallerFiles", []))
            if installer.get("NestedInstallerType") != "portable" or aliases != ["tallywise", "tallywise-eval"]:
                problems.append(f"the zip is {installer.get('NestedInstallerType')} with aliases {aliases}")
        else:
            codes = {c["InstallerReturnCode"]: c["ReturnResponse"] for c in installer.get("ExpectedReturnCodes", [])}
            if codes.get(3) != "packageInUse" or codes.get(4) != "downgrade":
                problems.append(f"the {installer.get('Scope')} setup's return codes: {codes}")
    return problems


def scoop_problems():
    path = dist / "scoop" / f"{program.lower()}.json"
    if not path.is_file():
        return [f"no {path}"]
    manifest = json.loads(path.read_text(encoding="utf-8"))
    problems = schema_problems(manifest, schemas / "scoop" / "schema.json")
    if manifest.get("version") != version:
        problems.append(f"version {manifest.get('version')}")
    problems += download_problems(manifest.get("url", ""), manifest.get("hash", ""))
    if not manifest.get("url", "").endswith("-win32.zip"):
        problems.append(f"url {manifest.get('url')} is not the zip")
    if manifest.get("bin") != "tallywise-eval.exe" or manifest.get("shortcuts") != [[f"{program}.exe", program]]:
        problems.append(f"bin {manifest.get('bin')}, shortcuts {manifest.get('shortcuts')}")
    if manifest.get("persist") != ["data.dat", "history.txt"]:
        problems.append(f"persist {manifest.get('persist')}")
    # Scoop would make folders of persisted names that are nowhere yet: the
    # files are made before it persists them.
    pre_install = "\n".join(manifest.get("pre_install", []))
    if "-ItemType File" not in pre_install or any(f"'{name}'" not in pre_install for name in manifest.get("persist", [])):
        problems.append(f"pre_install does not make the persisted files: {pre_install!r}")
    return problems


check("winget manifests: schema 1.12.0, both scopes and the portable zip, addresses and hashes", winget_problems())
check("Scoop manifest: schema, the zip's address and hash, bin, shortcut, persist of files made first", scoop_problems())
sys.exit(1 if failures else 0)
