#!/usr/bin/env python3
"""The instruction audit must pass the program as built, and fail naming the
address and the function when a later processor's instruction is put into a
copy of it.

  test_insn_audit.py EXE   (its map beside it, as the build leaves it)
"""
import contextlib
import io
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import insn_audit  # noqa: E402

EXE = None
OBJDUMP = "i686-w64-mingw32-objdump"
ENTRY = "WinMainCRTStartup"

# Each overwrites the first bytes of the entry point.
SPOILERS = [
    ("cmove eax,eax", bytes.fromhex("0f44c0")),
    ("fcomip st,st(1)", bytes.fromhex("dff1")),
    ("fcmovb st,st(1)", bytes.fromhex("dac1")),
    ("long NOP", bytes.fromhex("0f1f00")),
    ("SSE movaps xmm0,xmm1", bytes.fromhex("0f28c1")),
    ("MMX movq mm0,mm1", bytes.fromhex("0f6fc1")),
    ("sysenter", bytes.fromhex("0f34")),
    ("cmpxchg8b", bytes.fromhex("0fc70e")),
]


def run(argv):
    err = io.StringIO()
    with contextlib.redirect_stderr(err), contextlib.redirect_stdout(io.StringIO()):
        code = insn_audit.main(argv)
    return code, err.getvalue()


class Audit(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.exe = os.path.join(self.tmp.name, "program.exe")
        shutil.copyfile(EXE, self.exe)
        shutil.copyfile(os.path.splitext(EXE)[0] + ".map", os.path.join(self.tmp.name, "program.map"))
        with open(os.path.join(self.tmp.name, "program.map")) as f:
            link_map = insn_audit.LinkMap(f.read())
        self.entry = next(a for a, name in link_map.symbols if name == ENTRY)

    def tearDown(self):
        self.tmp.cleanup()

    def spoil(self, data):
        out = subprocess.run([OBJDUMP, "-h", self.exe], capture_output=True, text=True,
                             check=True).stdout
        parts = next(line.split() for line in out.splitlines() if line.split()[1:2] == [".text"])
        vma, file_offset = int(parts[3], 16), int(parts[5], 16)
        with open(self.exe, "r+b") as f:
            f.seek(self.entry - vma + file_offset)
            f.write(data)

    def test_the_program_as_built_passes(self):
        self.assertEqual((0, ""), run([self.exe, "--objdump", OBJDUMP]))

    def test_each_later_instruction_is_named_with_address_and_function(self):
        for what, data in SPOILERS:
            with self.subTest(what):
                shutil.copyfile(EXE, self.exe)
                self.spoil(data)
                code, err = run([self.exe, "--objdump", OBJDUMP])
                self.assertEqual(1, code, err)
                self.assertIn("%#x  " % self.entry, err)
                self.assertIn("in " + ENTRY, err)

    def test_a_map_of_another_link_is_refused(self):
        other = os.path.join(self.tmp.name, "other.map")
        with open(other, "w") as f:
            f.write("Linker script and memory map\n\n.text           0x00401000     0x200\n")
        code, err = run([self.exe, "--map", other, "--objdump", OBJDUMP])
        self.assertEqual(2, code, err)


if __name__ == "__main__":
    EXE = sys.argv.pop(1)
    unittest.main()
