#!/usr/bin/env python3
"""The window's pictures as the web page takes them, into the folder given:

  arrow.png                 the pointer (arrow.ico, its mask applied; the tip stays at 12,8)
  star.png                  the star's first frame, the one the window shows
  icon-192.png, icon-512.png  the program's icon, drawn at the sizes phones ask of a web app

usage: web_pictures.py OUTPUT_FOLDER   (needs Pillow, e.g. Debian's python3-pil)
"""

import sys
from pathlib import Path

from PIL import Image

from make_pictures import PICTURES, draw_eight

WEB_ICON_SIZES = (192, 512)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    with Image.open(PICTURES / "arrow.ico") as arrow:
        arrow.convert("RGBA").save(out / "arrow.png", optimize=True)
    with Image.open(PICTURES / "star.gif") as star:
        star.seek(0)
        star.convert("RGBA").save(out / "star.png", optimize=True)
    for size in WEB_ICON_SIZES:
        draw_eight(size).save(out / f"icon-{size}.png", optimize=True)


if __name__ == "__main__":
    main()
