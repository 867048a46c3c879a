#!/usr/bin/env python3
"""The release checks must fail, and name the culprit, when velora.exe breaks
a rule. Each case spoils a copy of the real program (or of the list) and runs
the check on it.

  test_pe_audit.py VELORA_EXE
"""
import contextlib
import io
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pe_audit  # noqa: E402

EXE = None
RESOURCE_ARGS = ["--product", "Velora 2001", "--company", "Norwick Ltd",
                 "--version", "5.1.0.0", "--filename", "velora.exe"]


def run(argv):
    err = io.StringIO()
    with contextlib.redirect_stderr(err), contextlib.redirect_stdout(io.StringIO()):
        code = pe_audit.main(argv)
    return code, err.getvalue()


class AuditCatches(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        with open(EXE, "rb") as f:
            self.image = bytearray(f.read())
        self.pe = pe_audit.Pe(EXE)

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, name, data):
        path = os.path.join(self.tmp.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def test_an_import_missing_from_the_list_is_named(self):
        # The list is made from the program's own imports, so only the cut
        # entries can be reported, whatever the real list holds today.
        imports = self.pe.imports()
        dlls = sorted({dll for dll, _ in imports})
        cases = {
            "first function": [imports[0]],
            "function of another DLL": [next(i for i in imports if i[0] == dlls[-1])],
            "whole DLL": [i for i in imports if i[0] == dlls[0]],
        }
        for what, gone in cases.items():
            with self.subTest(what):
                lines = []
                for dll in dlls:
                    names = [n for d, n in imports if d == dll and (d, n) not in gone]
                    if names:
                        lines += [f"[{dll}]"] + names
                code, err = run(["imports", EXE, self.write("list.txt", "\n".join(lines).encode())])
                self.assertEqual(1, code)
                for dll, name in gone:
                    self.assertIn(f"{dll}!{name}", err)
                self.assertEqual(len(gone), err.count("FAIL"), err)

    def test_a_newer_header_is_refused(self):
        opt = int.from_bytes(self.image[0x3C:0x40], "little") + 24
        cases = {"OS version 5.0": opt + 40, "subsystem version 5.0": opt + 48}
        for what, offset in cases.items():
            with self.subTest(what):
                image = bytearray(self.image)
                image[offset:offset + 2] = (5).to_bytes(2, "little")
                code, err = run(["header", self.write("new.exe", image)])
                self.assertEqual(1, code)
                self.assertIn(what, err)

    def test_a_manifest_without_administrator_rights_is_refused(self):
        old = b'level="requireAdministrator"'
        new = b'level="asInvoker"'.ljust(len(old))
        self.assertEqual(1, self.image.count(old))
        code, err = run(["resources", self.write("invoker.exe", self.image.replace(old, new))]
                        + RESOURCE_ARGS)
        self.assertEqual(1, code)
        self.assertIn("requireAdministrator", err)


if __name__ == "__main__":
    EXE = sys.argv[1]
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=1)
