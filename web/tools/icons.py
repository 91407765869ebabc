#!/usr/bin/env python3
"""Write the page's PNG icons, web/icon-192.png and web/icon-512.png, from
web/favicon.svg: the same drawing, black on a white square with a margin,
as home screens and app lists want a raster icon of these sizes beside the
SVG one. Drawn by Debian's Chromium, headless:

    python3 web/tools/icons.py

Run it again after a change of the favicon and commit the pictures.
"""
import pathlib
import subprocess
import tempfile

WEB = pathlib.Path(__file__).resolve().parent.parent
SIZES = (192, 512)

PAGE = """<!DOCTYPE html>
<html><head><style>
html, body {{ margin: 0; background: #fff; }}
img {{ display: block; box-sizing: border-box; width: {size}px; height: {size}px; padding: {margin}px; }}
</style></head>
<body><img src="{svg}" alt=""></body></html>
"""

with tempfile.TemporaryDirectory() as scratch:
    scratch = pathlib.Path(scratch)
    for size in SIZES:
        page = scratch / f"icon-{size}.html"
        page.write_text(PAGE.format(size=size, margin=size // 10, svg=(WEB / "favicon.svg").as_uri()))
        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                        "--no-first-run", "--disable-background-networking",
                        "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                        f"--user-data-dir={scratch / 'profile'}", "--force-device-scale-factor=1",
                        f"--window-size={size},{size}",
                        f"--screenshot={WEB / f'icon-{size}.png'}", page.as_uri()],
                       check=True, capture_output=True)
