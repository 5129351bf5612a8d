#!/usr/bin/env python3
# Checks the release package: exactly pixtrove.exe and pixtrove.html at its top, the help page
# as in the source tree, and the program's version resource saying the release's version.
# Usage: check-package.py PACKAGE.zip VERSION HELP.html
import os
import re
import struct
import sys
import zipfile


def utf16(text):
    return text.encode("utf-16-le")


def version_block(exe):
    """The VS_VERSION_INFO resource: its length comes in the word before its key."""
    at = exe.find(utf16("VS_VERSION_INFO\0"))
    if at < 6:
        return b""
    (length,) = struct.unpack_from("<H", exe, at - 6)
    return exe[at - 6 : at - 6 + length]


def fixed_file_version(block):
    at = block.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    ms, ls = struct.unpack_from("<II", block, at + 8)
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def string_file_version(block):
    """The FileVersion text: a String entry with its header, key, padding to 32 bits, value."""
    key = utf16("FileVersion\0")
    for match in re.finditer(re.escape(key), block):
        start = match.start() - 6
        _, value_words, kind = struct.unpack_from("<HHH", block, start)
        if kind != 1:
            continue
        value = (match.end() + 3) & ~3
        return block[value : value + 2 * value_words].decode("utf-16-le").rstrip("\0")
    return None


def problems(package, version, help_page):
    if not os.path.exists(package):
        yield "not found (made by: cmake --build --preset mingw --target package)"
        return
    with zipfile.ZipFile(package) as archive:
        names = sorted(archive.namelist())
        if names != ["pixtrove.exe", "pixtrove.html"]:
            yield f"holds {names}, not exactly pixtrove.exe and pixtrove.html"
            return
        if archive.testzip() is not None:
            yield f"{archive.testzip()} is damaged"
        exe = archive.read("pixtrove.exe")
        page = archive.read("pixtrove.html")
    with open(help_page, "rb") as source:
        if page != source.read():
            yield f"pixtrove.html is not {help_page}"
    block = version_block(exe)
    for what, found in (("fixed file version", fixed_file_version(block)),
                        ("FileVersion string", string_file_version(block))):
        if found != version:
            yield f"the program's {what} is {found}, not {version}"


def main():
    package, version, help_page = sys.argv[1:]
    found = list(problems(package, version, help_page))
    for problem in found:
        print(f"{package}: {problem}", file=sys.stderr)
    if not found:
        print(f"{package}: pixtrove.exe {version} and pixtrove.html")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
