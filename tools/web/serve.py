#!/usr/bin/python3
"""Serves the folder tools/web/package.sh makes, to try the web version here:

    tools/web/serve.py FOLDER [PORT] [--host ADDRESS]

Only this computer can connect unless --host says otherwise.  PORT 0 takes
any free port.  The address to open is printed once the server listens.
Sends a file's .br or .gz copy where the browser accepts that encoding, and
nothing from outside FOLDER.
"""

import argparse
import functools
import http.server
import os
import sys

TYPES = {
    ".wasm": "application/wasm",
    ".js": "text/javascript; charset=utf-8",
    ".html": "text/html; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".webmanifest": "application/manifest+json",
    ".svg": "image/svg+xml",
    ".png": "image/png",
    ".json": "application/json",
    ".zip": "application/zip",
}
# By preference, the encodings package.sh writes beside a file.
ENCODINGS = (("br", ".br"), ("gzip", ".gz"))


def accepted_encodings(header):
    """The content codings an Accept-Encoding header allows (q above 0)."""
    accepted = set()
    refused = set()
    for item in header.split(","):
        name, *params = [part.strip() for part in item.split(";")]
        quality = 1.0
        for param in params:
            key, _, value = param.partition("=")
            if key.strip().lower() == "q":
                try:
                    quality = float(value)
                except ValueError:
                    quality = 0.0
        (accepted if quality > 0 else refused).add(name.lower())
    if "*" in accepted:
        accepted |= {name for name, _ in ENCODINGS} - refused
    return accepted


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {"": "application/octet-stream", **TYPES}

    def translate_path(self, path):
        """The file asked for, or None when it lies outside the folder (.., links)."""
        resolved = os.path.realpath(super().translate_path(path))
        root = os.path.realpath(self.directory)
        return resolved if os.path.commonpath([resolved, root]) == root else None

    def send_head(self):
        path = self.translate_path(self.path)
        if path is None:
            self.send_error(404)
            return None
        if os.path.isdir(path):
            if not self.path.split("?", 1)[0].endswith("/"):
                return super().send_head()      # the redirect to the address with a slash
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path):
            self.send_error(404)
            return None

        encoding, sent = None, path
        compressed = [(name, path + suffix) for name, suffix in ENCODINGS if os.path.isfile(path + suffix)]
        if compressed:
            accepted = accepted_encodings(self.headers.get("Accept-Encoding", ""))
            for name, candidate in compressed:
                if name in accepted:
                    encoding, sent = name, candidate
                    break
        try:
            body = open(sent, "rb")
        except OSError:
            self.send_error(404)
            return None
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Length", str(os.fstat(body.fileno()).st_size))
        if encoding:
            self.send_header("Content-Encoding", encoding)
        if compressed:
            self.send_header("Vary", "Accept-Encoding")
        # Trying out a new build: the browser asks again every time.
        self.send_header("Cache-Control", "no-cache")
        self.send_header("X-Content-Type-Options", "nosniff")
        self.end_headers()
        return body


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder")
    parser.add_argument("port", nargs="?", type=int, default=8000)
    parser.add_argument("--host", default="127.0.0.1")
    args = parser.parse_args()
    if not os.path.isfile(os.path.join(args.folder, "index.html")):
        sys.exit(f"serve: no index.html in {args.folder}")

    handler = functools.partial(Handler, directory=os.path.abspath(args.folder))
    server = http.server.ThreadingHTTPServer((args.host, args.port), handler)
    host, port = server.server_address[:2]
    print(f"http://{host}:{port}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
