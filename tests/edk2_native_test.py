#!/usr/bin/env python3
"""The EDK2 build's bookkeeping without EDK2: the [Sources] rewrite keeps the
rest of an INF, dependency expressions are read as written, and the OVMF
platform it derives carries the package's modules and refuses an OVMF whose
layout it does not recognise."""
import os
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, os.path.join(ROOT, "tools"))
import edk2_native  # noqa: E402

INF = """[Defines]
  BASE_NAME = X

[Sources]
  ../old/a.cpp
  ../old/b.cpp

[Packages]
  MdePkg/MdePkg.dec
"""

DSC = """[Defines]
  OUTPUT_DIRECTORY               = Build/OvmfX64
  FLASH_DEFINITION               = OvmfPkg/OvmfPkgX64.fdf

[LibraryClasses]
  BaseLib|MdePkg/Library/BaseLib/BaseLib.inf

[Components]
  MdeModulePkg/Core/Dxe/DxeMain.inf
"""

FDF = """[Defines]
!include OvmfPkgDefines.fdf.inc
!include OvmfPkg/OvmfTpmPei.fdf.inc
[FV.DXEFV]
INF  MdeModulePkg/Universal/HiiDatabaseDxe/HiiDatabaseDxe.inf
INF  MdeModulePkg/Universal/SetupBrowserDxe/SetupBrowserDxe.inf
"""


class SourcesTest(unittest.TestCase):
    def test_rewrite_replaces_only_the_sources(self):
        files = ["driver/entry.cpp", "text/text.cpp"]
        written = edk2_native.SECTION.sub(lambda _: edk2_native.sources_section(files), INF, count=1)
        self.assertEqual(edk2_native.inf_sources(written), files)
        self.assertNotIn("../old/", written)
        self.assertIn("[Packages]\n  MdePkg/MdePkg.dec", written)
        self.assertIn("BASE_NAME = X", written)

    def test_no_section(self):
        self.assertIsNone(edk2_native.inf_sources("[Defines]\n  BASE_NAME = X\n"))

    def test_dependency_expression(self):
        cases = [
            ("none", INF, None),
            ("one line, then a section", "[Depex]\n  TRUE\n\n[BuildOptions]\n  X = -O2\n", ["TRUE"]),
            ("lines and comments", "# A\n[Depex]\n  gA AND  # the first\n\n  gB\n", ["gA", "AND", "gB"]),
        ]
        for name, text, words in cases:
            with self.subTest(name):
                self.assertEqual(edk2_native.depex(text), words)


class OvmfPlatformTest(unittest.TestCase):
    def generate(self, dsc=DSC, fdf=FDF):
        work = tempfile.TemporaryDirectory()
        self.addCleanup(work.cleanup)
        tree = work.name
        os.makedirs(os.path.join(tree, "OvmfPkg"))
        with open(os.path.join(tree, "OvmfPkg", "OvmfPkgX64.dsc"), "w") as f:
            f.write(dsc)
        with open(os.path.join(tree, "OvmfPkg", "OvmfPkgX64.fdf"), "w") as f:
            f.write(fdf)
        out = os.path.join(tree, "ws", "OrvaneOvmf")
        edk2_native.ovmf_platform(tree, out)
        with open(os.path.join(out, "OvmfX64.dsc")) as d, open(os.path.join(out, "OvmfX64.fdf")) as v:
            return d.read(), v.read()

    def test_modules_and_paths(self):
        dsc, fdf = self.generate()
        self.assertIn("OUTPUT_DIRECTORY               = Build/OrvaneOvmfX64", dsc)
        self.assertIn("FLASH_DEFINITION               = OrvaneOvmf/OvmfX64.fdf", dsc)
        self.assertIn("OrvaneEfiLib|OrvanePkg/Library/OrvaneEfiLib/OrvaneEfiLib.inf", dsc)
        for inf in edk2_native.OVMF_MODULES:
            # Built with SSE whatever the platform passes before.
            self.assertIn("  %s {\n    <BuildOptions>\n      GCC:*_*_*_CC_FLAGS = -msse2" % inf, dsc)
        lines = fdf.splitlines()
        hii = lines.index("INF  MdeModulePkg/Universal/HiiDatabaseDxe/HiiDatabaseDxe.inf")
        self.assertEqual(lines[hii + 1:hii + 4], ["INF  " + m for m in edk2_native.OVMF_MODULES])
        # OVMF's own relative includes now name OvmfPkg; the others stay.
        self.assertIn("!include OvmfPkg/OvmfPkgDefines.fdf.inc", lines)
        self.assertIn("!include OvmfPkg/OvmfTpmPei.fdf.inc", lines)

    def test_unrecognised_layout_refused(self):
        cases = [
            ("no DXE anchor", DSC, FDF.replace("HiiDatabaseDxe/HiiDatabaseDxe.inf", "X.inf")),
            ("two anchors", DSC, FDF + FDF.split("[FV.DXEFV]\n")[1]),
            ("no flash definition", DSC.replace("OvmfPkg/OvmfPkgX64.fdf", "Other.fdf"), FDF),
            ("no library section", DSC.replace("[LibraryClasses]", "[LibraryClasses.X64]"), FDF),
        ]
        for name, dsc, fdf in cases:
            with self.subTest(name), self.assertRaises(SystemExit):
                self.generate(dsc, fdf)


if __name__ == "__main__":
    unittest.main(verbosity=1)
