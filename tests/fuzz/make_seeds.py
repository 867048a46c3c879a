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


if __name__ == '__main__':
    unscramble()
    settings_store()
    mode_file()
    custom_edit()
    adapters()
    change_record()
