"""Reads back the version resource of each DLL given and checks it against the release's version:
   version_resources.py VERSION DLL...
Also checks that each DLL is a stripped 32-bit x86 module. Prints one line per DLL."""
import os
import sys

import pefile

EXPECTED = {"ProductName": "Vorlane exchange plug-ins", "CompanyName": "Vorlane"}


def strings_of(pe):
    found = {}
    for info in getattr(pe, "FileInfo", []) or []:
        for block in info:
            for table in getattr(block, "StringTable", []):
                for key, value in table.entries.items():
                    found[key.decode()] = value.decode()
    return found


def check(path, version):
    faults = []
    pe = pefile.PE(path)
    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]:
        faults.append("not a 32-bit x86 module")
    if pe.FILE_HEADER.NumberOfSymbols:
        faults.append("not stripped")
    if not hasattr(pe, "VS_FIXEDFILEINFO"):
        return faults + ["no version resource"], {}
    fixed = pe.VS_FIXEDFILEINFO[0]
    numbers = [int(n) for n in version.split(".")] + [0]
    packed = ((numbers[0] << 16 | numbers[1]), (numbers[2] << 16 | numbers[3]))
    if (fixed.FileVersionMS, fixed.FileVersionLS) != packed or (fixed.ProductVersionMS, fixed.ProductVersionLS) != packed:
        faults.append("fixed file or product version is not " + version)
    found = strings_of(pe)
    stem = os.path.splitext(os.path.basename(path))[0]
    wanted = dict(EXPECTED, FileVersion=version, ProductVersion=version, OriginalFilename=stem + ".dll")
    for key, value in wanted.items():
        if found.get(key) != value:
            faults.append(f"{key} is {found.get(key)!r}, expected {value!r}")
    if not found.get("FileDescription") or found.get("FileDescription") == stem:
        faults.append("no file description of its own")
    return faults, found


def main():
    version, paths = sys.argv[1], sys.argv[2:]
    failed = False
    descriptions = set()
    for path in paths:
        faults, found = check(path, version)
        description = found.get("FileDescription", "")
        if description in descriptions:
            faults.append("file description shared with another DLL")
        descriptions.add(description)
        print(f"{os.path.basename(path)}: {found.get('ProductName')} / {description} / "
              f"{found.get('CompanyName')} / {found.get('FileVersion')}")
        for fault in faults:
            print(f"  FAULT: {fault}")
        failed = failed or bool(faults)
    return 1 if failed or not paths else 0


if __name__ == "__main__":
    sys.exit(main())
