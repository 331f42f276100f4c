"""The built page served on a free port of 127.0.0.1, for the browser test and benchmark."""
import contextlib
import socket
import subprocess
import sys
import time


@contextlib.contextmanager
def served(site):
    """Yields the page's address and the server process; the server ends with the block."""
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        port = s.getsockname()[1]
    server = subprocess.Popen([sys.executable, '-m', 'http.server', str(port), '--bind', '127.0.0.1',
                               '--directory', site], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        for _ in range(100):
            with contextlib.suppress(OSError), socket.create_connection(('127.0.0.1', port), timeout=0.1):
                break
            time.sleep(0.05)
        yield f'http://127.0.0.1:{port}/', server
    finally:
        server.terminate()
        server.wait()
