#!/usr/bin/env python3
"""Instruction audit of an i686 Windows program: every instruction of its code
must run on each processor that the program's start-up check lets through
(runtime/cpu_check.h): the 486SX, which has no floating-point unit, and every
x86 processor after it. So the code holds the 386's and the 486's integer
instructions and nothing else: no x87 instruction, no CPUID (many 486s lack
it), nothing of the Pentium or later (CMPXCHG8B, RDTSC, CMOVcc, the long NOP,
MMX, SSE and on). One such instruction and the program dies with an
illegal-instruction fault on a machine of Windows 95's time.

  insn_audit.py EXE [--map MAP] [--objdump PROGRAM]

EXE is stripped, so the functions are named from the linker's map of the same
link (MAP, by default EXE with .map in place of .exe; the lean programs of
cmake/lean_program.cmake write it). Only the input sections of code that the
map shows are read: the constructor lists the linker puts into .text are
data. Exit status 0 when every instruction is allowed, 1 with one line per
offending instruction (address, instruction, function, object file)
otherwise, 2 when the files cannot be read.
"""
import argparse
import bisect
import os
import re
import subprocess
import sys

# What the 486SX runs, as objdump prints it in Intel syntax: the 386's integer
# instructions and the 486's additions (BSWAP, CMPXCHG, XADD, cache and TLB
# control).
ALLOWED = set("""
aaa aad aam aas adc add and arpl bound bsf bsr bt btc btr bts call cbw cdq clc
cld cli clts cmc cmp cmps cwd cwde daa das dec div enter hlt idiv imul in inc
ins int int3 into iret iretd ja jae jb jbe jc jcxz je jecxz jg jge jl jle jmp
jna jnae jnb jnbe jnc jne jng jnge jnl jnle jno jnp jns jnz jo jp jpe jpo js jz
lahf lar lds lea leave les lfs lgdt lgs lidt lldt lmsw lods loop loope loopne
lsl lss ltr mov movs movsx movzx mul neg nop not or out outs pop popa popad
popf popfd push pusha pushad pushf pushfd rcl rcr ret retf rol ror sahf sal sar
sbb scas seta setae setb setbe setc sete setg setge setl setle setna setnae
setnb setnbe setnc setne setng setnge setnl setnle setno setnp setns setnz
seto setp setpe setpo sets setz sgdt shl shld shr shrd sidt sldt smsw stc std
sti stos str sub test verr verw xchg xlat xor
bswap cmpxchg xadd invd wbinvd invlpg
""".split()) | {
    # Officially the Pentium Pro's, but its opcode raises the same invalid-
    # opcode fault on every processor: GCC puts it where code must not go on.
    "ud2",
    # REP NOP: a plain NOP on processors before the Pentium 4.
    "pause",
}

# The x87's instructions (WAIT included: it waits for the unit), named apart
# to say why they are refused.
X87 = set("""
wait fwait f2xm1 fabs fadd faddp fiadd fbld fbstp fchs fclex fnclex fcom fcomp
fcompp fcos fdecstp fdiv fdivp fidiv fdivr fdivrp fidivr ffree ficom ficomp fild
fincstp finit fninit fist fistp fld fld1 fldcw fldenv fldl2e fldl2t fldlg2
fldln2 fldpi fldz fmul fmulp fimul fnop fpatan fprem fprem1 fptan frndint
frstor fsave fnsave fscale fsin fsincos fsqrt fst fstcw fnstcw fstenv fnstenv
fstp fstsw fnstsw fsub fsubp fisub fsubr fsubrp fisubr ftst fucom fucomp
fucompp fxam fxch fxtract fyl2x fyl2xp1
""".split())

PREFIXES = {"rep", "repe", "repz", "repne", "repnz", "lock", "data16", "data32",
            "addr16", "addr32", "cs", "ds", "es", "fs", "gs", "ss"}
VECTOR_REGISTER = re.compile(r"\b[xyz]mm\d+\b|\bmm\d\b")
LINE = re.compile(r"^\s*([0-9a-f]+):\s+(.*)$")
CODE_SECTION = re.compile(r"^\.text([$.].*)?$")


def why_forbidden(text):
    """None when the instruction runs on a 486SX, else the reason."""
    words = text.split()
    while words and words[0] in PREFIXES:
        words = words[1:]
    if not words:
        return None  # a prefix on its own line ahead of the instruction it belongs to
    mnemonic = words[0]
    if mnemonic == "(bad)":
        return "not an instruction"
    if mnemonic in X87:
        return "x87 floating point, which the 486SX has no unit for"
    if mnemonic == "cpuid":
        return "CPUID, which many 486s lack"
    if mnemonic not in ALLOWED:
        return "not on every processor from the 486SX on"
    if mnemonic == "nop" and len(words) > 1:
        return "long NOP (0F 1F), Pentium Pro and later"
    if VECTOR_REGISTER.search(" ".join(words[1:])):
        return "MMX or SSE register"
    return None


class LinkMap:
    """The input sections of code and the symbols of a GNU ld map file."""

    def __init__(self, text):
        self.code = []      # (start, end, section, file) of each input section of code
        self.symbols = []   # (address, name), sorted
        self.text_section = None  # (address, size) of the output section .text
        pending = None      # an input section whose name stood alone on its line
        # The discarded input sections listed ahead of the layout are not in
        # the program.
        layout = text.find("Linker script and memory map")
        for line in text[max(layout, 0):].splitlines():
            m = re.match(r"^\.text\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)", line)
            if m:
                self.text_section = (int(m.group(1), 16), int(m.group(2), 16))
                continue
            m = re.match(r"^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.*)$", line)
            if m and not m.group(1).startswith("*"):
                self.add_section(m.group(1), m.group(2), m.group(3), m.group(4))
                pending = None
                continue
            m = re.match(r"^ (\S+)$", line)
            if m and not m.group(1).startswith("*"):
                pending = m.group(1)
                continue
            m = re.match(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(.*)$", line)
            if m and pending:
                self.add_section(pending, m.group(1), m.group(2), m.group(3))
                pending = None
                continue
            m = re.match(r"^\s+0x([0-9a-f]+)\s+(\S.*)$", line)
            if m and not m.group(2).startswith("0x"):
                name = m.group(2).split(" = ")[0].strip()
                self.symbols.append((int(m.group(1), 16), name))
            pending = None
        self.code.sort()
        self.symbols.sort()
        self.code_starts = [c[0] for c in self.code]
        self.symbol_addresses = [s[0] for s in self.symbols]

    def add_section(self, name, start, size, origin):
        start, size = int(start, 16), int(size, 16)
        if size and CODE_SECTION.match(name) and not origin.startswith(("LONG", "QUAD")):
            self.code.append((start, start + size, name, origin.strip()))

    def section_at(self, address):
        i = bisect.bisect_right(self.code_starts, address) - 1
        if i >= 0 and address < self.code[i][1]:
            return self.code[i]
        return None

    def function_at(self, address):
        section = self.section_at(address)
        i = bisect.bisect_right(self.symbol_addresses, address) - 1
        if section and i >= 0 and self.symbols[i][0] >= section[0]:
            return self.symbols[i][1]
        if section and section[2].startswith((".text$", ".text.")):
            return section[2][6:]
        return "a local function"


def text_section_of(exe, objdump):
    """(address, size) of .text as the program's section table says."""
    out = subprocess.run([objdump, "-h", exe], capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 4 and parts[1] == ".text":
            return int(parts[3], 16), int(parts[2], 16)
    return None


def matches(in_map, in_program):
    """The map's .text is the program's, up to the padding the map counts in."""
    return (in_map is not None and in_program is not None and in_map[0] == in_program[0]
            and in_program[1] <= in_map[1] < in_program[1] + 0x1000)


def audit(exe, link_map, objdump):
    """One line per instruction of the program's code that a 486SX lacks."""
    out = subprocess.run([objdump, "-d", "-w", "-M", "intel", "--no-show-raw-insn", exe],
                         capture_output=True, text=True, check=True).stdout
    faults = []
    for line in out.splitlines():
        m = LINE.match(line)
        if not m:
            continue
        address, text = int(m.group(1), 16), m.group(2).strip()
        section = link_map.section_at(address)
        if not section:
            continue
        reason = why_forbidden(text)
        if reason:
            faults.append("%#x  %s  (%s)  in %s  [%s]" % (
                address, " ".join(text.split()), reason, link_map.function_at(address), section[3]))
    return faults


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("exe")
    parser.add_argument("--map")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    args = parser.parse_args(argv)
    map_path = args.map or os.path.splitext(args.exe)[0] + ".map"
    try:
        with open(map_path) as f:
            link_map = LinkMap(f.read())
        text = text_section_of(args.exe, args.objdump)
    except (OSError, subprocess.CalledProcessError) as e:
        print("insn_audit: %s" % e, file=sys.stderr)
        return 2
    if not link_map.code or not matches(link_map.text_section, text):
        print("insn_audit: %s does not describe the link of %s (.text %s in the map, %s in the program)"
              % (map_path, args.exe, link_map.text_section, text), file=sys.stderr)
        return 2
    faults = audit(args.exe, link_map, args.objdump)
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print("insn_audit: %d instructions of %s do not run on every processor from the 486SX on"
              % (len(faults), args.exe), file=sys.stderr)
        return 1
    print("insn_audit: %s: every instruction of %d KB of code runs on a 486SX"
          % (args.exe, sum(c[1] - c[0] for c in link_map.code) // 1024))
    return 0


if __name__ == "__main__":
    sys.exit(main())
