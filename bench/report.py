#!/usr/bin/env python3
"""Turns the benchmark results into one table: prints it and writes it, with
the date, the machine and how to reproduce it, to the given markdown file."""
import argparse
import datetime
import json
import os
import platform
import re
import subprocess

START_GOAL = 1.10  # against the fair floor
REGISTRY_GOAL = 1.2
RECORD_GOAL = 1.05  # an Apply with its change record and read-back, beside one without
MEMORY_GOAL = 1.5
SIZE_GOAL_KB = 300
CPU_SHARE_GOAL = 0.05
IDLE_CPU_GOAL_MS = 60  # a thousandth of the minute
LINEAR_LIMIT = 1.5  # marginal cost per adapter may grow this much and still count as linear
APPLY_TOLERANCE = 0.15
# The Apply's 100 paced steps in loop counts, a million counts to the millisecond.
PACED_MS = (14 * 5 + 20 * 20 + 40 * 10 + 17 + 9 * 20 + 16 * 1)
SIZES = [1, 10, 100]
PROBE_GOAL = 12  # echoes from 68 to 1500 on a clean path
# The MTU probe's scripted paths: (name, label, clean). On a clean path every
# echo is answered, by the host or by a router saying "too big".
PROBE_CASES = [
    ('ethernet_1500', 'plain Ethernet, 1500', True),
    ('pppoe_1492', 'PPPoE, a router saying too big above 1492', True),
    ('vpn_1400', 'a VPN, 1400', True),
    ('dialup_576', 'dial-up, 576', True),
    ('named_1400', 'a router naming its MTU, 1400', True),
    ('every_mtu_68_to_1500', 'the worst of every MTU from 68 to 1500 (processor: all 1433)', True),
    ('black_hole_1400', 'a black hole above 1400', False),
    ('silent_host', 'a host that never answers', False),
]

NOTES = """\
Each figure is the median of repeated runs, the program and its floor taken in
turn so that drift of a shared machine falls on both ({start_runs} start-ups of
each, {apply_runs} Applies). The ratio is the median of the ratios of runs
taken back to back, velora over floor, and so may differ a little from the
ratio of the two medians shown.

- Both programs: the x86-64 one in a 64-bit Wine prefix, the i686 one in a
  32-bit prefix, each beside floors built for its own target by the same lean
  program rules; on a host that runs no 32-bit code the i686 rows say so.
- Start-up: from CreateProcess until the main window is visible and the
  program has handled everything queued for it (WaitForInputIdle, then a
  WM_NULL round trip). The goal is set against the fair floor,
  bench/win/fair_floor.cpp: what any program pays that shows this window as
  the user sees it at start-up, a bare frame of 604x450 with the program's
  icon, menu, toolbar and three-pane status bar around the form's own dialog
  template, made by CreateDialogIndirectParamA with nothing of the program's
  code in between (no links, no lists filled, no Windows version read,
  nothing placed or centred), linked with velora.exe's resources. The bare
  floor, bench/win/floor.cpp, a window of 604x450 with a menu and a status
  bar, is kept for comparison. velora.exe starts from an install folder with
  the companion program beside it, as installed (the test stand-in plays the
  companion), and from a folder without one. The programs take their turns in
  the rounds of a balanced Latin square (each starts first as often as the
  others and right after each other as often), with a pause of 250 ms
  between starts for Wine to end what is left of the one before; the
  start-ups are taken twice as often as the other figures ({start_runs} of
  each). What the program does after its first idle pass (the lists' items,
  the Undo item's state; see the trace) lies outside the time measured.
- Apply: a Windows 98 machine seeded in Wine's registry, automatic Dial-Up
  chosen on the form, then the menu command Apply New Settings (posted);
  wall time until the restart question shows, and processor time of the
  program over the same interval, read from the system's process list (under
  Wine 8 GetProcessTimes of another process keeps its first figures; Wine
  counts it in steps of 10 ms). The
  floor program answers the same command with the same 100 waits ({paced} ms
  in all), stepping and painting a progress bar over its first status-bar
  pane after each, and then asks its question. The waits alone, in a bare
  loop, are timed as well.
- Registry work: the writers and restores on machines of 1, 10 and 100 LAN
  adapters. The floor replays the very registry calls the operation made,
  recorded once, in a bare loop. In memory with Google Benchmark (processor
  time); under Wine against Wine's registry (wall time, since wineserver does
  the work). Linear means an adapter added between 10 and 100 costs at most
  {linear} times one added between 1 and 10.
- Change record: the automatic LAN Apply as the main window makes it (its
  change record kept first, every value read back after) beside the same
  Apply without, on the same in-memory machines; the registry calls of each
  are counted (the goal; the floor column is the plain Apply), their
  processor time is shown for comparison.
- Companion at idle: vldetect.exe and a bare hidden window
  (bench/win/idle_floor.cpp) run side by side with no dial-up connection;
  processor time over the same minute, after a settle of 2 s, and the working
  set at its end.
- Size: stripped Release builds; imports counted with objdump -p. Working set:
  PeakWorkingSetSize after start-up and a settle of 300 ms; under Wine most of
  it is Wine's own libraries, on both sides.

To reproduce: `make bench` (or `make BUILD=<folder> bench`; `BENCH_RUNS=n`
sets the repetitions, 15 by default, the start-ups twice as many;
`BENCH_ONLY=startup tools/bench.sh` runs the start-up rows and traces alone,
`BENCH_ARCH=win64` or `win32` for one kind). It builds velora.exe of both kinds, the
bench programs in <build>/bench, a Wine prefix of its own in
<build>/bench/prefix and an Xvfb display when none is set; then it prints the
table and writes it to <build>/bench.md.
"""


def read_wine(path):
    rows = []
    if os.path.exists(path):
        with open(path) as f:
            for line in f:
                line = line.strip()
                if line.startswith('{'):
                    try:
                        rows.append(json.loads(line))
                    except ValueError:
                        pass
    return rows


def quartiles(values):
    v = sorted(values)
    if not v:
        return 0, 0, 0
    pick = lambda q: v[q * (len(v) - 1) // 4]
    n = len(v)
    median = v[n // 2] if n % 2 else (v[n // 2 - 1] + v[n // 2]) / 2
    return pick(1), median, pick(3)


def read_native(path):
    """{(op, n): figures like the Wine lines} and {(op, n): error}; the rows of
    the recorded Apply under ('recorded ' + op, n)."""
    reps, errors = {}, {}
    if not os.path.exists(path) or os.path.getsize(path) == 0:
        return {}, errors
    try:
        data = json.load(open(path))
    except ValueError:
        return {}, errors
    for b in data.get('benchmarks', []):
        m = re.match(r'(pair|recorded)/(\w+)/(\d+)$', b.get('run_name', b.get('name', '')))
        if not m:
            continue
        op = m.group(2) if m.group(1) == 'pair' else 'recorded ' + m.group(2)
        key = (op, int(m.group(3)))
        if b.get('error_occurred'):
            errors[key] = b.get('error_message', 'failed')
        elif b.get('run_type', 'iteration') == 'iteration':
            reps.setdefault(key, []).append(b)
    figures = {}
    for key, runs in reps.items():
        if key[0].startswith('recorded '):
            figures[key] = {'calls_plain': runs[0].get('calls_plain', 0),
                            'calls_recorded': runs[0].get('calls_recorded', 0),
                            'plain_us': quartiles([r['plain_us'] for r in runs])[1],
                            'recorded_us': quartiles([r['recorded_us'] for r in runs])[1],
                            'ratio': quartiles([r['ratio'] for r in runs])[1]}
            continue
        q1, ratio, q3 = quartiles([r['ratio'] for r in runs])
        figures[key] = {'core_us': quartiles([r['core_us'] for r in runs])[1],
                        'floor_us': quartiles([r['floor_us'] for r in runs])[1],
                        'ratio': ratio, 'ratio_q1': q1, 'ratio_q3': q3,
                        'calls': runs[0].get('calls', 0), 'samples': len(runs)}
    return figures, errors


def read_probe(path):
    """{name: {'probe': benchmark, 'floor': benchmark}} of the MTU probe's run."""
    found = {}
    if not path or not os.path.exists(path) or os.path.getsize(path) == 0:
        return found
    try:
        data = json.load(open(path))
    except ValueError:
        return found
    for b in data.get('benchmarks', []):
        m = re.match(r'(probe|floor)/(\w+)', b.get('run_name', b.get('name', '')))
        if m and b.get('run_type', 'iteration') == 'iteration':
            found.setdefault(m.group(2), {})[m.group(1)] = b
    return found


def cpu_us(b):
    scale = {'ns': 1e-3, 'us': 1.0, 'ms': 1e3, 's': 1e6}.get(b.get('time_unit', 'ns'), 1e-3)
    return b.get('cpu_time', 0) * scale


def probe_rows(probe):
    """The MTU probe's echoes and time to a result on each scripted path, beside
    a bare loop of the same echoes: the time is the echoes' round trips (40 ms)
    and timeouts (2 s) on the path's own clock."""
    rows = []
    for key, label, clean in PROBE_CASES:
        what = f'MTU probe: {label}'
        p, f = probe.get(key, {}).get('probe'), probe.get(key, {}).get('floor')
        if not p or p.get('error_occurred'):
            reason = (p or {}).get('error_message', 'not run (Google Benchmark missing?)')
            rows.append((what, 'not measured', '', '', '', 'not measured: ' + reason))
            continue
        echoes, t = int(p['probes']), p['time_to_result_ms']
        mine = f'{echoes} echoes, {t / 1000:.2f} s to the result, {cpu_us(p):.1f} µs processor'
        floor, ratio, slower = '', '', False
        if f:
            ft = f['time_to_result_ms']
            floor = f'{int(f["probes"])} echoes, {ft / 1000:.2f} s, {cpu_us(f):.1f} µs processor'
            ratio = '%.2f' % (t / ft) if ft else ''
            slower = t > ft
        goal = (f'≤ {PROBE_GOAL} echoes; ' if clean else '') + 'no time beyond the echoes'
        ok = (echoes <= PROBE_GOAL or not clean) and not slower
        reason = f'{echoes} echoes' if clean and echoes > PROBE_GOAL else 'slower than its echoes'
        rows.append((what, mine, floor, ratio, goal, verdict(ok, reason)))
    return rows


def fmt_ms(v):
    return '%.0f ms' % v if v >= 100 else '%.1f ms' % v


def fmt_us(v):
    return '%.0f' % v if v >= 100 else ('%.1f' % v if v >= 10 else '%.2f' % v)


def fmt_kb(v):
    return '%.0f KB' % v


def verdict(ok, reason=''):
    return 'met' if ok else ('missed: ' + reason if reason else 'missed')


def imports(exe, objdump):
    try:
        text = subprocess.run([objdump, '-p', exe], capture_output=True, text=True,
                              check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return None
    dlls, functions = 0, 0
    in_dll = False
    for line in text.splitlines():
        if 'DLL Name:' in line:
            dlls += 1
            in_dll = True
        elif in_dll and re.match(r'^\s+[0-9a-f]+\s+\d+\s+\S', line):
            functions += 1
        elif in_dll and not line.strip():
            in_dll = False
    return dlls, functions


def sections(exe, objdump):
    """{section name: size in KB} of a PE file."""
    try:
        text = subprocess.run([objdump, '-h', exe], capture_output=True, text=True,
                              check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return {}
    out = {}
    for line in text.splitlines():
        m = re.match(r'\s*\d+\s+(\.\S+)\s+([0-9a-f]+)', line)
        if m:
            out[m.group(1)] = int(m.group(2), 16) / 1024
    return out


def size_reason(exe, objdump):
    parts = sections(exe, objdump)
    named = [('.text', 'code'), ('.eh_fram', 'unwind tables'), ('.eh_frame', 'unwind tables'),
             ('.rdata', 'constants'), ('.rsrc', 'resources')]
    said = ['%s %.0f KB' % (label, parts[name]) for name, label in named if parts.get(name, 0) >= 1]
    return ', '.join(said)


QUIET_LOAD = 0.5  # a 1-minute load average below this counts as a quiet machine


def load_line(before, after):
    """The load averages around the run, and whether the machine was quiet."""
    text = (f'load average {before} before the run and {after} at its end' if before
            else f'load average {after} at the end of the run')
    try:
        if before and float(before) >= QUIET_LOAD:
            text += (f' (not a quiet machine: the 1-minute load average was not below '
                     f'{QUIET_LOAD} when the run began)')
    except ValueError:
        pass
    return text


def machine(wine_version):
    cpu = '?'
    try:
        for line in open('/proc/cpuinfo'):
            if line.startswith('model name'):
                cpu = line.split(':', 1)[1].strip()
                break
    except OSError:
        pass
    load = '?'
    try:
        load = open('/proc/loadavg').read().split()[0]
    except OSError:
        pass
    return cpu, os.cpu_count(), load, wine_version or 'not found', platform.platform()


def registry_rows(label, op, per_n, problem):
    """per_n: {n: figures with core_us, floor_us, ratio, ratio_q1, ratio_q3, calls}."""
    goal = f'≤ {REGISTRY_GOAL}, linear'
    if problem:
        return [(f'{label}: {op}', 'not measured', '', '', goal, 'not measured: ' + problem)]
    if any(n not in per_n for n in SIZES):
        return [(f'{label}: {op}', 'not measured', '', '', goal,
                 'not measured: results incomplete')]
    core = [per_n[n]['core_us'] / n for n in SIZES]
    floor = [per_n[n]['floor_us'] / n for n in SIZES]
    ratios = [per_n[n]['ratio'] for n in SIZES]
    reasons = []
    worst = max(ratios)
    if worst > REGISTRY_GOAL:
        n = SIZES[ratios.index(worst)]
        why = f'{worst:.2f} times the floor at {n} adapter{"s" if n > 1 else ""}'
        q1, q3 = per_n[n]['ratio_q1'], per_n[n]['ratio_q3']
        if q1 <= REGISTRY_GOAL:
            why += f' (its runs range {q1:.2f} to {q3:.2f} between the quartiles: within this machine\'s noise)'
        reasons.append(why)
    t = {n: per_n[n]['core_us'] for n in SIZES}
    calls = {n: per_n[n]['calls'] for n in SIZES}
    early = (t[10] - t[1]) / 9
    late = (t[100] - t[10]) / 90
    if early > 0 and late > LINEAR_LIMIT * early:
        why = f'cost per added adapter grows from {fmt_us(early)} to {fmt_us(late)} µs'
        c_early = (calls[10] - calls[1]) / 9
        c_late = (calls[100] - calls[10]) / 90
        why += f' (registry calls per added adapter {c_early:.0f} → {c_late:.0f}'
        if op.endswith('9x') and c_late > LINEAR_LIMIT * c_early:
            why += ': each adapter\'s binding search reads MSTCP\\0000 upwards to its own'
        why += ')'
        reasons.append('not linear, ' + why)
    return [(f'{label}: {op}, µs per adapter at 1 / 10 / 100',
             ' / '.join(fmt_us(v) for v in core),
             ' / '.join(fmt_us(v) for v in floor),
             ' / '.join('%.2f' % r for r in ratios),
             goal, verdict(not reasons, '; '.join(reasons)))]


def record_rows(native, errors):
    """The Apply with its change record and read-back beside the plain Apply:
    registry calls (the goal) and processor time, at 1 / 10 / 100 adapters."""
    rows = []
    for op in ('apply9x', 'applyNt'):
        label = (f'In-memory registry: {op} with its change record and read-back, '
                 'registry calls at 1 / 10 / 100 adapters')
        goal = f'≤ {RECORD_GOAL} of the plain Apply'
        key = 'recorded ' + op
        per_n = {n: native[(key, n)] for n in SIZES if (key, n) in native}
        problem = next((errors[(key, n)] for n in SIZES if (key, n) in errors), '')
        if problem or len(per_n) != len(SIZES):
            rows.append((label, 'not measured', '', '', goal,
                         'not measured: ' + (problem or 'results incomplete')))
            continue
        calls = [per_n[n]['calls_recorded'] for n in SIZES]
        plain = [per_n[n]['calls_plain'] for n in SIZES]
        ratios = [c / p for c, p in zip(calls, plain)]
        extra = [c - p for c, p in zip(calls, plain)]
        why = ''
        if max(ratios) > RECORD_GOAL:
            why = ('{} calls more at 1 / 10 / 100 adapters: two reads of every value written '
                   '(its state before, for the record, and the read-back) and five for the '
                   'record itself'.format(' / '.join('%d' % e for e in extra)))
        rows.append((label, ' / '.join('%d' % c for c in calls),
                     ' / '.join('%d' % p for p in plain),
                     ' / '.join('%.2f' % r for r in ratios), goal,
                     verdict(max(ratios) <= RECORD_GOAL, why)))
        rows.append((f'In-memory registry (processor time): {op} with its change record and '
                     'read-back, µs at 1 / 10 / 100 adapters',
                     ' / '.join(fmt_us(per_n[n]['recorded_us']) for n in SIZES),
                     ' / '.join(fmt_us(per_n[n]['plain_us']) for n in SIZES),
                     ' / '.join('%.2f' % per_n[n]['ratio'] for n in SIZES),
                     '(for comparison)', 'info'))
    return rows


def finder(wine):
    """find(kind, what): the result line of that kind and program, or the
    driver's problem line of that kind when there is none."""
    def find(kind, what=None):
        problem = None
        for r in wine:
            if r.get('kind') != kind:
                continue
            if what is None or r.get('what') == what:
                return r
            if r.get('what') == 'driver' and r.get('problem'):
                problem = r
        return problem
    return find


def startup_rows(find, kind):
    """Start-up against the fair floor (the goal), with and without the
    companion beside it; the same against the bare floor for comparison; and
    the working set."""
    rows = []
    start = {w: find('startup', w) for w in ('velora', 'fair_floor', 'floor', 'velora_alone')}
    fair, fl = start['fair_floor'], start['floor']
    alone = start['velora_alone']
    labels = {
        'velora': f'Start-up of the {kind} program to a visible, idle main window (Wine)',
        'velora_alone': f'Start-up of the {kind} program with no companion beside it (Wine)',
    }
    for floor, floor_name, key, goal in (
            (fair, 'fair floor', 'fair_ratio', f'ratio ≤ {START_GOAL:.2f}'),
            (fl, 'bare floor', 'ratio', '(for comparison)')):
        for what in ('velora', 'velora_alone'):
            v = start[what]
            label = f'{labels[what]}, against the {floor_name}'
            problem = (v or {}).get('problem') or (floor or {}).get('problem')
            if not v or not floor or problem or key not in v:
                rows.append((label, 'not measured', '', '', goal,
                             'not measured: ' + (problem or 'no result')))
                continue
            ratio = v.get(key) or v['startup_ms'] / floor['startup_ms']
            result = 'info'
            if floor is fair:
                reasons = []
                if ratio > START_GOAL:
                    over = (ratio - START_GOAL) * floor['startup_ms']
                    reasons.append(f'about {fmt_ms(over)} over the goal')
                    if what == 'velora' and alone and 'startup_ms' in alone:
                        wait = v['startup_ms'] - alone['startup_ms']
                        if wait > 0:
                            reasons.append(f'the companion\'s start beside it takes '
                                           f'{fmt_ms(wait)} of it')
                    reasons.append('the steps are in the start-up trace below')
                result = verdict(ratio <= START_GOAL, '; '.join(reasons))
            rows.append((label, fmt_ms(v['startup_ms']), fmt_ms(floor['startup_ms']),
                         '%.2f' % ratio, goal, result))
    v = start['velora']
    label = f'Peak working set of the {kind} program at idle after start-up (Wine)'
    if v and fl and not v.get('problem') and not fl.get('problem'):
        ratio = v.get('peak_ratio') or v['peak_ws_kb'] / fl['peak_ws_kb']
        rows.append((label + ', against the bare floor', fmt_kb(v['peak_ws_kb']),
                     fmt_kb(fl['peak_ws_kb']), '%.2f' % ratio,
                     f'ratio ≤ {MEMORY_GOAL}', verdict(ratio <= MEMORY_GOAL)))
    else:
        why = ((v or {}).get('problem') or (fl or {}).get('problem') or 'no result')
        rows.append((label, 'not measured', '', '', f'ratio ≤ {MEMORY_GOAL}', 'not measured: ' + why))
    if v and fair and not v.get('problem') and not fair.get('problem'):
        rows.append((label + ', against the fair floor', fmt_kb(v['peak_ws_kb']),
                     fmt_kb(fair['peak_ws_kb']), '%.2f' % (v['peak_ws_kb'] / fair['peak_ws_kb']),
                     '(for comparison)', 'info'))
    return rows, start


def apply_rows(find, kind):
    rows = []
    av, af, pace = find('apply', 'velora'), find('apply', 'floor'), find('apply', 'pace')
    wall_label = f'Apply of the {kind} program, wall time from the command to the restart question (Wine)'
    cpu_label = f'Apply of the {kind} program, processor time over that time'
    if not av or av.get('problem'):
        why = 'not measured: ' + ((av or {}).get('problem') or 'no result')
        rows.append((wall_label, 'not measured', '', '', '≈ 1.1 s', why))
        rows.append((cpu_label, 'not measured', '', '', f'< {CPU_SHARE_GOAL:.0%} of wall', why))
        return rows, av
    wall, cpu = av['wall_ms'], av['cpu_ms']
    floor_ok = af and not af.get('problem')
    close = abs(wall - PACED_MS) <= APPLY_TOLERANCE * PACED_MS
    reasons = []
    if pace and not pace.get('problem'):
        reasons.append(f'the 100 waits alone take {fmt_ms(pace["wall_ms"])} here')
    if floor_ok:
        reasons.append(f'a bare program stepping and painting the same bar takes '
                       f'{fmt_ms(af["wall_ms"])}')
    if not av.get('written'):
        close = False
        reasons = ['the Dial-Up adapter\'s MaxMTU was not written']
    rows.append((wall_label, fmt_ms(wall), fmt_ms(af['wall_ms']) if floor_ok else '',
                 '%.2f' % (wall / af['wall_ms']) if floor_ok else '',
                 f'≈ 1.1 s (paced {PACED_MS} ms)', verdict(close, '; '.join(reasons))))
    share = cpu / wall if wall else 0
    floor_cell, ratio_cell, reason = '', '', ''
    if floor_ok:
        floor_share = af['cpu_ms'] / af['wall_ms'] if af['wall_ms'] else 0
        floor_cell = f'{fmt_ms(af["cpu_ms"])} ({floor_share:.1%})'
        ratio_cell = '%.2f' % (cpu / af['cpu_ms']) if af['cpu_ms'] else ''
        if floor_share >= CPU_SHARE_GOAL:
            reason = 'the bare program needs as much for the same bar and question'
    rows.append((cpu_label, f'{fmt_ms(cpu)} ({share:.1%} of wall)', floor_cell, ratio_cell,
                 f'< {CPU_SHARE_GOAL:.0%} of wall', verdict(share < CPU_SHARE_GOAL, reason)))
    return rows, av


def idle_rows(find, kind):
    rows = []
    iv, ifl = find('idle', 'vldetect'), find('idle', 'floor')
    labels = (f'Companion vldetect.exe ({kind}) at idle: processor time over a minute (Wine)',
              f'Companion vldetect.exe ({kind}) at idle: working set (Wine)')
    goals = (f'≤ {IDLE_CPU_GOAL_MS} ms', f'ratio ≤ {MEMORY_GOAL}')
    problem = (iv or {}).get('problem') or (ifl or {}).get('problem')
    if not iv or not ifl or problem:
        for label, goal in zip(labels, goals):
            rows.append((label, 'not measured', '', '', goal,
                         'not measured: ' + (problem or 'no result')))
        return rows
    cpu_ratio = '%.2f' % (iv['cpu_ms'] / ifl['cpu_ms']) if ifl['cpu_ms'] else ''
    rows.append((labels[0], fmt_ms(iv['cpu_ms']), fmt_ms(ifl['cpu_ms']), cpu_ratio,
                 goals[0], verdict(iv['cpu_ms'] <= IDLE_CPU_GOAL_MS)))
    ws_ratio = iv['ws_kb'] / ifl['ws_kb']
    rows.append((labels[1], fmt_kb(iv['ws_kb']), fmt_kb(ifl['ws_kb']), '%.2f' % ws_ratio,
                 goals[1], verdict(ws_ratio <= MEMORY_GOAL)))
    return rows


# Why what a start-up step takes stays, by step of the traced program.
STEP_REASONS = {
    'WinMain entered: the program and its DLLs loaded':
        'Wine starting the process and loading its DLLs, as for the floors',
    'common controls registered': 'the bar, progress and list view classes',
    'profile, verb, install folder':
        'the framework\'s profile keys, the command line\'s verb, the install folder read and '
        'made current: the companion is started from there',
    "companion's ShellExecuteA handed to its thread":
        'the display opened first (GetCursorPos): Wine loads its driver and connects the thread '
        'in less time before a second thread exists (in the fair floor the window\'s creation '
        'does it); then the companion\'s start handed to a thread of its own, before the window '
        'as the start-up order has it',
    "companion's ShellExecuteA returned":
        'on its own thread: loads shell32.dll, enters COM and starts vldetect.exe; meanwhile it '
        'shares Wine\'s loader lock and server with the main thread',
    'frame window made (class, icon, menu)':
        'the class, icon, menu and window of the frame, as in the fair floor, whose figure also '
        'holds opening the display; slower beside the companion\'s start, whose loading of '
        'shell32.dll holds the loader lock the icon and menu wait for',
    'toolbar and its bitmap': 'as in the fair floor',
    'status bar and its panes': 'as in the fair floor',
    'frame placed and centred':
        'the show command read from WIN.INI and the frame centred; made at its placement\'s '
        'size, the frame is not placed off the screen first where the centring replaces all '
        'that placement does',
    "form: the template's 56 controls": 'one child window per control, as in the fair floor',
    'form: six links attached (fonts, fitted, cursors)':
        'each of the six HELP! links takes its font and is fitted to its text, as the first '
        'paint shows it; the hand cursor comes when the pointer first asks for one',
    'form: Windows version, font-size layout':
        'the Windows version read (before the lists, as the start-up order has it), and the '
        'three lists\' selection fields set to their height (CB_SETITEMHEIGHT), which the first '
        'paint shows: under Wine each moves its list\'s hidden pop-up, about 3 ms a list',
    "form: tip texts, masks, the lists' start texts":
        'the tip texts, the blank masks over the group frames and the text each list shows, '
        'all seen at the first paint',
    'frame with its bars and form created': 'the form laid out between the bars and shown',
    'caption set, window shown': 'the caption set and the frame shown, as in the fair floor',
    'first paint': 'every window paints itself, as in the fair floor',
    'first idle pass: pane texts':
        'the idle-time update: the mode and OS panes and the toolbar\'s buttons; the fair floor '
        'writes its OS pane',
    "after the first idle pass: the lists' items, the Undo item's state":
        'out of the way of the first paint, and after the start-up the table measures: the 74 '
        'items of the three lists and the Undo item\'s state, once the window has been idle a '
        'moment or before the first message that comes sooner; until then the lists are '
        'disabled and the menus closed',
}


TRACE_INTRO = (
    'A traced build of velora.exe (the same code, with a timestamp at the end of each '
    'start-up step, runtime/win/startup_trace.h) and the floors with the same marks, started '
    'in turn; each step\'s end in milliseconds since process start, and how long it took since '
    'the previous step of its thread, beside the same step of the fair floor (medians of each '
    'step, so that the steps need not add up to the medians of the totals).')

# Why what remains stays.
REMAINS = (
    'What is left is what the user sees or what the start-up order needs: the links fitted '
    'and the lists\' heights set before the first paint, the Windows version read before the '
    'lists, the frame centred, and the companion started on a thread of its own before the '
    'window, whose start shares Wine\'s loader and server with the main thread.')


def trace_table(find, kind):
    """The start-up steps of the traced program, each beside the same step of
    the fair floor, as lines of markdown; a sentence when there is no trace."""
    velora, fair = find('trace', 'velora'), find('trace', 'fair_floor')
    floor, alone = find('trace', 'floor'), find('trace', 'velora_alone')
    problem = (velora or {}).get('problem') or (fair or {}).get('problem')
    if not velora or not fair or problem:
        return [f'The {kind} program: not traced ({problem or "no result"}).']
    ok = lambda r: r and not r.get('problem')
    steps = lambda r: {st['step']: st for st in (r or {}).get('steps', [])}
    fair_steps, alone_steps = steps(fair), steps(alone) if ok(alone) else {}
    lines = [f'The {kind} program ({velora.get("samples", "?")} traced start-ups of each, '
             f'medians): ready after {fmt_ms(velora["ready_ms"])} with the companion beside it'
             + (f', {fmt_ms(alone["ready_ms"])} without' if ok(alone) else '')
             + f'; the fair floor after {fmt_ms(fair["ready_ms"])}'
             + (f', the bare floor after {fmt_ms(floor["ready_ms"])}' if ok(floor) else '')
             + '.', '',
             '| step | velora: ends at (ms) | took (ms) | took without the companion (ms) '
             '| fair floor: ends at (ms) | took (ms) | thread | what it is, and why it stays |',
             '|---|---|---|---|---|---|---|---|']
    for st in velora.get('steps', []):
        f = fair_steps.get(st['step'])
        a = alone_steps.get(st['step'])
        why = STEP_REASONS.get(st['step'], '')
        lines.append(f'| {st["step"]} | {st["ms"]:.1f} | {st["took_ms"]:.1f} | '
                     f'{"%.1f" % a["took_ms"] if a else ""} | '
                     f'{"%.1f" % f["ms"] if f else "(none)"} | {"%.1f" % f["took_ms"] if f else ""} | '
                     f'{"beside the main one" if st.get("beside") else "main"} | {why} |')
    mine = {st['step'] for st in velora.get('steps', [])}
    for st in fair.get('steps', []):
        if st['step'] not in mine:
            lines.append(f'| (fair floor only) {st["step"]} | | | | {st["ms"]:.1f} | '
                         f'{st["took_ms"]:.1f} | main | |')
    if ok(floor):
        lines += ['', 'The bare floor\'s steps (a window with a menu and a status bar, '
                  'bench/win/floor.cpp), for comparison: '
                  + '; '.join(f'{st["step"]} at {st["ms"]:.1f} ms' for st in floor.get('steps', []))
                  + '.']
    if ok(alone):
        idle = next((st['ms'] for st in alone.get('steps', [])
                     if st['step'].startswith('first idle pass')), None)
        own = [st for st in alone.get('steps', [])
               if st['step'] not in fair_steps and not st.get('beside')]
        before = [st for st in own if idle is None or st['ms'] <= idle]
        after = [st for st in own if idle is not None and st['ms'] > idle]
        shared = sum(st['took_ms'] - fair_steps[st['step']]['took_ms']
                     for st in alone.get('steps', []) if st['step'] in fair_steps)
        gap = alone['ready_ms'] - fair['ready_ms']
        companion = velora['ready_ms'] - alone['ready_ms']
        more = lambda x, what='more': f'{fmt_ms(abs(x))} {what if x >= 0 else "less"}'
        lines += ['', f'What remains: without a companion beside it the program is ready '
                  f'{fmt_ms(abs(gap))} {"after" if gap >= 0 else "before"} the fair floor '
                  f'({alone["ready_ms"] / fair["ready_ms"]:.2f} times its time, medians of the '
                  f'traced runs); its own steps up to the first idle pass, which the fair floor '
                  f'has not, take {fmt_ms(sum(st["took_ms"] for st in before))} '
                  f'({", ".join(st["step"] + " " + fmt_ms(st["took_ms"]) for st in before)}), '
                  f'and the steps both have take {more(shared)} in all'
                  + (f'; after the first idle pass, outside the start-up time: '
                     + ', '.join(st['step'].split(': ', 1)[-1] + ' ' + fmt_ms(st['took_ms'])
                                 for st in after)
                     if after else '')
                  + f'. The companion\'s start beside it takes {more(companion)}. {REMAINS}']
    return lines


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--build')
    ap.add_argument('--native')
    ap.add_argument('--wine64')
    ap.add_argument('--wine32')
    ap.add_argument('--probe', default='')
    ap.add_argument('--probe-only', action='store_true')
    ap.add_argument('--startup-only', action='store_true')
    ap.add_argument('--wine-version', default='')
    ap.add_argument('--load-before', default='')
    ap.add_argument('--out', required=True)
    args = ap.parse_args()
    header = ('Benchmark', 'velora', 'floor', 'ratio', 'goal', 'result')
    if args.probe_only:
        table = ['| ' + ' | '.join(header) + ' |', '|' + '---|' * len(header)]
        table += ['| ' + ' | '.join(str(c) for c in r) + ' |'
                  for r in probe_rows(read_probe(args.probe))]
        print('\n'.join(table))
        with open(args.out, 'w') as f:
            f.write('# Benchmarks: the MTU probe\n\n' + '\n'.join(table) + '\n')
        print(f'\nwritten to {args.out}')
        return
    if args.startup_only:
        wine64, wine32 = read_wine(args.wine64 or ''), read_wine(args.wine32 or '')
        rows, trace = [], ['## Start-up, step by step', '', TRACE_INTRO, '']
        for kind, find in (('x86-64', finder(wine64)), ('i686', finder(wine32))):
            rows += startup_rows(find, kind)[0]
            trace += trace_table(find, kind) + ['']
        table = ['| ' + ' | '.join(header) + ' |', '|' + '---|' * len(header)]
        table += ['| ' + ' | '.join(str(c).replace('|', '\\|') for c in r) + ' |' for r in rows]
        print('\n'.join(table + [''] + trace))
        cpu, cores, load, wine_version, os_name = machine(args.wine_version)
        with open(args.out, 'w') as f:
            f.write(f'# Benchmarks: start-up only\n\nOn {cores} × {cpu}, {wine_version}; '
                    f'{load_line(args.load_before, load)}.\n\n')
            f.write('\n'.join(table + [''] + trace) + '\n')
        print(f'\nwritten to {args.out}')
        return
    for need in ('build', 'native', 'wine64', 'wine32'):
        if not getattr(args, need):
            ap.error(f'--{need} is needed for the whole report')

    wine64, wine32 = read_wine(args.wine64), read_wine(args.wine32)
    programs = (('x86-64', finder(wine64)), ('i686', finder(wine32)))
    native, native_errors = read_native(args.native)
    rows = []  # (what, velora, floor, ratio, goal, result)

    # 1. Start-up and memory, and 2. the Apply, for each program
    starts, applies = {}, {}
    for kind, find in programs:
        more, starts[kind] = startup_rows(find, kind)
        rows += more
    for kind, find in programs:
        more, applies[kind] = apply_rows(find, kind)
        rows += more

    # 3. Registry work at scale: the same code in both programs, measured once
    for op in ('apply9x', 'applyNt', 'restore9x', 'restoreNt'):
        per_n = {n: native[(op, n)] for n in SIZES if (op, n) in native}
        problem = next((native_errors[(op, n)] for n in SIZES if (op, n) in native_errors), '')
        if not native and not native_errors:
            problem = 'Google Benchmark is not installed (tools/install-deps.sh benchmark)'
        rows += registry_rows('In-memory registry (processor time)', op, per_n, problem)
    if native or native_errors:
        rows += record_rows(native, native_errors)
    for op in ('apply9x', 'applyNt', 'restore9x', 'restoreNt'):
        per_n, problem = {}, ''
        for r in wine64:
            if r.get('kind') != 'registry':
                continue
            if r.get('problem') and (r.get('what', '').split('/')[0] in (op, 'driver', 'set-up')):
                problem = r['problem']
            elif r.get('op') == op:
                per_n[r['adapters']] = r
        if not per_n and not problem:
            problem = 'no result'
        rows += registry_rows('Wine registry (wall time)', op, per_n, problem)

    # The MTU probe on scripted paths
    rows += probe_rows(read_probe(args.probe))

    # 4. The size of each shipped file
    b = args.build
    setup = os.path.join(b, 'bench', 'velora-setup.exe')
    if not os.path.exists(setup):
        setup = os.path.join(b, 'velora-setup.exe')
    kb = lambda p: os.path.getsize(p) / 1024 if os.path.exists(p) else None
    for arch, objdump, label in (('win64', 'x86_64-w64-mingw32-objdump', 'x86-64'),
                                 ('win32', 'i686-w64-mingw32-objdump', 'i686 (for Windows 95 to 2000)')):
        floor_size = kb(os.path.join(b, 'bench', arch, 'floor.exe'))
        idle_floor_size = kb(os.path.join(b, 'bench', arch, 'idle_floor.exe'))
        for name, fs in (('velora.exe', floor_size), ('vldetect.exe', idle_floor_size)):
            exe = os.path.join(b, arch, name)
            size = kb(exe)
            rows.append((f'Size of {name}, {label}', fmt_kb(size) if size else 'not built',
                         fmt_kb(fs) if fs else '',
                         '%.1f' % (size / fs) if size and fs else '',
                         f'< {SIZE_GOAL_KB} KB',
                         verdict(size < SIZE_GOAL_KB, size_reason(exe, objdump))
                         if size else 'not measured: not built'))
    help_dir = os.path.join(b, 'win32', 'help')
    if not os.path.isdir(help_dir):
        help_dir = os.path.join(b, 'win64', 'help')
    pages = sorted(os.listdir(help_dir)) if os.path.isdir(help_dir) else []
    help_kb = sum(os.path.getsize(os.path.join(help_dir, f)) for f in pages) / 1024
    rows.append((f'Size of the help folder ({len(pages)} files)',
                 fmt_kb(help_kb) if pages else 'not built', '', '', '(for comparison)',
                 'info' if pages else 'not measured: not built'))
    ss = kb(setup)
    rows.append(('Size of the setup velora-setup.exe (both programs, both companions, the help)',
                 fmt_kb(ss) if ss else 'not built', '', '', '(for comparison)',
                 'info' if ss else 'not measured: not built (NSIS missing or make dist not run)'))
    for arch, objdump, label in (('win64', 'x86_64-w64-mingw32-objdump', 'x86-64'),
                                 ('win32', 'i686-w64-mingw32-objdump', 'i686')):
        exe = os.path.join(b, arch, 'velora.exe')
        floor_exe = os.path.join(b, 'bench', arch, 'floor.exe')
        mine = imports(exe, objdump) if os.path.exists(exe) else None
        theirs = imports(floor_exe, objdump) if os.path.exists(floor_exe) else None
        rows.append((f'Imports of velora.exe, {label}',
                     f'{mine[0]} DLLs, {mine[1]} functions' if mine else 'not measured',
                     f'{theirs[0]} DLLs, {theirs[1]} functions' if theirs else '', '',
                     '(for comparison)', 'info'))

    # 5. The companion at idle
    for kind, find in programs:
        rows += idle_rows(find, kind)

    trace = ['## Start-up, step by step', '',
             TRACE_INTRO, '']
    for kind, find in programs:
        trace += trace_table(find, kind) + ['']
    start = starts['x86-64']
    av = applies['x86-64']
    table = ['| ' + ' | '.join(header) + ' |', '|' + '---|' * len(header)]
    table += ['| ' + ' | '.join(str(c).replace('|', '\\|') for c in r) + ' |' for r in rows]
    table = '\n'.join(table)
    print(table)
    print('\n'.join(trace))

    cpu, cores, load, wine_version, os_name = machine(args.wine_version)
    now = datetime.datetime.now(datetime.timezone.utc).strftime('%Y-%m-%d %H:%M UTC')
    start_runs = (start['velora'] or {}).get('samples', '?')
    apply_runs = (av or {}).get('samples', '?')
    with open(args.out, 'w') as f:
        f.write('# Benchmarks\n\n')
        f.write(f'Run {now} on {cores} × {cpu} ({os_name}), {wine_version}; '
                f'{load_line(args.load_before, load)}.\n\n')
        f.write(table + '\n\n')
        f.write('\n'.join(trace) + '\n')
        f.write(NOTES.format(start_runs=start_runs, apply_runs=apply_runs, paced=PACED_MS,
                             linear=LINEAR_LIMIT))
    print(f'\nwritten to {args.out}')


if __name__ == '__main__':
    main()
