#!/usr/bin/env python3
"""Release checks of a Windows program, read straight from its PE file.

  pe_audit.py header    EXE [--machine i386] [--os 4.0] [--subsystem-version 4.0]
  pe_audit.py imports   EXE LIST
  pe_audit.py resources EXE --product P --company C --version 5.1.0.0 --filename F

`header` checks that Windows 95 and NT 4 will load the image: they refuse a
GUI program whose subsystem or OS version is above 4.0. `imports` compares
every imported function with LIST, the functions that both Windows 95 (with
the common controls of Internet Explorer 4) and Windows NT 4 export: one name
that slips past it and the program no longer starts there at all, with only
a loader message. `resources` checks the version resource and the manifest.

Exit status 0 when every check holds, 1 with one line per fault otherwise.
"""
import argparse
import struct
import sys
import xml.etree.ElementTree as ET

MACHINES = {"i386": 0x14C, "amd64": 0x8664}
SUBSYSTEM_GUI = 2
RT_VERSION = 16
RT_MANIFEST = 24
STUB_TAG = "9x-stub"


class PeError(Exception):
    pass


class Pe:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if len(d) < 0x40 or d[:2] != b"MZ":
            raise PeError(f"{path}: not an MZ executable")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise PeError(f"{path}: no PE signature")
        (self.machine, nsections, _, _, _, optsize, _) = struct.unpack_from("<HHIIIHH", d, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", d, opt)[0]
        if self.magic not in (0x10B, 0x20B):
            raise PeError(f"{path}: unknown optional header magic {self.magic:#x}")
        self.pe32plus = self.magic == 0x20B
        (self.os_major, self.os_minor, _, _, self.subsys_major, self.subsys_minor) = \
            struct.unpack_from("<6H", d, opt + 40)
        self.subsystem = struct.unpack_from("<H", d, opt + 68)[0]
        dirs = opt + (112 if self.pe32plus else 96)
        ndirs = struct.unpack_from("<I", d, dirs - 4)[0]
        self.dirs = [struct.unpack_from("<II", d, dirs + 8 * i) for i in range(min(ndirs, 16))]
        self.sections = []
        sec = opt + optsize
        for i in range(nsections):
            vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", d, sec + 40 * i + 8)
            self.sections.append((va, max(vsize, rawsize), rawptr, rawsize))

    def directory(self, index):
        return self.dirs[index] if index < len(self.dirs) else (0, 0)

    def offset(self, rva):
        for va, size, rawptr, rawsize in self.sections:
            if va <= rva < va + size:
                if rva - va >= rawsize:
                    raise PeError(f"RVA {rva:#x} lies in uninitialised data")
                return rawptr + rva - va
        raise PeError(f"RVA {rva:#x} lies in no section")

    def u32(self, rva):
        return struct.unpack_from("<I", self.data, self.offset(rva))[0]

    def cstr(self, rva):
        o = self.offset(rva)
        end = self.data.index(b"\0", o)
        return self.data[o:end].decode("latin-1")

    def imports(self):
        """[(dll, name or '#ordinal')] in the order of the import table."""
        rva, _ = self.directory(1)
        found = []
        if not rva:
            return found
        width = 8 if self.pe32plus else 4
        ordinal_flag = 1 << (width * 8 - 1)
        while True:
            lookup, _, _, name_rva, iat = struct.unpack_from("<5I", self.data, self.offset(rva))
            if not (lookup or name_rva or iat):
                break
            dll = self.cstr(name_rva)
            thunk = lookup or iat
            while True:
                o = self.offset(thunk)
                entry = struct.unpack_from("<Q" if width == 8 else "<I", self.data, o)[0]
                if not entry:
                    break
                if entry & ordinal_flag:
                    found.append((dll, f"#{entry & 0xFFFF}"))
                else:
                    found.append((dll, self.cstr((entry & 0x7FFFFFFF) + 2)))
                thunk += width
            rva += 20
        return found

    def resources(self, type_id):
        """The bytes of every resource of a numeric type, whatever its name and language."""
        root, _ = self.directory(2)
        if not root:
            return []
        base = self.offset(root)

        def entries(dir_off):
            named, ids = struct.unpack_from("<HH", self.data, base + dir_off + 12)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, base + dir_off + 16 + 8 * i)
                yield ident, target

        def leaves(target):
            if target & 0x80000000:
                for _, sub in entries(target & 0x7FFFFFFF):
                    yield from leaves(sub)
            else:
                data_rva, size = struct.unpack_from("<II", self.data, base + target)
                o = self.offset(data_rva)
                yield self.data[o:o + size]

        out = []
        for ident, target in entries(0):
            if not ident & 0x80000000 and ident == type_id:
                out.extend(leaves(target))
        return out


def read_list(path):
    """{dll lower-case: {function: is 9x stub}} from the allowlist file."""
    allowed = {}
    current = None
    with open(path, encoding="ascii") as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            if line.startswith("[") and line.endswith("]"):
                current = allowed.setdefault(line[1:-1].strip().lower(), {})
                continue
            if current is None:
                raise PeError(f"{path}:{number}: function before any [DLL] heading")
            words = line.split()
            if len(words) > 2 or (len(words) == 2 and words[1] != STUB_TAG):
                raise PeError(f"{path}:{number}: expected a name, optionally followed by {STUB_TAG}")
            current[words[0]] = len(words) == 2
    return allowed


def check_imports(pe, exe, allowed, list_name):
    faults, notes = [], []
    imports = pe.imports()
    if not imports:
        # A Windows program imports at least from KERNEL32; finding nothing
        # means the table was not read, not that it is clean.
        faults.append(f"{exe}: no imports found; the import table could not be read")
    delay_rva, _ = pe.directory(13)
    if delay_rva:
        faults.append(f"{exe}: has delay-load imports, which this audit does not read")
    for dll, name in imports:
        functions = allowed.get(dll.lower())
        if functions is None:
            faults.append(f"{exe} imports {dll}!{name}: {dll} is not in {list_name}; "
                          "Windows 95 or NT 4 may not have it, so load it at run time "
                          "(LoadLibrary and GetProcAddress)")
        elif name.startswith("#"):
            faults.append(f"{exe} imports {dll} ordinal {name[1:]}: ordinals differ between "
                          "Windows versions; import by name")
        elif name not in functions:
            faults.append(f"{exe} imports {dll}!{name}, which is not in {list_name}: "
                          "Windows 95 or NT 4 does not export it and would refuse to start "
                          "the program; use an older call that both have, or load it at run "
                          "time with GetProcAddress where only newer Windows needs it (add it "
                          "to the list only if both systems export it)")
        elif functions[name]:
            notes.append(f"note: {dll}!{name} is a stub on Windows 95 that fails; "
                         "it must only be called on the NT family or where failure is fine")
    return faults, notes, imports


def check_header(pe, exe, machine, os_version, subsys_version):
    faults = []
    if pe.machine != MACHINES[machine]:
        faults.append(f"{exe}: machine {pe.machine:#x}, expected {machine}")
    if pe.subsystem != SUBSYSTEM_GUI:
        faults.append(f"{exe}: subsystem {pe.subsystem}, expected {SUBSYSTEM_GUI} (Windows GUI)")
    if f"{pe.os_major}.{pe.os_minor}" != os_version:
        faults.append(f"{exe}: OS version {pe.os_major}.{pe.os_minor}, expected {os_version}")
    if f"{pe.subsys_major}.{pe.subsys_minor}" != subsys_version:
        faults.append(f"{exe}: subsystem version {pe.subsys_major}.{pe.subsys_minor}, "
                      f"expected {subsys_version}")
    return faults


def parse_version_block(data, offset=0):
    """One VS_VERSIONINFO-style block: (key, value bytes, is text, children)."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    pos = offset + 6
    key_end = pos
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[pos:key_end].decode("utf-16-le")
    pos = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if is_text else value_length
    value = data[pos:pos + value_size]
    pos = (pos + value_size + 3) & ~3
    children = []
    while pos < end:
        child = parse_version_block(data, pos)
        children.append(child[:4])
        pos = (pos + child[4] + 3) & ~3
    return key, value, is_text, children, length


def version_info(blob):
    key, fixed, _, children, _ = parse_version_block(blob)
    if key != "VS_VERSION_INFO":
        raise PeError(f"version resource starts with {key!r}")
    sig, _, fms, fls, pms, pls = struct.unpack_from("<6I", fixed)
    if sig != 0xFEEF04BD:
        raise PeError("version resource without VS_FIXEDFILEINFO")

    def dotted(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    strings, translations = {}, []
    for ckey, _, _, grand in children:
        if ckey == "StringFileInfo":
            for table_key, _, _, pairs in grand:
                for name, value, _, _ in pairs:
                    strings[(table_key.lower(), name)] = value.decode("utf-16-le").rstrip("\0")
        elif ckey == "VarFileInfo":
            for _, value, _, _ in grand:
                for i in range(0, len(value) - 3, 4):
                    lang, cp = struct.unpack_from("<HH", value, i)
                    translations.append(f"{lang:04x}{cp:04x}")
    return dotted(fms, fls), dotted(pms, pls), strings, translations


def check_resources(pe, exe, product, company, version, filename):
    faults = []
    blobs = pe.resources(RT_VERSION)
    if len(blobs) != 1:
        faults.append(f"{exe}: {len(blobs)} version resources, expected 1")
    else:
        file_version, product_version, strings, translations = version_info(blobs[0])
        for what, found in (("file version", file_version), ("product version", product_version)):
            if found != version:
                faults.append(f"{exe}: {what} {found}, expected {version}")
        if not translations:
            faults.append(f"{exe}: version resource has no translation")
        for table in translations:
            wanted = {"ProductName": product, "CompanyName": company,
                      "OriginalFilename": filename, "FileVersion": version}
            for name, text in wanted.items():
                found = strings.get((table, name))
                if found != text:
                    faults.append(f"{exe}: {name} of translation {table} is {found!r}, "
                                  f"expected {text!r}")
            for name in ("FileDescription", "ProductVersion", "InternalName", "LegalCopyright"):
                if not strings.get((table, name)):
                    faults.append(f"{exe}: {name} of translation {table} is missing")
    manifests = pe.resources(RT_MANIFEST)
    if len(manifests) != 1:
        faults.append(f"{exe}: {len(manifests)} manifests, expected 1")
        return faults
    try:
        root = ET.fromstring(manifests[0])
    except ET.ParseError as e:
        return faults + [f"{exe}: manifest is not well-formed XML: {e}"]
    levels = [el.get("level") for el in root.iter() if el.tag.endswith("requestedExecutionLevel")]
    if levels != ["requireAdministrator"]:
        # Without it Vista and later redirect the writes to HKEY_LOCAL_MACHINE
        # into a per-user store: the settings would never reach TCP/IP.
        faults.append(f"{exe}: requested execution levels {levels}, "
                      "expected exactly requireAdministrator")
    for el in root.iter():
        if el.tag.endswith("assemblyIdentity") and \
                el.get("name") == "Microsoft.Windows.Common-Controls":
            faults.append(f"{exe}: manifest asks for Common Controls 6; "
                          "the layout is made for the classic controls")
    return faults


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    h = sub.add_parser("header")
    h.add_argument("exe")
    h.add_argument("--machine", default="i386", choices=sorted(MACHINES))
    h.add_argument("--os", default="4.0")
    h.add_argument("--subsystem-version", default="4.0")
    i = sub.add_parser("imports")
    i.add_argument("exe")
    i.add_argument("list")
    r = sub.add_parser("resources")
    r.add_argument("exe")
    r.add_argument("--product", required=True)
    r.add_argument("--company", required=True)
    r.add_argument("--version", required=True)
    r.add_argument("--filename", required=True)
    args = parser.parse_args(argv)

    try:
        pe = Pe(args.exe)
        if args.command == "header":
            faults = check_header(pe, args.exe, args.machine, args.os, args.subsystem_version)
            summary = (f"{args.exe}: machine {pe.machine:#x}, subsystem {pe.subsystem}, "
                       f"OS {pe.os_major}.{pe.os_minor}, "
                       f"subsystem version {pe.subsys_major}.{pe.subsys_minor}")
        elif args.command == "imports":
            faults, notes, imports = check_imports(pe, args.exe, read_list(args.list), args.list)
            for note in notes:
                print(note)
            summary = f"{args.exe}: {len(imports)} imported functions checked"
        else:
            faults = check_resources(pe, args.exe, args.product, args.company, args.version,
                                     args.filename)
            summary = f"{args.exe}: version resource and manifest checked"
    except (PeError, OSError, struct.error, ValueError, IndexError) as e:
        print(f"error: {e}", file=sys.stderr)
        return 1
    for fault in faults:
        print(f"FAIL: {fault}", file=sys.stderr)
    if faults:
        return 1
    print(summary)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
