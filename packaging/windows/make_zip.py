"""Writes a Windows program's zip: one folder holding the given files, with a
fixed date, fixed attributes and the given order, so that the same files
always give the same bytes.

Usage: make_zip.py OUT.zip FOLDER YYYY-MM-DD (--text|--binary) SOURCE NAME ...
--text files get Windows line ends (CR LF).
"""
import sys
import zipfile


def main(argv):
    out, folder, date = argv[1], argv[2], argv[3]
    year, month, day = (int(part) for part in date.split("-"))
    stamp = (year, month, day, 0, 0, 0)
    rest = argv[4:]
    if len(rest) % 3:
        sys.exit("make_zip.py: each file needs --text or --binary, a source and a name")
    with zipfile.ZipFile(out, "w") as archive:
        entry = zipfile.ZipInfo(folder + "/", stamp)
        entry.create_system = 0  # attributes in the Windows (FAT) form
        entry.external_attr = 0x10  # a folder
        archive.writestr(entry, b"")
        for k in range(0, len(rest), 3):
            kind, source, name = rest[k:k + 3]
            with open(source, "rb") as f:
                data = f.read()
            if kind == "--text":
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            elif kind != "--binary":
                sys.exit("make_zip.py: unknown kind " + kind)
            entry = zipfile.ZipInfo(folder + "/" + name, stamp)
            entry.create_system = 0
            entry.external_attr = 0x20  # an ordinary file
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, data, compresslevel=9)


if __name__ == "__main__":
    main(sys.argv)
