#!/usr/bin/python3
"""Benchmarks of the browser version in headless Chromium, each as the median of its samples:
one complete pressure reading and one default drive selection in WebAssembly, each beside the
native bench_core figure of the same work, their samples taken in turn; navigation to a drawn,
live chart with a cold cache, with the moments the module had arrived and the core was running;
the bytes of the first load, as
served and gzip-compressed.
Usage: web_bench.py [--json] SITE_DIR BENCH_CORE [SAMPLES]
--json prints the medians as one JSON object, for tools/bench_report.sh, instead of a table."""
import gzip
import json
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, 'tests', 'support'))
import browsers  # noqa: E402  (found through the path above)
from local_server import served  # noqa: E402

READINGS_PER_SAMPLE = 100_000
SELECTIONS_PER_SAMPLE = 200


def browser():  # a fresh profile, as chromedriver gives each session: an empty cache and no service worker
    return browsers.start('chromium', headless=True, window=(1200, 900))


def native_reading_ns(bench_core, name='BM_UpdatePressureReading'):
    out = subprocess.run([bench_core, f'--benchmark_filter={name}$', '--benchmark_format=json'],
                         capture_output=True, text=True, check=True)
    return json.loads(out.stdout)['benchmarks'][0]['real_time']


def in_turn_ns(url, bench_core, samples, page_bench, native_bench, per_sample):
    """The native and the WebAssembly figure, one sample of each in turn, so that both meet the
    same load; wall time for both, as performance.now() is all the page has. `page_bench` is the
    binding's loop (benchReadings, benchSelections), `native_bench` the same work in bench_core."""
    native, wasm = [], []
    with browser() as b:
        b.open(url)
        b.driver.execute_async_script('''
            const [name, count, done] = arguments;
            import('./qnte_core.js').then((m) => m.default()).then((core) => {
              window.qnteBenchCore = core;
              core[name](count);  // warm-up
              done();
            });''', page_bench, per_sample)
        for _ in range(samples):
            native.append(native_reading_ns(bench_core, native_bench))
            ms = b.js('''
                const [name, count] = arguments;
                const start = performance.now();
                window.qnteBenchCore[name](count);
                return performance.now() - start;''', page_bench, per_sample)
            wasm.append(ms * 1e6 / per_sample)
    return statistics.median(native), statistics.median(wasm)


def navigation_ms(url, samples):
    """Medians of: the module's last byte arrived, the core instantiated, the chart drawn and live."""
    fetched, loaded, ready = [], [], []
    for _ in range(samples):
        with browser() as b:
            b.open(url)
            ready.append(b.js('return window.qnteReadyAt'))
            fetched.append(b.js('''
                const wasm = performance.getEntriesByType('resource').find((e) => e.name.endsWith('.wasm'));
                return wasm ? wasm.responseEnd : null;'''))
            loaded.append(b.js(
                "return performance.getEntriesByName('qnte-core-loaded')[0].startTime"))
    known = [t for t in fetched if t is not None]
    return (statistics.median(known) if known else None), statistics.median(loaded), statistics.median(ready)


def first_load_bytes(url):
    with browser() as b:
        b.open(url)
        return b.js('''
            const entries = [...performance.getEntriesByType('navigation'),
                             ...performance.getEntriesByType('resource')];
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
    arguments = sys.argv[1:]
    as_json = arguments[:1] == ['--json']
    site, bench_core = arguments[as_json:as_json + 2]
    samples = int(arguments[as_json + 2]) if len(arguments) > as_json + 2 else 10
    with served(site) as (url, _):
        native, wasm = in_turn_ns(url, bench_core, samples, 'benchReadings', 'BM_UpdatePressureReading',
                                  READINGS_PER_SAMPLE)
        # The default drive selection, as the reading.
        native_selection, wasm_selection = in_turn_ns(url, bench_core, samples, 'benchSelections',
                                                      'BM_DriveSelection', SELECTIONS_PER_SAMPLE)
        fetched, loaded, navigation = navigation_ms(url, samples)
        transferred = first_load_bytes(url)
    plain, packed = site_bytes(site)
    if as_json:
        print(json.dumps({
            'samples': samples, 'native_reading_us': native / 1000, 'wasm_reading_us': wasm / 1000,
            'native_selection_ms': native_selection / 1e6, 'wasm_selection_ms': wasm_selection / 1e6,
            'module_fetched_ms': fetched, 'core_loaded_ms': loaded, 'navigation_ms': navigation,
            'module_bytes': os.path.getsize(os.path.join(site, 'qnte_core.wasm')),
            'transferred_bytes': transferred, 'site_bytes': plain, 'site_gzip_bytes': packed}))
        return
    print(f'| Figure | Median of {samples} | Goal | Met |')
    print('|---|---|---|---|')
    print(f'| Complete pressure reading, native (`bench_core`) | {native / 1000:.3f} µs | — | — |')
    print(f'| Complete pressure reading, WebAssembly in Chromium | {wasm / 1000:.3f} µs '
          f'({wasm / native:.2f} × native) | ≤ 2 × native | {"yes" if wasm <= 2 * native else "no"} |')
    print(f'| Default drive selection, WebAssembly in Chromium | {wasm_selection / 1e6:.3f} ms '
          f'({wasm_selection / native_selection:.2f} × native) | ≤ 2 × native | '
          f'{"yes" if wasm_selection <= 2 * native_selection else "no"} |')
    print(f'| Navigation to the chart drawn and live, cold cache | {navigation:.0f} ms | ≤ 300 ms | '
          f'{"yes" if navigation <= 300 else "no"} |')
    print(f'| Bytes transferred on the first load | {transferred / 1024:.0f} KiB | ≤ 1 MB | '
          f'{"yes" if transferred <= 1_000_000 else "no"} |')
    print(f'| All files of the page, plain / gzip -9 | {plain / 1024:.0f} KiB / {packed / 1024:.0f} KiB | — | — |')


if __name__ == '__main__':
    main()
