"""The shipped file itself: a 32-bit GUI executable that needs only Windows' own DLLs."""
import struct

from conftest import CHAINER

# DLLs that every supported Windows carries in its system folder.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "shlwapi.dll",
    "ole32.dll", "oleaut32.dll", "comctl32.dll", "version.dll", "wininet.dll", "msi.dll",
    "msvcrt.dll",
}


def read_pe(path):
    data = path.read_bytes()
    assert data[:2] == b"MZ"
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0"
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    import_rva = struct.unpack_from("<I", data, optional + 96 + 8)[0]
    table = pe + 24 + optional_size
    section_list = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for _, vsize, vaddr, rawsize, rawptr in section_list:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rva - vaddr + rawptr
        raise AssertionError(f"RVA {rva:#x} lies in no section")

    dlls = []
    entry = offset(import_rva)
    while True:
        name_rva = struct.unpack_from("<I", data, entry + 12)[0]
        if name_rva == 0:
            break
        start = offset(name_rva)
        dlls.append(data[start:data.index(b"\0", start)].decode("ascii"))
        entry += 20
    return machine, magic, subsystem, dlls


def test_pe32_i386_gui_with_system_imports_only():
    machine, magic, subsystem, dlls = read_pe(CHAINER)
    assert machine == 0x14C, "not an i386 image"
    assert magic == 0x10B, "not PE32"
    assert subsystem == 2, "not the GUI subsystem"
    assert dlls, "no import table"
    assert {d.lower() for d in dlls} <= SYSTEM_DLLS, f"imports beyond Windows' own DLLs: {dlls}"
