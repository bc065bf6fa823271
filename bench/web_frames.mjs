// The web page's cost in headless chromium beside the native build's for the same frames:
//   node bench/web_frames.mjs NATIVE_BENCH [SECONDS]
// The page (build-web, seed 5, 1280x720) plays for SECONDS after a warm-up of 60 display frames;
// each display frame's main-thread time is taken with performance.now() around the page's frame
// callback, and the renderer's whole main-thread task time (the DevTools Performance metrics,
// painting included) over the same span. NATIVE_BENCH (zibolt_frame_bench) plays the same seed
// at the same size on a virtual 60 Hz display, the same warm-up and number of display frames.
// The download is the page's wasm, data and scripts, each compressed with gzip -9.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

const root = resolve(new URL('..', import.meta.url).pathname);
const { chromium } = createRequire(join(root, 'tests/web/package.json'))('playwright-core');
const nativeBench = process.argv[2];
const seconds = Number(process.argv[3] || 20);
const seed = 5;
const size = '1280x720';
const warmup = 60;
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
let skipped = 0;
try {
  const page = await browser.newPage();
  const devtools = await browser.newCDPSession(page);
  await devtools.send('Performance.enable');
  const taskSeconds = async () => (await devtools.send('Performance.getMetrics')).metrics
    .find((metric) => metric.name === 'TaskDuration').value;
  await page.goto(`${address}?seed=${seed}&size=${size}`);
  await page.waitForFunction((least) => window.zibolt && window.zibolt.stats.frames > least, warmup, { timeout: 60000 });
  // The native peer skips exactly as many display frames as the page had shown by now.
  skipped = await page.evaluate(() => {
    const s = window.zibolt.stats;
    s.times.length = 0;
    s.shown.length = 0;
    return s.frames;
  });
  const tasksBefore = await taskSeconds();
  await page.waitForTimeout(seconds * 1000);
  const tasks = await taskSeconds() - tasksBefore;
  web = await page.evaluate(() => {
    const { times, shown } = window.zibolt.stats;
    const sorted = [...times].sort((a, b) => a - b);
    const drawn = times.filter((_, i) => shown[i]);
    const mean = (list) => list.reduce((a, b) => a + b, 0) / Math.max(list.length, 1);
    return { frames: times.length, mean: mean(times), median: sorted[sorted.length >> 1],
      p95: sorted[Math.floor(sorted.length * 0.95)], shown: drawn.length, shownMean: mean(drawn) };
  });
  web.tasks = tasks * 1000 / web.frames;
} finally {
  await browser.close();
  server.kill();
  await rm(profile, { recursive: true, force: true });
}

// The native peer times as many display frames as the page timed, after the same warm-up.
const fields = (line) => Object.fromEntries([...line.matchAll(/(\w+) ([\d.]+)/g)].map(([, k, v]) => [k, Number(v)]));
const native = nativeBench
  ? fields(execFileSync(nativeBench, [String(seed), size, String(skipped), String(web.frames),
    join(root, 'build/data')]).toString())
  : null;

const ms = (value) => (value === undefined ? '' : `${value.toFixed(2)} ms`);
console.log(`Seed ${seed}, ${size}, ${web.frames} display frames (${seconds} s at the page's rate) after ${skipped}:`);
console.log('| Per display frame | Web page (headless chromium) | Native build |');
console.log('|---|---|---|');
console.log(`| Frame callback, mean | ${ms(web.mean)} | ${ms(native?.mean)} wall, ${ms(native?.cpu_mean)} processor |`);
console.log(`| Frame callback, median / 95th percentile | ${ms(web.median)} / ${ms(web.p95)} | ${ms(native?.median)} / ${ms(native?.p95)} |`);
console.log(`| Frames with a new picture: count, mean | ${web.shown}, ${ms(web.shownMean)} | ${native?.shown ?? ''}, ${ms(native?.shown_mean)} |`);
console.log(`| All main-thread tasks (painting too), mean | ${ms(web.tasks)} | |`);
console.log(`Targets: under 4 ms per frame; download under 3 MB compressed.`);
console.log(`Download: ${(download / 1e6).toFixed(2)} MB gzip in all`);
for (const line of sizes) console.log('  ' + line);
