#!/usr/bin/python3
"""Benchmarks of the browser version in headless Chromium, each as the median of its samples:
one complete pressure reading in WebAssembly beside the native bench_core figure of the same
work, measured in one run; navigation to a drawn, live chart with a cold cache; the bytes of
the first load, as served and gzip-compressed.
Usage: web_bench.py SITE_DIR BENCH_CORE [SAMPLES]"""
import contextlib
import gzip
import json
import os
import socket
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

READINGS_PER_SAMPLE = 100_000


@contextlib.contextmanager
def served(site):
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
        yield f'http://127.0.0.1:{port}/'
    finally:
        server.terminate()
        server.wait()


@contextlib.contextmanager
def browser():
    """A fresh profile each time: an empty cache and no service worker."""
    with tempfile.TemporaryDirectory() as profile:
        options = Options()
        options.binary_location = '/usr/bin/chromium'
        for argument in ['--headless=new', '--no-sandbox', '--disable-gpu', '--window-size=1200,900',
                         f'--user-data-dir={profile}']:
            options.add_argument(argument)
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        try:
            yield driver
        finally:
            driver.quit()


def wait_ready(driver):
    for _ in range(400):
        if driver.execute_script('return document.documentElement.dataset.ready === "true"'):
            return driver.execute_script('return window.qnteReadyAt')
        time.sleep(0.01)
    raise RuntimeError('the page did not become ready')


def native_reading_ns(bench_core, samples):
    out = subprocess.run([bench_core, '--benchmark_filter=BM_UpdatePressureReading$', '--benchmark_format=json',
                          f'--benchmark_repetitions={samples}', '--benchmark_report_aggregates_only=true'],
                         capture_output=True, text=True, check=True)
    runs = json.loads(out.stdout)['benchmarks']
    return next(r['real_time'] for r in runs if r.get('aggregate_name') == 'median')


def wasm_reading_ns(url, samples):
    with browser() as driver:
        driver.get(url)
        wait_ready(driver)
        times = driver.execute_async_script('''
            const [count, samples, done] = arguments;
            import('./qnte_core.js').then((m) => m.default()).then((core) => {
              core.benchReadings(count);  // warm-up
              const ms = [];
              for (let i = 0; i < samples; i += 1) {
                const start = performance.now();
                core.benchReadings(count);
                ms.push(performance.now() - start);
              }
              done(ms);
            });''', READINGS_PER_SAMPLE, samples)
    return statistics.median(times) * 1e6 / READINGS_PER_SAMPLE


def navigation_ms(url, samples):
    results = []
    for _ in range(samples):
        with browser() as driver:
            driver.get(url)
            results.append(wait_ready(driver))
    return statistics.median(results)


def first_load_bytes(url):
    with browser() as driver:
        driver.get(url)
        wait_ready(driver)
        return driver.execute_script('''
            const entries = [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')];
            return entries.reduce((sum, e) => sum + e.transferSize, 0);''')


def site_bytes(site):
    plain = packed = 0
    for name in os.listdir(site):
        with open(os.path.join(site, name), 'rb') as f:
            data = f.read()
        plain += len(data)
        packed += len(gzip.compress(data, 9))
    return plain, packed


def main():
    site, bench_core = sys.argv[1], sys.argv[2]
    samples = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    with served(site) as url:
        native = native_reading_ns(bench_core, samples)
        wasm = wasm_reading_ns(url, samples)
        navigation = navigation_ms(url, samples)
        transferred = first_load_bytes(url)
    plain, packed = site_bytes(site)
    print(f'| Figure | Median of {samples} | Goal | Met |')
    print('|---|---|---|---|')
    print(f'| Complete pressure reading, native (`bench_core`) | {native / 1000:.3f} µs | — | — |')
    print(f'| Complete pressure reading, WebAssembly in Chromium | {wasm / 1000:.3f} µs '
          f'({wasm / native:.2f} × native) | ≤ 2 × native | {"yes" if wasm <= 2 * native else "no"} |')
    print(f'| Navigation to the chart drawn and live, cold cache | {navigation:.0f} ms | ≤ 300 ms | '
          f'{"yes" if navigation <= 300 else "no"} |')
    print(f'| Bytes transferred on the first load | {transferred / 1024:.0f} KiB | ≤ 1 MB | '
          f'{"yes" if transferred <= 1_000_000 else "no"} |')
    print(f'| All files of the page, plain / gzip -9 | {plain / 1024:.0f} KiB / {packed / 1024:.0f} KiB | — | — |')


if __name__ == '__main__':
    main()
