#!/usr/bin/python3
"""Writes the service worker into the page's folder with the list of files it caches and a
cache name drawn from their contents, so a changed page replaces the old cache.
Usage: stamp_service_worker.py TEMPLATE PAGE_DIR FILE..."""
import hashlib
import json
import os
import sys


def main():
    template, page_dir, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    names = sorted({os.path.relpath(f, page_dir) for f in files})
    digest = hashlib.sha256()
    for name in names:
        with open(os.path.join(page_dir, name), "rb") as f:
            digest.update(name.encode() + b"\0" + f.read())
    with open(template, encoding="utf-8") as f:
        text = f.read()
    text = text.replace("@CACHE_NAME@", "qnte418-" + digest.hexdigest()[:16])
    text = text.replace("['@FILES@']", json.dumps(["./"] + names))
    with open(os.path.join(page_dir, "sw.js"), "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
