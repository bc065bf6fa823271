// A small static server for the page: node platform/web/serve.mjs DIR [PORT]. It listens on
// 127.0.0.1 only and prints the address it serves when ready (PORT 0 takes a free one).
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';

const root = resolve(process.argv[2] || '.');
const port = Number(process.argv[3] || 8080);
const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.gif': 'image/gif',
  '.vcs': 'application/octet-stream',
};

const server = createServer(async (request, response) => {
  try {
    const path = decodeURIComponent(new URL('http://localhost' + request.url).pathname);
    const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
    if (file !== root && !file.startsWith(root + sep)) {
      response.writeHead(403).end();
      return;
    }
    const body = await readFile(file);
    response.writeHead(200, {
      'Content-Type': types[extname(file).toLowerCase()] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
    });
    response.end(body);
  } catch {
    // A missing file, a folder, or an address that is no path at all.
    response.writeHead(404, { 'Content-Type': 'text/plain' }).end('Not found\n');
  }
});
server.listen(port, '127.0.0.1', () => {
  console.log(`http://127.0.0.1:${server.address().port}/`);
});
