// The web page's cost in headless chromium beside the native build's for the same show:
//   node bench/web_frames.mjs NATIVE_BENCH [SECONDS]
// The page (build-web, seed 5, 1280x720) plays for SECONDS after a warm-up; each display
// frame's main-thread time is taken with performance.now() around the page's frame callback.
// NATIVE_BENCH (zibolt_frame_bench) plays the same seed and span at the same size. The
// download is the page's wasm, data and script, each compressed with gzip -9.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

const root = resolve(new URL('..', import.meta.url).pathname);
const { chromium } = createRequire(join(root, 'tests/web/package.json'))('playwright-core');
const native = process.argv[2];
const seconds = Number(process.argv[3] || 20);
const seed = 5;
const size = '1280x720';
const webDir = join(root, 'build-web');

let download = 0;
const sizes = [];
for (const file of ['zibolt.wasm', 'zibolt.data', 'zibolt.js', 'index.html', 'page.js']) {
  const bytes = await readFile(join(webDir, file));
  const packed = gzipSync(bytes, { level: 9 }).length;
  download += packed;
  sizes.push(`${file} ${(bytes.length / 1e6).toFixed(2)} MB, ${(packed / 1e6).toFixed(2)} MB gzip`);
}

const server = spawn(process.execPath, [join(root, 'platform/web/serve.mjs'), webDir, '0'],
  { stdio: ['ignore', 'pipe', 'inherit'] });
const address = await new Promise((done) => server.stdout.once('data', (line) => done(String(line).trim())));
const profile = await mkdtemp(join(tmpdir(), 'zibolt-bench-'));
const browser = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  viewport: { width: 1280, height: 720 },
});
let web;
try {
  const page = await browser.newPage();
  await page.goto(`${address}?seed=${seed}&size=${size}`);
  await page.waitForFunction(() => window.zibolt && window.zibolt.stats.frames > 60, null, { timeout: 60000 });
  await page.evaluate(() => { const s = window.zibolt.stats; s.times.length = 0; s.shown.length = 0; });
  await page.waitForTimeout(seconds * 1000);
  web = await page.evaluate(() => {
    const { times, shown } = window.zibolt.stats;
    const sorted = [...times].sort((a, b) => a - b);
    const drawn = times.filter((_, i) => shown[i]);
    const mean = (list) => list.reduce((a, b) => a + b, 0) / Math.max(list.length, 1);
    return { frames: times.length, mean: mean(times), median: sorted[sorted.length >> 1],
      p95: sorted[Math.floor(sorted.length * 0.95)], drawn: drawn.length, drawnMean: mean(drawn) };
  });
} finally {
  await browser.close();
  server.kill();
  await rm(profile, { recursive: true, force: true });
}

const nativeLine = native
  ? execFileSync(native, [String(seed), size, String(seconds + 3), join(root, 'build/data')]).toString().trim()
  : '';
const nativeMs = Number((nativeLine.match(/native_ms_per_frame ([\d.]+)/) || [])[1]);

console.log(`Web page, seed ${seed}, ${size}, ${seconds} s in headless chromium:`);
console.log(`  main-thread time per display frame: mean ${web.mean.toFixed(2)} ms, median ${web.median.toFixed(2)} ms, ` +
  `95th percentile ${web.p95.toFixed(2)} ms over ${web.frames} frames (target under 4 ms)`);
console.log(`  per frame that showed a new picture: ${web.drawnMean.toFixed(2)} ms over ${web.drawn} frames`);
if (native) console.log(`Native build, the same seed, size and show time: ${nativeMs.toFixed(2)} ms per shown frame (${nativeLine})`);
console.log(`Download: ${(download / 1e6).toFixed(2)} MB gzip in all (target under 3 MB)`);
for (const line of sizes) console.log('  ' + line);
