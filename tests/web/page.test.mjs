// The web page in Debian's chromium (headless), served on 127.0.0.1: it plays the show, draws
// the frame the native recorder draws for the same seed and time, takes scene files, and
// switches sound on. Paths can be overridden: ZIBOLT_WEB_DIR (the built page, build-web),
// ZIBOLT_PROGRAM (the native program, build/platform/sdl/zibolt), ZIBOLT_DATA (build/data).
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFile } from 'node:child_process';
import { mkdtemp, readFile, readdir, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { promisify } from 'node:util';
import { chromium } from 'playwright-core';

const root = resolve(import.meta.dirname ?? new URL('.', import.meta.url).pathname, '../..');
const webDir = resolve(root, process.env.ZIBOLT_WEB_DIR || 'build-web');
const program = resolve(root, process.env.ZIBOLT_PROGRAM || 'build/platform/sdl/zibolt');
const dataDir = resolve(root, process.env.ZIBOLT_DATA || 'build/data');

let server;
let address;
let profile;
let browser;

before(async () => {
  server = spawn(process.execPath, [join(root, 'platform/web/serve.mjs'), webDir, '0'],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  address = await new Promise((done, fail) => {
    server.stdout.once('data', (line) => done(String(line).trim()));
    server.once('exit', (code) => fail(new Error('the server ended with ' + code)));
  });
  // A new empty profile, and nothing that reaches out of the machine.
  profile = await mkdtemp(join(tmpdir(), 'zibolt-chromium-'));
  browser = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    viewport: { width: 1280, height: 720 },
  });
});

after(async () => {
  await browser?.close();
  server?.kill();
  if (profile) await rm(profile, { recursive: true, force: true });
});

// Opens the page and collects what it says on its console.
async function open(query) {
  const page = await browser.newPage();
  const errors = [];
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(address + query);
  return { page, errors };
}

// Distinct colours of the stage canvas and a sample of its pixels.
function canvasFacts(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('stage');
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const colours = new Set();
    let sum = 0;
    for (let i = 0; i < pixels.length; i += 4) {
      const rgb = pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2];
      colours.add(rgb);
      sum = (sum * 31 + rgb) >>> 0;
    }
    return { colours: colours.size, sum, frames: window.zibolt.stats.frames };
  });
}

test('the page plays the show, takes scene files and switches sound on', async () => {
  const { page, errors } = await open('?seed=7');
  await page.waitForFunction(() => window.zibolt && window.zibolt.stats.frames > 30, null, { timeout: 30000 });
  await page.waitForTimeout(3000);
  const first = await canvasFacts(page);
  assert.ok(first.colours >= 16, `the canvas shows the show (${first.colours} colours)`);
  await page.waitForTimeout(1500);
  const later = await canvasFacts(page);
  assert.notEqual(later.sum, first.sum, 'frames change over time');
  assert.deepEqual(errors, [], 'no console error');

  // A broken (cut short) scene file is reported as the data folder's are; a good one joins
  // and plays next.
  const good = (await readdir(dataDir)).find((name) => name.toLowerCase().endsWith('.vcs'));
  const goodBytes = [...await readFile(join(dataDir, good))];
  await page.evaluate((bytes) => {
    const files = new DataTransfer();
    files.items.add(new File([new Uint8Array(bytes.slice(0, bytes.length >> 1))], 'Broken.vcs'));
    files.items.add(new File([new Uint8Array(bytes)], 'Dropped.vcs'));
    window.dispatchEvent(new DragEvent('drop', { dataTransfer: files, cancelable: true }));
  }, goodBytes);
  await page.waitForFunction(() => window.zibolt.reports().length > 0 && window.zibolt.scenes().includes('Dropped.vcs'),
    null, { timeout: 10000 });
  const reports = await page.evaluate(() => window.zibolt.reports());
  assert.equal(reports.length, 1, reports.join('\n'));
  assert.match(reports[0], /^Scene file Broken\.vcs cannot be read: \S/);
  assert.ok((await page.textContent('#reports')).includes(reports[0]), 'the report is on the page');
  assert.match(await page.evaluate(() => window.zibolt.scenes()), /^Dropped\.vcs\t(next|playing)$/m);
  const goneOn = await canvasFacts(page);
  await page.waitForTimeout(1000);
  const stillGoing = await canvasFacts(page);
  assert.ok(stillGoing.frames > goneOn.frames && stillGoing.sum !== goneOn.sum, 'the show goes on');

  // Browsers start audio only after the viewer did something: the sound button is that.
  assert.equal(await page.evaluate(() => window.zibolt.soundOn()), false);
  await page.click('#sound');
  await page.waitForFunction(() => window.zibolt.audioState() === 'running', null, { timeout: 10000 });
  assert.equal(await page.evaluate(() => window.zibolt.soundOn()), true);
  assert.equal(await page.textContent('#sound'), 'Sound: on');
  assert.deepEqual(errors, [], 'no console error');
  await page.close();
});

test('a held frame is the native recorder\'s frame of the same seed and time', async () => {
  const seed = 5;
  const seconds = 17;  // a few scenes in, where balloons come and go
  const size = '640x480';
  const work = await mkdtemp(join(tmpdir(), 'zibolt-record-'));
  try {
    const gif = join(work, 'native.gif');
    await promisify(execFile)(program, ['--record', gif, '--seconds', String(seconds), '--size', size,
      '--seed', String(seed), '--fps', '1', '--data', dataDir]);
    const { page, errors } = await open(`?seed=${seed}&size=${size}&hold=${seconds * 1000}`);
    await page.waitForFunction(() => window.zibolt && window.zibolt.held(), null, { timeout: 60000 });
    await page.waitForTimeout(100);
    const result = await page.evaluate(async (bytes) => {
      // The recording's last frame is the one on show at the end of its time.
      const decoder = new ImageDecoder({ data: new Uint8Array(bytes), type: 'image/gif' });
      await decoder.tracks.ready;
      const last = decoder.tracks.selectedTrack.frameCount - 1;
      const { image } = await decoder.decode({ frameIndex: last });
      const canvas = document.getElementById('stage');
      const native = new OffscreenCanvas(canvas.width, canvas.height).getContext('2d');
      native.drawImage(image, 0, 0);
      const want = native.getImageData(0, 0, canvas.width, canvas.height).data;
      const got = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let differing = 0;
      const colours = new Set();
      for (let i = 0; i < got.length; i += 4) {
        if (got[i] !== want[i] || got[i + 1] !== want[i + 1] || got[i + 2] !== want[i + 2]) differing += 1;
        colours.add(got[i] << 16 | got[i + 1] << 8 | got[i + 2]);
      }
      return { width: image.displayWidth, height: image.displayHeight, canvas: [canvas.width, canvas.height],
        differing, pixels: got.length / 4, colours: colours.size };
    }, [...await readFile(gif)]);
    assert.deepEqual(result.canvas, [result.width, result.height]);
    assert.ok(result.colours >= 16, `a frame of the show (${result.colours} colours)`);
    // Wasm and the native build may round a last bit differently in their maths libraries.
    assert.ok(result.differing <= result.pixels * 0.005,
      `${result.differing} of ${result.pixels} pixels differ from the native frame`);
    assert.deepEqual(errors, [], 'no console error');
    await page.close();
  } finally {
    await rm(work, { recursive: true, force: true });
  }
});
