#!/usr/bin/env python3
"""Serves the built page on 127.0.0.1 for trying it: every file with its proper type (the core's
.wasm as application/wasm, the manifest as a web app manifest, the service worker as a script) and
the service worker never from the browser's HTTP cache, so that a new build is found.

usage: serve.py [FOLDER] [PORT]   (default: build/web beside this file's folder, any free port)
The browser test imports make_server() to run the same server in a thread.
"""
import functools
import http.server
import sys
from pathlib import Path

TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".js": "text/javascript", ".ico": "image/x-icon"}


class PageHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def end_headers(self):
        if self.path.split("?")[0].endswith("/sw.js"):
            self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        pass


def make_server(folder, port=0):
    handler = functools.partial(PageHandler, directory=str(folder))
    return http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).parent.parent / "build" / "web"
    if not (folder / "index.html").exists():
        sys.exit("%s has no page: build it first with ./dev web" % folder)
    server = make_server(folder, int(sys.argv[2]) if len(sys.argv) > 2 else 0)
    print("The page: http://127.0.0.1:%d/  (Ctrl+C stops the server)" % server.server_port,
          flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
