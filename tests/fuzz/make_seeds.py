#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/<target>/.

Each seed is a small input in the byte layout its target reads (see the
target's source); they start the fuzzer from machines and files that look
like real ones. Run it again after changing a layout; the files are kept in
the repository so that the test run replays them."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def text(s):
    b = s.encode('latin-1') if isinstance(s, str) else s
    assert len(b) < 256
    return bytes([len(b)]) + b


def word(n):
    return struct.pack('<H', n)


def write(target, name, data):
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


# ---- unscramble: the bytes themselves ----
def unscramble():
    seeds = {
        'abc': b'DBGCGDG',
        'abc_padded': b'DBGCGDGABCDEFGHIJKLMNOP',
        'long_prefix': b'QQQQQQQQAAAAAAAA',
        'prefix_only': b'QQQ',
        'empty': b'',
        'beyond_p': b'PzzZZ\x00\xff\x80',
        'folder': b'OMGDKFMFGHFCHBGD',
    }
    for name, data in seeds.items():
        write('unscramble', name, data)


# ---- settings_store ----
def scramble(s):
    b = s.encode('latin-1')
    out = 'Q' * (len(b) // 16) + chr(ord('A') + len(b) % 16)
    for c in b:
        out += chr(ord('A') + (c & 15)) + chr(ord('A') + (c >> 4))
    return out


def settings_value(key_pick, name_pick, type_byte, data, key_text=b'', name_text=b''):
    out = bytes([key_pick])
    if key_pick in (2, 3):
        out += text(key_text)
    out += bytes([name_pick])
    if name_pick == 6:
        out += text(name_text)
    return out + bytes([type_byte]) + word(len(data)) + data


def settings_store():
    head = lambda fail, status, written: word(fail) + bytes([status]) + word(len(written)) + written
    folder = settings_value(0, 0, 0, b'C:\\Program Files\\Velora\x00')
    ping = b''.join(settings_value(1, i, 0, scramble(v).encode() + b'\x00')
                    for i, v in ((1, 'Manual'), (2, 'www.example.com'), (3, '4'), (4, '1'), (5, '0')))
    write('settings_store', 'installed', head(0, 0, b'www.example.com') + folder + ping)
    write('settings_store', 'no_nul', head(0, 0, b'host') + settings_value(0, 0, 0, b'C:\\Velora'))
    write('settings_store', 'oversize', head(0, 0, b'x' * 520) + settings_value(0, 0, 0, b'C' * 1001)
          + settings_value(1, 2, 0, b'Q' * 999 + b'\x00'))
    write('settings_store', 'dword_folder', head(0, 0, b'') + settings_value(0, 0, 4, b'\x01\x02\x03\x04'))
    write('settings_store', 'empty_values', head(0, 0, b'\x00a') + settings_value(0, 0, 0, b'')
          + settings_value(1, 3, 0, b''))
    write('settings_store', 'blank_folder', head(0, 0, b'a') + settings_value(0, 0, 0, b'   \x00'))
    for n, status in ((1, 0), (2, 1), (3, 2), (9, 0)):
        write('settings_store', 'fail_%d_%d' % (n, status), head(n, status, b'www.example.com') + folder + ping)


# ---- mode_file ----
def mode_file():
    def seed(setup, attributes, failing, description, content):
        return bytes([setup, attributes, failing]) + text(description) + content
    manual = b'Networking Performance - Manual Configured'
    write('mode_file', 'hidden_file', seed(5, 7, 0, 'Dial-Up Networking (Modem) - Automatically Configured', manual))
    write('mode_file', 'padded_line', seed(7, 0, 0, '', b'   ' + manual + b'  \r\nsecond line'))
    write('mode_file', 'no_file', seed(1, 0, 0, 'Local Area Networking (LAN) - Automatically Configured', b''))
    write('mode_file', 'no_folder', seed(4, 0, 0, 'x', manual))
    write('mode_file', 'nul_inside', seed(5, 1, 0, '', b'Dial\x00Up'))
    write('mode_file', 'long_line', seed(5, 0, 0, 'y', b'z' * 1500))
    for failing in (1, 2, 3, 4, 5, 6):
        write('mode_file', 'fail_%d' % failing, seed(5, 7, failing, 'Local Area Networking (LAN) - Automatically Configured', manual))


# ---- custom_edit ----
def custom_edit():
    MTU, TTL, RADIO, LIST_TYPE, LIST_PICK, CHECK = range(6)
    def op(kind, group=0):
        return bytes([kind + 6 * group])
    write('custom_edit', 'typing', bytes([0]) + op(RADIO, 0) + bytes([2]) + op(MTU) + text('1500')
          + op(TTL) + text(' 64 ') + op(MTU) + text('15a') + op(TTL) + text('123456'))
    write('custom_edit', 'lists', bytes([1]) + op(RADIO, 1) + bytes([2]) + op(LIST_TYPE, 0) + text('x99')
          + op(LIST_PICK, 1) + bytes([30]) + op(LIST_TYPE, 2) + text('1000') + op(CHECK))
    write('custom_edit', 'low_mtu', bytes([2]) + op(RADIO, 0) + bytes([2]) + op(MTU) + text('39')
          + op(RADIO, 2) + bytes([2]) + op(TTL) + text(''))
    write('custom_edit', 'empty_ttl', bytes([1]) + op(RADIO, 2) + bytes([2]) + op(TTL) + text('   '))
    write('custom_edit', 'minus', bytes([0]) + op(MTU) + text('-1') + op(MTU) + text('99999')
          + op(RADIO, 0) + bytes([2]))


# ---- adapters ----
def key(pick, index=0, t=None):
    out = bytes([pick, index])
    if pick in (3, 5, 9):
        out += text(t or '')
    return out


def put(k, name_pick, value, name_extra=b''):
    """A REG_SZ value (the type byte below 0xA0 means a text with its NUL)."""
    return bytes([1]) + k + bytes([name_pick]) + name_extra + bytes([0]) + text(value)


def put_raw(k, name_pick, type_byte, data, name_extra=b''):
    return bytes([1]) + k + bytes([name_pick]) + name_extra + bytes([0xA0 | type_byte]) + word(len(data)) + data


def add(k):
    return bytes([0]) + k


DEVICE_DESC, TITLE, SERVICE_NAME, DRIVER, DEFAULT, MAXMTU, DEFAULTTTL, BINDING = range(8)


def machine98():
    out = b''
    for index, desc, binding in ((0, 'Dial-Up Adapter', 0), (12, 'Intel(R) PRO/100+ PCI Adapter', 42)):
        out += put(key(0, index), DEVICE_DESC, desc)
        out += put(key(1, index), BINDING, '', bytes([binding]))
        out += put(key(2, binding), DRIVER, 'NetTrans\\%04d' % index)
        out += add(key(3, 0, 'NetTrans\\%04d' % index))
    return out + add(key(6)) + put(key(7), DEFAULT, '0')


def machine_nt():
    out = b''
    for index, title, service in ((1, 'Remote Access WAN Wrapper [1]', 'NdisWan4'),
                                  (2, '3Com Etherlink III Adapter', 'El59x1')):
        out += put(key(4, index), TITLE, title)
        out += put(key(4, index), SERVICE_NAME, service)
        out += add(key(5, 0, service))
    return out + add(key(8))


def adapters():
    def head(nt, operation, mode, fail=0, status=0):
        return bytes([(operation << 1) | nt, mode]) + word(fail) + bytes([status])
    manual = (text('1492') + text('1452') + text('64') + text('x8') + text('30 min.') + text('32')
              + bytes([0x1f]) + text('x12') + text('5 min.') + text('64'))
    for nt, machine, tag in ((0, machine98(), '98'), (1, machine_nt(), 'nt')):
        write('adapters', tag + '_auto_dialup', head(nt, 0, 0) + machine)
        write('adapters', tag + '_auto_lan', head(nt, 0, 1) + machine)
        write('adapters', tag + '_manual_lan', head(nt, 0, 4) + manual + machine)
        write('adapters', tag + '_manual', head(nt, 0, 2) + manual + machine)
        write('adapters', tag + '_restore', head(nt, 1, 0) + machine)
        write('adapters', tag + '_uninstall', head(nt, 2, 0) + machine)
        write('adapters', tag + '_walk', head(nt, 3, 2) + machine)
        for fail, status in ((3, 0), (25, 1), (60, 2), (240, 0)):
            write('adapters', '%s_fail_%d_%d' % (tag, fail, status), head(nt, 0, 0, fail, status) + machine)
        write('adapters', tag + '_restore_fail', head(nt, 1, 0, 30, 0) + machine)
    # Odd registries: a description without its NUL and too long to read, an
    # adapter past index 99, a gap in the bindings, a DWORD where text belongs.
    odd = (put_raw(key(0, 0), DEVICE_DESC, 1, b'Dial-Up Adapter' * 70)
           + put(key(0, 3), DEVICE_DESC, 'Dial-Up Adapter') + put(key(1, 3), BINDING, '', bytes([99]))
           + put_raw(key(2, 99), DRIVER, 4, b'\x01\x00\x00\x00')
           + put(key(0, 120), DEVICE_DESC, 'Dial-Up Adapter')
           + add(key(6)))
    write('adapters', '98_odd', head(0, 0, 0) + odd)
    write('adapters', 'nt_odd', head(1, 0, 1) + put(key(4, 5), TITLE, 'AOL Adapter')
          + put_raw(key(4, 5), SERVICE_NAME, 3, b'AOL') + put(key(4, 6), TITLE, 'NE2000')
          + put(key(4, 6), SERVICE_NAME, '') + add(key(5, 0, '')) + add(key(8)))


# ---- change_record: choices, "Last", then a record as the program keeps it ----
def record_body(sequence, kind, mode, when, values):
    keys = []
    for k, _, _ in values:
        if k not in keys:
            keys.append(k)
    out = b'VLCR' + bytes([1]) + struct.pack('<IBBH', sequence, kind, mode, when[0])
    out += bytes(when[1:])
    out += struct.pack('<H', len(keys))
    for k in keys:
        kb = k.encode('latin-1')
        out += struct.pack('<H', len(kb)) + kb
    out += struct.pack('<H', len(values))
    for k, name, prior in values:
        nb = name.encode('latin-1')
        out += struct.pack('<HB', keys.index(k), len(nb)) + nb
        if prior is None:
            out += bytes([0])
        else:
            type_, data = prior
            out += bytes([1]) + struct.pack('<II', type_, len(data)) + data
    return out


def change_record():
    import zlib
    klass = 'System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000'
    mstcp = 'System\\CurrentControlSet\\Services\\Vxd\\MSTCP'
    tcpip = 'System\\CurrentControlSet\\Services\\Tcpip\\Parameters'
    apply98 = record_body(1, 1, 0, (2001, 6, 15, 9, 30, 0), [
        (klass, 'MaxMTU', (1, b'1492\0')), (klass, 'MaxMSS', None),
        (mstcp, 'DefaultRcvWindow', (3, b'\x01\x02')), (mstcp, 'DefaultTTL', (4, b'\x40\0\0\0')),
        ('System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize', '', (1, b'0\0'))])
    restore_nt = record_body(7, 2, 0, (2026, 12, 10, 23, 59, 59), [
        ('SYSTEM\\CurrentControlSet\\Services\\El90x1\\Parameters\\Tcpip', 'MTU', (4, b'\xdc\x05\0\0')),
        (tcpip + '\\Interfaces\\El90x1', 'MTU', None), (tcpip, 'TcpWindowSize', None)])
    foreign = record_body(1, 1, 0, (2001, 6, 15, 9, 30, 0), [
        ('SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run', 'MaxMTU', (1, b'x\0'))])
    crc = lambda b: b + struct.pack('<I', zlib.crc32(b))
    write('change_record', 'apply_98', bytes([0]) + word(1) + crc(apply98))
    write('change_record', 'restore_nt', bytes([0]) + word(7) + crc(restore_nt))
    write('change_record', 'apply_98_body', bytes([1]) + word(1) + apply98)
    write('change_record', 'foreign_key', bytes([1]) + word(1) + foreign)
    write('change_record', 'other_number', bytes([0]) + word(11) + crc(apply98))
    write('change_record', 'truncated', bytes([0]) + word(1) + crc(apply98)[:40])
    write('change_record', 'empty', bytes([0]) + word(1))


# ---- companion ----
def companion():
    def head(fail=0, status=0, values=()):
        return word(fail) + bytes([status, len(values)]) + b''.join(values)
    def value(index, t):
        return bytes([index]) + text(t)  # stored scrambled, as the dialog does
    def raw(index, type_byte, data):
        return bytes([0x80 | index, type_byte]) + text(data)
    def long_value(index, type_byte, length, filler):
        return bytes([0x80 | index, type_byte, 200 + length // 20, filler])
    LINE_NONE, LINE_MAKING, LINE_UP = 0x00, 0x10, 0x20
    PING_TIMER, FRAME, OUTCOME, NOTICE, PING_NOW, TASKBAR, REFUSE = 3, 5, 6, 9, 10, 12, 13
    def outcome(status, ms, address=''):
        return bytes([OUTCOME, status]) + word(ms) + text(address) + bytes([9])
    manual = [value(0, 'Manual'), value(1, 'isp.example'), value(2, '4'), value(3, '1'), value(4, '1')]
    write('companion', 'manual_day', head(values=manual) + bytes([LINE_UP, PING_TIMER])
          + outcome(0, 120) + bytes([LINE_NONE, LINE_MAKING, FRAME, FRAME, FRAME, LINE_UP, PING_NOW])
          + outcome(1, 0))
    write('companion', 'automatic', head() + bytes([LINE_MAKING, FRAME, LINE_UP, PING_TIMER])
          + outcome(0, 0, '10.1.1.1') + bytes([PING_TIMER]) + outcome(2, 0))
    write('companion', 'new_host', head(values=manual) + bytes([LINE_UP, PING_TIMER, 0x80 | NOTICE])
          + value(1, ' 10.0.0.2 ') + outcome(1, 0) + bytes([PING_NOW]) + outcome(0, 30))
    write('companion', 'other_notice', head(values=manual) + bytes([LINE_UP, 0x40 | NOTICE, 123, 124]))
    write('companion', 'line_gone', head(values=manual) + bytes([LINE_UP, PING_TIMER, LINE_NONE])
          + outcome(0, 50) + bytes([LINE_UP, REFUSE, PING_NOW, TASKBAR]))
    write('companion', 'odd_values', head(values=[raw(0, 4, b'\x01\x00\x00\x00'), long_value(1, 1, 1020, ord('Q')),
                                                  value(2, '-5'), value(3, '99999999999'),
                                                  raw(4, 1, b'')]) + bytes([LINE_MAKING, LINE_UP]))
    for fail, status in ((1, 0), (2, 1), (4, 2)):
        write('companion', 'fail_%d_%d' % (fail, status), head(fail, status, manual) + bytes([LINE_UP]))


# ---- ping_host ----
def ping_host():
    def address(a, b, c, d):
        return bytes([0, a, b, c, d])
    def listed(*items):
        return bytes([len(items)]) + b''.join(items)
    def names(*items, sep=1):
        return bytes([0x20, len(items)]) + b''.join(i + bytes([sep]) for i in items)
    NO_VALUE = bytes([0x80])
    def seed(connections, setup, host, lists, values, fail=0, up=0):
        return (bytes([len(connections)]) + b''.join(connections) + bytes([up, setup]) + word(120)
                + bytes([10, 4, 4, 4]) + host + b''.join(lists) + b''.join(values) + word(fail))
    UP, MAKING, DOWN = bytes([0x80]), bytes([0x05]), bytes([0x81])
    AUTO, HELPER, FOUND, DOTTED = 1, 2, 4, 0x20
    none = [listed(), listed(), listed()]
    write('ping_host', 'dialup_dns', seed([UP], AUTO | HELPER, text(''),
                                          [listed(address(10, 1, 1, 1)), listed(address(10, 2, 2, 2)), listed()],
                                          [NO_VALUE] * 3))
    write('ping_host', 'unusable_first', seed([MAKING, UP], AUTO | HELPER, text(''),
                                              [listed(address(0, 0, 0, 0), address(127, 0, 0, 1), bytes([0xC0]) + text('10.0.0.1x')),
                                               listed(address(10, 2, 2, 2)), listed()], [NO_VALUE] * 3))
    write('ping_host', 'registry_9x', seed([UP], AUTO, text(''), none,
                                           [names(address(10, 9, 9, 9), address(10, 9, 9, 8), sep=1), NO_VALUE, NO_VALUE]))
    write('ping_host', 'registry_nt', seed([UP], AUTO | HELPER, text(''), none,
                                           [NO_VALUE, names(address(127, 0, 0, 1), address(10, 8, 8, 8), sep=0),
                                            names(address(10, 7, 7, 7))]))
    write('ping_host', 'manual_name', seed([UP], FOUND, text('isp.example'), none, [NO_VALUE] * 3))
    write('ping_host', 'manual_unknown', seed([UP], 0, text('nowhere.example'), none, [NO_VALUE] * 3))
    write('ping_host', 'manual_dotted', seed([UP], DOTTED | 8, address(192, 168, 7, 254), none, [NO_VALUE] * 3))
    write('ping_host', 'no_line', seed([MAKING, DOWN], AUTO | HELPER, text(''),
                                       [listed(address(10, 1, 1, 1)), listed(), listed()], [NO_VALUE] * 3))
    write('ping_host', 'fail_registry', seed([UP], AUTO, text(''), none,
                                             [names(address(10, 9, 9, 9)), NO_VALUE, names(address(10, 7, 7, 7))], fail=2))


# ---- mtu_probe: the answers of one probe, in the order it asks ----
def mtu_probe():
    GO, UP = 0, 2  # StopRequested: anything but 0xA5; DialUp: Connected
    PASS, TOO_BIG, SILENT = 0, 1, 3

    def probe(local, answers, dotted=1, line=(UP,), lookup=b''):
        # dotted flag, stop?, the line, [lookup, stop?], IcmpCreateFile, local MTU
        head = bytes([dotted, GO]) + bytes(line) + lookup + bytes([0]) + word(local)
        return head + b''.join(bytes([GO]) + a for a in answers)

    too_big = lambda named=0: bytes([TOO_BIG]) + word(named)
    write('mtu_probe', 'ethernet', probe(1500, [bytes([PASS]), too_big()]))
    write('mtu_probe', 'named_jump', probe(1500, [too_big(1400), bytes([PASS])]))
    sizes = [1500, 783, 1141, 1320, 1410, 1365, 1387, 1398, 1404, 1401, 1399, 1400]
    write('mtu_probe', 'pppoe_bisection', probe(1500, [too_big() if s > 1400 else bytes([PASS]) for s in sizes]))
    write('mtu_probe', 'black_hole', probe(1500, [bytes([SILENT])] * 2 + [bytes([PASS])] * 4 + [bytes([SILENT])] * 2))
    write('mtu_probe', 'silent_host', probe(1500, [bytes([SILENT])] * 4))
    write('mtu_probe', 'name_found', probe(576, [bytes([PASS]), too_big()], dotted=0, lookup=bytes([1, GO])))
    write('mtu_probe', 'no_line', probe(1500, [], line=(0, 1)))
    write('mtu_probe', 'lan_card', probe(1500, [bytes([PASS]), bytes([PASS])], line=(0, 7)))
    write('mtu_probe', 'stopped', bytes([1, GO, UP, 0]) + word(1500) + bytes([GO, 1, 0, 0, 0xA5]))


if __name__ == '__main__':
    unscramble()
    settings_store()
    mode_file()
    custom_edit()
    adapters()
    change_record()
    companion()
    ping_host()
    mtu_probe()
