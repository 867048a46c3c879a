#!/usr/bin/env python3
"""The instruction audit must pass the program as built and a copy holding the
486's own additions, and fail naming the address, the function and why when
an instruction that a 486SX lacks is put into a copy of it.

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
    ("cmove eax,eax", bytes.fromhex("0f44c0"), "not on every processor"),
    ("fcomip st,st(1)", bytes.fromhex("dff1"), "not on every processor"),
    ("fcmovb st,st(1)", bytes.fromhex("dac1"), "not on every processor"),
    ("long NOP", bytes.fromhex("0f1f00"), "long NOP"),
    ("SSE movaps xmm0,xmm1", bytes.fromhex("0f28c1"), "not on every processor"),
    ("MMX movq mm0,mm1", bytes.fromhex("0f6fc1"), "not on every processor"),
    ("sysenter", bytes.fromhex("0f34"), "not on every processor"),
    ("cmpxchg8b", bytes.fromhex("0fc70e"), "not on every processor"),
    ("rdtsc", bytes.fromhex("0f31"), "not on every processor"),
    ("cpuid", bytes.fromhex("0fa2"), "CPUID"),
    ("x87 fld st(0)", bytes.fromhex("d9c0"), "x87"),
    ("x87 fninit", bytes.fromhex("dbe3"), "x87"),
    ("fwait", bytes.fromhex("9b"), "x87"),
]

# What the 486 added to the 386: allowed, since the check turns the 386 away.
FOUR_EIGHT_SIX = bytes.fromhex("0fc8" "0fc1c0" "0fb1c0")  # bswap, xadd, cmpxchg


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
        """Puts data at the entry point, NOPs after it up to where the
        instruction it ends in ended, so that what follows reads as before."""
        out = subprocess.run([OBJDUMP, "-h", self.exe], capture_output=True, text=True,
                             check=True).stdout
        parts = next(line.split() for line in out.splitlines() if line.split()[1:2] == [".text"])
        vma, file_offset = int(parts[3], 16), int(parts[5], 16)
        out = subprocess.run([OBJDUMP, "-d", "-w", "--start-address=%#x" % self.entry,
                              "--stop-address=%#x" % (self.entry + len(data) + 16), self.exe],
                             capture_output=True, text=True, check=True).stdout
        starts = [int(m.group(1), 16) for m in map(insn_audit.LINE.match, out.splitlines()) if m]
        end = min(a for a in starts if a >= self.entry + len(data))
        with open(self.exe, "r+b") as f:
            f.seek(self.entry - vma + file_offset)
            f.write(data + b"\x90" * (end - self.entry - len(data)))

    def test_the_program_as_built_passes(self):
        self.assertEqual((0, ""), run([self.exe, "--objdump", OBJDUMP]))

    def test_each_instruction_a_486sx_lacks_is_named_with_address_function_and_why(self):
        for what, data, why in SPOILERS:
            with self.subTest(what):
                shutil.copyfile(EXE, self.exe)
                self.spoil(data)
                code, err = run([self.exe, "--objdump", OBJDUMP])
                self.assertEqual(1, code, err)
                self.assertIn("%#x  " % self.entry, err)
                self.assertIn("in " + ENTRY, err)
                self.assertIn(why, err)

    def test_the_486s_additions_pass(self):
        self.spoil(FOUR_EIGHT_SIX)
        self.assertEqual((0, ""), run([self.exe, "--objdump", OBJDUMP]))

    def test_a_map_of_another_link_is_refused(self):
        other = os.path.join(self.tmp.name, "other.map")
        with open(other, "w") as f:
            f.write("Linker script and memory map\n\n.text           0x00401000     0x200\n")
        code, err = run([self.exe, "--map", other, "--objdump", OBJDUMP])
        self.assertEqual(2, code, err)


if __name__ == "__main__":
    EXE = sys.argv.pop(1)
    unittest.main()
