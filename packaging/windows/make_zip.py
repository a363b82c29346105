#!/usr/bin/env python3
"""Writes the release's zip so that two builds give the same bytes: the entries in the order given,
each with the one time given (as UTC), its permissions and nothing else of the build machine (no
owner, no access or change times, which other zip writers add).

    make_zip.py ZIP FOLDER SECONDS ENTRY...   (each ENTRY a path relative to FOLDER)
"""
import os
import sys
import time
import zipfile

zip_path, folder, seconds, *entries = sys.argv[1:]
date_time = time.gmtime(int(seconds))[:6]
with zipfile.ZipFile(zip_path, "w") as archive:
    for entry in entries:
        path = os.path.join(folder, entry)
        info = zipfile.ZipInfo(entry, date_time)
        info.external_attr = (os.stat(path).st_mode & 0xFFFF) << 16
        with open(path, "rb") as source:
            archive.writestr(info, source.read(), zipfile.ZIP_DEFLATED, 9)
