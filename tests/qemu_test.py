#!/usr/bin/env python3
"""The QEMU helper without booting: firmware pairs by flash size, the machine
options Secure Boot needs, and the volume laid out with signed images."""
import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import qemu  # noqa: E402
import signing  # noqa: E402


def tiny_pe():
    """A PE32+ EFI application of one section, enough for sbsign and sbverify."""
    dos = bytearray(0x80)
    dos[0:2] = b"MZ"
    struct.pack_into("<I", dos, 0x3C, 0x80)
    coff = struct.pack("<4sHHIIIHH", b"PE\0\0", 0x8664, 1, 0, 0, 0, 240, 0x22)
    optional = struct.pack("<HBBIIIII", 0x20B, 2, 0, 0x200, 0, 0, 0x1000, 0x1000)
    optional += struct.pack("<QIIHHHHHHIIIIHHQQQQII", 0, 0x1000, 0x200, 0, 0, 0, 0, 0, 0, 0,
                            0x2000, 0x200, 0, 10, 0, 0, 0, 0, 0, 0, 16)
    optional += bytes(16 * 8)
    section = struct.pack("<8sIIIIIIHHI", b".text", 0x200, 0x1000, 0x200, 0x200, 0, 0, 0, 0, 0x60000020)
    head = bytes(dos) + coff + optional + section
    return head + bytes(0x200 - len(head)) + b"\xc3" + bytes(0x1FF)


def sized(folder, name, size):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.truncate(size)
    return path


class FirmwarePairs(unittest.TestCase):
    def test_code_and_variables_must_fill_one_flash(self):
        with tempfile.TemporaryDirectory() as work:
            code2, vars2 = sized(work, "c2", 1966080), sized(work, "v2", 131072)
            code4, vars4 = sized(work, "c4", 3653632), sized(work, "v4", 540672)
            qemu.check_pair(code2, vars2)
            qemu.check_pair(code4, vars4)
            with self.assertRaisesRegex(qemu.BootError, "keep nothing"):
                qemu.check_pair(code4, vars2)
            with self.assertRaisesRegex(qemu.BootError, "hang"):
                qemu.check_pair(code2, vars4)

    def test_the_shipped_pairs_match(self):
        for name, (code, variables) in qemu.FIRMWARES.items():
            qemu.check_pair(code, variables)

    def test_secure_boot_code_gets_smm_and_a_secure_flash(self):
        secure = qemu.firmware("secure")
        options = secure.options(secure.variables)
        self.assertIn("q35,smm=on", options)
        self.assertIn("driver=cfi.pflash01,property=secure,value=on", options)
        with self.assertRaisesRegex(qemu.BootError, "SMM"):
            qemu.firmware("secure", smm=False)
        plain = qemu.firmware("plain")
        self.assertIn("q35", plain.options(plain.variables))
        self.assertNotIn("driver=cfi.pflash01,property=secure,value=on", plain.options(plain.variables))
        self.assertIn("q35,smm=off", qemu.firmware("plain-4m", smm=False).options(qemu.FIRMWARES["plain-4m"][1]))


class Volume(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.TemporaryDirectory()
        self.build = os.path.join(self.work.name, "build")
        os.makedirs(os.path.join(self.build, "efi"))
        for name in ("setup-demo.efi", "orvane.efi", "platform-shim.efi", "other.efi"):
            with open(os.path.join(self.build, "efi", name), "wb") as f:
                f.write(tiny_pe())
        self.key = signing.test_key(os.path.join(self.work.name, "keys"))

    def tearDown(self):
        self.work.cleanup()

    def prepare(self, **options):
        boot = qemu.Boot(self.build, "e2e", self.work.name, 10, **options)
        target = tempfile.mkdtemp(dir=self.work.name)
        return boot._prepare(target)

    def test_images_are_signed_as_they_are_laid_out_and_extra_files_are_not(self):
        extra = os.path.join(self.build, "efi", "other.efi")
        esp, _ = self.prepare(sign=self.key, images={"platform-shim.efi": None, "x/o.efi": "other.efi"},
                              extra={"refused/unsigned.efi": extra})
        for path in ("EFI/BOOT/BOOTX64.EFI", "orvane.efi", "x/o.efi"):
            self.assertEqual(signing.signature_count(os.path.join(esp, path)), 1, path)
            self.assertTrue(signing.verify(os.path.join(esp, path), self.key[1]), path)
        self.assertFalse(os.path.exists(os.path.join(esp, "platform-shim.efi")))
        self.assertEqual(signing.signature_count(os.path.join(esp, "refused", "unsigned.efi")), 0)
        esp, _ = self.prepare()
        self.assertEqual(signing.signature_count(os.path.join(esp, "orvane.efi")), 0)

    def test_an_image_with_data_past_its_sections_is_not_signed(self):
        with open(os.path.join(self.build, "efi", "orvane.efi"), "ab") as f:
            f.write(b"symbols" * 100)
        with self.assertRaisesRegex(qemu.BootError, "past its last section"):
            self.prepare(sign=self.key)

    def test_a_kept_variable_store_is_made_once_then_reused(self):
        secure = qemu.firmware("secure")
        kept = os.path.join(self.work.name, "vars.fd")
        _, used = self.prepare(firmware=secure, vars_file=kept)
        self.assertEqual(used, kept)
        self.assertEqual(os.path.getsize(kept), os.path.getsize(secure.variables))
        with open(kept, "r+b") as f:
            f.write(b"written by a boot")
        self.prepare(firmware=secure, vars_file=kept)
        with open(kept, "rb") as f:
            self.assertEqual(f.read(17), b"written by a boot")
        _, fresh = self.prepare(firmware=secure)
        self.assertNotEqual(fresh, kept)

    def test_a_diskless_boot_needs_no_images_and_lays_out_no_volume(self):
        boot = qemu.Boot(os.path.join(self.work.name, "no-build"), "e2e", self.work.name, 10,
                         firmware=qemu.firmware("plain-4m"), disk=False)
        target = tempfile.mkdtemp(dir=self.work.name)
        esp, used = boot._prepare(target)
        self.assertIsNone(esp)
        self.assertEqual(os.listdir(target), [os.path.basename(used)])


if __name__ == "__main__":
    unittest.main()
