"""Checks of the built Korzel.dll as a file, read with pefile.

    KORZEL_DLL=<path to Korzel.dll> KORZEL_EXPECTED=<expected.json> \
        /usr/bin/python3 -m unittest test_dll

KORZEL_EXPECTED is the oracle's statement about the module (tests/expected.h,
written out by expected_json.cpp). KORZEL_DIST, when set, names the dist
folder whose copy and SHA256SUMS must match the DLL under test.
"""
import hashlib
import json
import os
import unittest

import pefile

DLL = os.environ["KORZEL_DLL"]
DIST = os.environ.get("KORZEL_DIST")
with open(os.environ["KORZEL_EXPECTED"]) as oracle:
    EXPECTED = json.load(oracle)

EXPORTS = [tuple(export) for export in EXPECTED["exports"]]

# The plug-in's whole import table: the ANSI variants of six windowing calls.
# No C run-time and no KERNEL32: nothing that could allocate, start a thread
# or load another module.
IMPORTS = {"user32.dll": {"FindWindowA", "GetForegroundWindow", "GetWindow", "PostMessageA", "keybd_event",
                          "MessageBoxA"}}

# Sections a run-time-free image needs: code, constants, the export and import
# tables, the version block, and base relocations (32-bit: its code holds
# absolute addresses). x64 keeps its table-based unwind data.
SECTIONS_32 = {".text", ".rdata", ".edata", ".idata", ".rsrc", ".reloc"}
SECTIONS_64 = {".text", ".rdata", ".pdata", ".xdata", ".edata", ".idata", ".rsrc"}
MAX_SIZE = 6 * 1024


SCN_MEM_EXECUTE = 0x20000000
SCN_MEM_WRITE = 0x80000000


def load():
    pe = pefile.PE(DLL, fast_load=True)
    pe.parse_data_directories(directories=[
        pefile.DIRECTORY_ENTRY[name] for name in (
            "IMAGE_DIRECTORY_ENTRY_EXPORT", "IMAGE_DIRECTORY_ENTRY_IMPORT", "IMAGE_DIRECTORY_ENTRY_RESOURCE",
            "IMAGE_DIRECTORY_ENTRY_DEBUG", "IMAGE_DIRECTORY_ENTRY_BASERELOC", "IMAGE_DIRECTORY_ENTRY_TLS",
            "IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG")])
    return pe


def text(value):
    return value.decode("utf-8") if isinstance(value, bytes) else value


class Module(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = load()
        cls.is32 = cls.pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]

    def test_is_a_dll_for_x86_or_x64(self):
        machine = self.pe.FILE_HEADER.Machine
        self.assertIn(machine, (pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"],
                                pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]))
        self.assertTrue(self.pe.FILE_HEADER.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_DLL"])
        expected_magic = pefile.OPTIONAL_HEADER_MAGIC_PE if self.is32 else pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS
        self.assertEqual(self.pe.OPTIONAL_HEADER.Magic, expected_magic)

    def test_exports_exactly_the_five_functions_by_name_and_ordinal(self):
        exports = self.pe.DIRECTORY_ENTRY_EXPORT
        self.assertEqual(text(self.pe.get_string_at_rva(exports.struct.Name)), EXPECTED["module"])
        self.assertEqual(exports.struct.Base, 1)
        found = [(symbol.ordinal, text(symbol.name)) for symbol in exports.symbols]
        self.assertEqual(sorted(found), EXPORTS)
        for symbol in exports.symbols:
            self.assertIsNone(symbol.forwarder, symbol.name)
            self.assertTrue(symbol.address, symbol.name)

    def test_imports_exactly_the_six_user32_calls(self):
        dlls = {text(entry.dll).lower(): {text(i.name) for i in entry.imports} for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertEqual(dlls, IMPORTS)
        self.assertFalse(hasattr(self.pe, "DIRECTORY_ENTRY_DELAY_IMPORT"), "delay-load imports")

    def test_no_run_time_left_in_the_image(self):
        # No TLS callbacks or slots, no load-config (the run-time's security
        # cookie and SEH table), no writable data, no C++ or DWARF frame data.
        for name in ("DIRECTORY_ENTRY_TLS", "DIRECTORY_ENTRY_LOAD_CONFIG"):
            self.assertFalse(hasattr(self.pe, name), name)
        tls = self.pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_TLS"]]
        self.assertEqual((tls.VirtualAddress, tls.Size), (0, 0))
        names = {text(section.Name).rstrip("\0") for section in self.pe.sections}
        self.assertEqual(names, SECTIONS_32 if self.is32 else SECTIONS_64)

    def test_entry_point_is_in_the_code(self):
        entry = self.pe.OPTIONAL_HEADER.AddressOfEntryPoint
        section = self.pe.get_section_by_rva(entry)
        self.assertIsNotNone(section, "entry point outside every section")
        self.assertEqual(text(section.Name).rstrip("\0"), ".text")

    def test_has_exactly_one_resource_the_version_block(self):
        found = []
        for kind in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            for ident in kind.directory.entries:
                for lang in ident.directory.entries:
                    found.append((kind.id, ident.id, lang.id))
        self.assertEqual(found, [(pefile.RESOURCE_TYPE["RT_VERSION"], 1, 1033)])

    def test_hardening_flags(self):
        flags = self.pe.OPTIONAL_HEADER.DllCharacteristics
        names = pefile.DLL_CHARACTERISTICS
        self.assertTrue(flags & names["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE"], "DYNAMIC_BASE")
        self.assertTrue(flags & names["IMAGE_DLLCHARACTERISTICS_NX_COMPAT"], "NX_COMPAT")
        if self.is32:
            # The 32-bit image registers no SEH handler, so it says so.
            self.assertTrue(flags & names["IMAGE_DLLCHARACTERISTICS_NO_SEH"], "NO_SEH")
        # ASLR needs the relocations to be kept. x64 code addresses everything
        # relative to the instruction, so its image may need none at all.
        self.assertFalse(self.pe.FILE_HEADER.Characteristics & pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_RELOCS_STRIPPED"])
        if self.is32:
            self.assertTrue(hasattr(self.pe, "DIRECTORY_ENTRY_BASERELOC"))

    def test_no_section_is_writable_and_executable(self):
        for section in self.pe.sections:
            both = SCN_MEM_WRITE | SCN_MEM_EXECUTE
            self.assertNotEqual(section.Characteristics & both, both, text(section.Name).strip("\0"))

    def test_stripped_small_and_without_time_stamps(self):
        self.assertEqual(self.pe.FILE_HEADER.PointerToSymbolTable, 0)
        self.assertEqual(self.pe.FILE_HEADER.NumberOfSymbols, 0)
        self.assertFalse(hasattr(self.pe, "DIRECTORY_ENTRY_DEBUG"), "debug directory")
        for section in self.pe.sections:
            self.assertFalse(text(section.Name).startswith((".debug", "/")), text(section.Name))
        self.assertLessEqual(os.path.getsize(DLL), MAX_SIZE)
        self.assertEqual(self.pe.FILE_HEADER.TimeDateStamp, 0)
        self.assertEqual(self.pe.DIRECTORY_ENTRY_EXPORT.struct.TimeDateStamp, 0)
        self.assertEqual(self.pe.DIRECTORY_ENTRY_RESOURCE.struct.TimeDateStamp, 0)

    @unittest.skipUnless(DIST, "no dist folder given")
    def test_dist_copy_and_checksum_match(self):
        with open(DLL, "rb") as built, open(os.path.join(DIST, "Korzel.dll"), "rb") as shipped:
            data = built.read()
            self.assertEqual(shipped.read(), data, "dist/Korzel.dll is not the DLL that was built")
        with open(os.path.join(DIST, "SHA256SUMS")) as sums:
            self.assertEqual(sums.read(), hashlib.sha256(data).hexdigest() + "  Korzel.dll\n")


class VersionBlock(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pe = load()
        version = cls.pe.DIRECTORY_ENTRY_RESOURCE.entries[0].directory.entries[0].directory.entries[0]
        cls.pe.parse_version_information(version.data.struct)
        cls.fixed = cls.pe.VS_FIXEDFILEINFO[0]

    def test_fixed_part(self):
        f = self.fixed

        def words(ms, ls):
            return [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF]

        self.assertEqual(f.Signature, 0xFEEF04BD)
        self.assertEqual(words(f.FileVersionMS, f.FileVersionLS), EXPECTED["file_version"])
        self.assertEqual(words(f.ProductVersionMS, f.ProductVersionLS), EXPECTED["product_version"])
        self.assertEqual((f.FileFlagsMask, f.FileFlags), (EXPECTED["file_flags_mask"], EXPECTED["file_flags"]))
        self.assertEqual(f.FileOS, EXPECTED["file_os"])
        self.assertEqual((f.FileType, f.FileSubtype), (EXPECTED["file_type"], EXPECTED["file_subtype"]))
        self.assertEqual((f.FileDateMS, f.FileDateLS), (0, 0))

    def test_string_table_holds_the_seven_strings_in_order(self):
        tables = [t for info in self.pe.FileInfo[0] if text(info.Key) == "StringFileInfo" for t in info.StringTable]
        self.assertEqual([text(t.LangID) for t in tables], [EXPECTED["string_table"]])
        entries = [(text(k), text(v)) for k, v in tables[0].entries.items()]
        self.assertEqual(entries, [tuple(s) for s in EXPECTED["strings"]])

    def test_translation(self):
        var = [v for info in self.pe.FileInfo[0] if text(info.Key) == "VarFileInfo" for v in info.Var]
        self.assertEqual(len(var), 1)
        language, code_page = EXPECTED["translation"]
        self.assertEqual(var[0].entry, {b"Translation": "0x%04x 0x%04x" % (language, code_page)})


if __name__ == "__main__":
    unittest.main()
