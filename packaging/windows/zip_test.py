"""Checks a Windows program's zip as built: its folder and files in order,
the release date on every entry, Windows line ends in the texts, a stripped
.exe with no time in its header, and the same bytes when made again later
from copies of the same files.

Usage: zip_test.py ZIP EXE STRIP OBJDUMP FOLDER DATE README LICENSE
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

here = os.path.dirname(os.path.abspath(__file__))


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def main(zip_path, exe, strip, objdump, folder, date, readme, licence):
    program = os.path.basename(exe)
    year, month, day = (int(part) for part in date.split("-"))
    with zipfile.ZipFile(zip_path) as archive:
        names = archive.namelist()
        expected = [folder + "/", folder + "/" + program, folder + "/LICENSE.txt", folder + "/README.txt"]
        if names != expected:
            fail("entries %s, expected %s" % (names, expected))
        for entry in archive.infolist():
            if entry.date_time != (year, month, day, 0, 0, 0):
                fail("%s dated %s" % (entry.filename, entry.date_time))
        for name in ("LICENSE.txt", "README.txt"):
            text = archive.read(folder + "/" + name)
            if text.count(b"\n") == 0 or text.count(b"\n") != text.count(b"\r\n"):
                fail(name + " has lines not ended by CR LF")
        if archive.read(folder + "/README.txt").replace(b"\r\n", b"\n") != open(readme, "rb").read():
            fail("README.txt is not the configured README")
        packed_exe = archive.read(folder + "/" + program)

    # The header's link time (COFF TimeDateStamp) is zero, so a build made
    # later gives the same bytes; the symbols are gone.
    header = struct.unpack_from("<I", packed_exe, 0x3C)[0]
    if packed_exe[header:header + 4] != b"PE\0\0":
        fail(program + " is not a PE program")
    if struct.unpack_from("<I", packed_exe, header + 8)[0] != 0:
        fail(program + " has a link time in its header")
    if len(packed_exe) >= os.path.getsize(exe):
        fail(program + " in the zip is not stripped")
    # Its manifest and its version resource, with the kit's version.
    if b"<longPathAware" not in packed_exe or b"<activeCodePage" not in packed_exe:
        fail(program + " has no manifest for long paths and UTF-8")
    version = folder.rsplit("-", 1)[1]
    if ("ProductVersion\0" + version + "\0").encode("utf-16-le") not in packed_exe:
        fail(program + " has no version resource saying " + version)

    # Nothing but Windows' own DLLs: MinGW's runtime (libstdc++-6.dll,
    # libgcc_s_seh-1.dll, libwinpthread-1.dll) is linked in.
    imports = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    dlls = [line.split(":", 1)[1].strip() for line in imports.splitlines() if "DLL Name:" in line]
    if not dlls or any(dll.lower().startswith("lib") for dll in dlls):
        fail("%s needs DLLs beside Windows' own: %s" % (program, dlls))

    with tempfile.TemporaryDirectory() as work:
        # Copies with other dates and modes than the originals: neither may
        # reach the zip.
        time.sleep(1.1)
        old_mask = os.umask(0o077)
        try:
            shutil.copyfile(readme, os.path.join(work, "README.txt"))
            shutil.copyfile(licence, os.path.join(work, "LICENSE"))
        finally:
            os.umask(old_mask)
        stripped = os.path.join(work, program)
        env = dict(os.environ, SOURCE_DATE_EPOCH="0")
        subprocess.run([strip, "-o", stripped, exe], check=True, env=env)
        if open(stripped, "rb").read() != packed_exe:
            fail(program + " stripped again differs from the one in the zip")
        again = os.path.join(work, "again.zip")
        subprocess.run([sys.executable, os.path.join(here, "make_zip.py"), again, folder, date,
                        "--binary", stripped, program,
                        "--text", os.path.join(work, "LICENSE"), "LICENSE.txt",
                        "--text", os.path.join(work, "README.txt"), "README.txt"], check=True)
        if open(again, "rb").read() != open(zip_path, "rb").read():
            fail("the zip made again differs")
    print("ok: %s (%d bytes) is the same on every build" % (os.path.basename(zip_path), os.path.getsize(zip_path)))


if __name__ == "__main__":
    if len(sys.argv) != 9:
        sys.exit(__doc__)
    main(*sys.argv[1:])
