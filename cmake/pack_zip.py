#!/usr/bin/env python3
"""pack_zip.py ARCHIVE ROOT [FILE...]: packs the files (paths under ROOT) into
a ZIP archive, deflated, under their names relative to ROOT with "/"
separators. Entries are sorted and carry a fixed time, so the same files
always give the same bytes. No files give an empty archive."""
import os
import sys
import zipfile


def main():
    archive, root, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    names = sorted({os.path.relpath(f, root).replace(os.sep, "/") for f in files})
    temporary = archive + ".tmp"
    with zipfile.ZipFile(temporary, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as zip_file:
        for name in names:
            info = zipfile.ZipInfo(name, date_time=(1980, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(os.path.join(root, name), "rb") as source:
                zip_file.writestr(info, source.read())
    os.replace(temporary, archive)


if __name__ == "__main__":
    main()
