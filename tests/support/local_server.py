#!/usr/bin/python3
"""The built page served on a free port of 127.0.0.1, for the browser tests, the benchmark and
the screenshots. As a program (local_server.py SITE) it prints the page's address and serves
until it is ended, for the tests written in shell."""
import contextlib
import functools
import http.server
import os
import sys
import threading


@contextlib.contextmanager
def served(site, head=b''):
    """Yields the page's address and a stop() that ends the server before the block does, for a
    page that must go on offline; the server ends with the block in any case. `head`, if any, is
    put first into index.html's head."""
    class Page(http.server.SimpleHTTPRequestHandler):
        def do_GET(self):
            if not head or self.path.split('?')[0] not in ('/', '/index.html'):
                return super().do_GET()
            with open(os.path.join(site, 'index.html'), 'rb') as f:
                page = f.read().replace(b'<head>', b'<head>' + head, 1)
            self.send_response(200)
            self.send_header('Content-Type', 'text/html; charset=utf-8')
            self.send_header('Content-Length', str(len(page)))
            self.end_headers()
            self.wfile.write(page)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), functools.partial(Page, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()

    def stop():  # refused from then on, not left waiting
        server.shutdown()
        server.server_close()
    try:
        yield f'http://127.0.0.1:{server.server_address[1]}/', stop
    finally:
        stop()


if __name__ == '__main__':
    with served(sys.argv[1]) as (url, _):
        print(url, flush=True)
        threading.Event().wait()
