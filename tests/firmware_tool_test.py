#!/usr/bin/env python3
"""The firmware builder without BaseTools: the variable store it writes the
boot option into, the load option itself, dependency expressions, and the
package's GUIDs against the headers the images are built from."""
import os
import re
import struct
import sys
import tempfile
import unittest
import uuid

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tools"))
import firmware  # noqa: E402


def blank_store(size=0x400):
    """A variable flash image: volume header, authenticated store header, then erased."""
    data = bytearray(b"\xff" * (0x48 + size))
    data[0:0x48] = bytes(0x48)
    data[0x28:0x2C] = b"_FVH"
    struct.pack_into("<H", data, 0x30, 0x48)
    data[0x48:0x48 + 16] = firmware.VARIABLE_STORE_GUID.bytes_le
    struct.pack_into("<IBBHI", data, 0x48 + 16, size, 0x5A, 0xFE, 0, 0)
    return data


def decode_load_option(raw):
    """(attributes, description, [(type, subtype, body)], optional data)."""
    attributes, path_length = struct.unpack_from("<IH", raw)
    end = 6
    while raw[end:end + 2] != b"\0\0":
        end += 2
    description = raw[6:end].decode("utf-16-le")
    at, nodes = end + 2, []
    path_end = at + path_length
    while at < path_end:
        kind, sub, length = struct.unpack_from("<BBH", raw, at)
        nodes.append((kind, sub, raw[at + 4:at + length]))
        at += length
    return attributes, description, nodes, raw[path_end:]


class VariableStore(unittest.TestCase):
    def test_variables_of_any_size_read_back_in_order(self):
        # Odd name and data sizes: each header must start 4-aligned, with nothing between name and data.
        data = blank_store()
        cases = [("A", b"\x01"), ("Boot0000", b"xy" * 19), ("Odd", b"abc"), ("Four", b"1234")]
        vendor = uuid.UUID("01234567-89ab-cdef-0123-456789abcdef")
        for name, value in cases:
            firmware.add_variable(data, name, vendor, value)
        self.assertEqual([(n, v) for n, _, _, v in firmware.read_variables(data)], cases)
        # Where the firmware's own walk finds each header: 60 + name + data, rounded up to 4.
        starts = [at for at in range(0x64, len(data), 4) if data[at:at + 2] == b"\xaa\x55"]
        self.assertEqual(starts, [0x64, 0xA8, 0x11C, 0x164])

    def test_a_full_store_or_a_foreign_image_is_refused(self):
        data = blank_store(size=0x80)
        with self.assertRaises(firmware.FirmwareError):
            firmware.add_variable(data, "Big", firmware.GLOBAL_VARIABLE, bytes(0x80))
        self.assertEqual(firmware.read_variables(data), [])
        for broken in (bytearray(0x100), blank_store()[:0x50]):
            with self.assertRaises(firmware.FirmwareError):
                firmware.read_variables(broken)

    def test_the_shipped_store_gets_one_boot_option_for_the_front_end(self):
        guid = "2DD31F54-9F0B-46BB-8EFF-E465F13EC8CB"
        with tempfile.TemporaryDirectory() as work:
            for mode, optional in ((None, b""), ("e2e", "e2e".encode("utf-16-le"))):
                target = os.path.join(work, "vars.fd")
                firmware.write_boot_variables(firmware.OVMF_VARS, target, guid, mode)
                with open(target, "rb") as f:
                    found = {n: (a, v) for n, g, a, v in firmware.read_variables(bytearray(f.read()))
                             if g == firmware.GLOBAL_VARIABLE}
                self.assertEqual(found["BootOrder"], (firmware.NV_BS_RT, b"\0\0"))
                attributes, description, nodes, data = decode_load_option(found["Boot0000"][1])
                self.assertEqual((attributes, description, data), (1, firmware.BOOT_DESCRIPTION, optional))
                self.assertEqual(nodes, [(4, 7, firmware.DXE_FV.bytes_le),
                                         (4, 6, uuid.UUID(guid).bytes_le), (0x7F, 0xFF, b"")])
                # A store that has boot options already is not rewritten.
                with self.assertRaises(firmware.FirmwareError):
                    firmware.write_boot_variables(target, target, guid)


class Package(unittest.TestCase):
    def test_dependency_expressions_name_guids_by_value(self):
        names = {"gA": "CC2AC9E3-14A9-11D3-8E77-00A0C969723B", "gB": "E9CA4775-8657-47FC-97E7-7ED65A084324"}
        cases = [
            ("TRUE", "TRUE"),
            ("gA AND NOT gB", "{0xcc2ac9e3, 0x14a9, 0x11d3, {0x8e, 0x77, 0x00, 0xa0, 0xc9, 0x69, 0x72, "
                              "0x3b}} AND NOT {0xe9ca4775, 0x8657, 0x47fc, {0x97, 0xe7, 0x7e, 0xd6, "
                              "0x5a, 0x08, 0x43, 0x24}}"),
        ]
        for depex, want in cases:
            self.assertEqual(firmware.depex_expression(depex, names), want)
        for name, value in names.items():
            self.assertEqual(firmware.parse_c_guid(firmware.c_guid(value)), value)
        with self.assertRaises(firmware.FirmwareError):
            firmware.depex_expression("gA AND gUnknown", names)

    def test_the_package_guids_are_the_ones_the_images_use(self):
        headers = ["include/orvane.h", "platform/float_math.h", "platform/efi.h"]
        defined = {}
        for header in headers:
            with open(os.path.join(ROOT, header)) as f:
                for name, body in re.findall(r"#define (\w+_GUID)\s*\\\s*\{(.*?\}\s*)\\?\s*\}", f.read(), re.S):
                    defined[name] = firmware.parse_c_guid(body.replace("\\", ""))
        dec = firmware.read_guid_names(os.path.join(firmware.PACKAGE, "OrvanePkg.dec"))
        # The published header's names, and the ones the shim is built with.
        pairs = {"gOrvaneUiProtocolGuid": ["ORVANE_UI_PROTOCOL_GUID"],
                 "gOrvaneBannerProtocolGuid": ["ORVANE_BANNER_PROTOCOL_GUID"],
                 "gFloatMathProtocolGuid": ["ORVANE_FLOAT_MATH_GUID", "FLOAT_MATH_PROTOCOL_GUID"],
                 "gPrintProtocolGuid": ["ORVANE_PRINT_SERVICE_GUID", "EFI_PRINT_PROTOCOL_GUID"]}
        self.assertEqual(set(dec), set(pairs))
        for name, macros in pairs.items():
            for macro in macros:
                self.assertEqual(dec[name], defined[macro], "%s and %s" % (name, macro))

    def test_the_modules_are_distinct_and_the_toolkit_waits_for_the_shim_only(self):
        modules = {key: firmware.read_module(inf) for key, inf in firmware.MODULES}
        self.assertEqual(len({m["guid"] for m in modules.values()}), len(modules))
        self.assertEqual([modules[k]["type"] for k in ("shim", "driver", "setup")],
                         ["DXE_DRIVER", "DXE_DRIVER", "UEFI_APPLICATION"])
        # The toolkit waits for the shim's services only: a wait for Graphics
        # Output would hold it until BDS connects the display.
        words = set(modules["driver"]["depex"].split())
        self.assertEqual(words, {"gFloatMathProtocolGuid", "AND", "gPrintProtocolGuid"})


if __name__ == "__main__":
    unittest.main()
