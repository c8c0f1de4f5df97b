// What the browser tests and the web bench share: a static server for the
// built folder, Debian's chromium with software WebGL, and image decoding.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
// Installed by scripts/build-web.sh (npm ci); say so rather than show a bare module error.
let puppeteer;
try {
    puppeteer = require('puppeteer-core');
} catch (error) {
    console.error('puppeteer-core is not installed in tests/web: run scripts/build-web.sh first');
    process.exit(1);
}

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.data': 'application/octet-stream' };

// Serves a folder on 127.0.0.1 at a free port; resolves to { url, close }.
function serveFolder(folder) {
    const server = http.createServer((request, response) => {
        const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const file = path.join(folder, name === '/' ? 'index.html' : path.normalize(name));
        if (!file.startsWith(folder) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
        fs.createReadStream(file).pipe(response);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => server.close(),
    })));
}

// Headless, in a fresh profile, with SwiftShader standing in for a GPU; downloads
// land in `downloads`.
async function launchChromium(downloads) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'grubnosh-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
               '--no-first-run', '--disable-background-networking', '--disable-component-update',
               '--disable-sync', '--disable-quic', `--user-data-dir=${profile}`],
    });
    const close = browser.close.bind(browser);
    browser.close = async () => {
        await close();
        fs.rmSync(profile, { recursive: true, force: true, maxRetries: 5, retryDelay: 200 });
    };
    if (downloads) {
        fs.mkdirSync(downloads, { recursive: true });
        const session = await browser.target().createCDPSession();
        await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    }
    return browser;
}

// Lets the page's own decoder read a PNG or BMP; pixels come back as RGB, and
// their opacity (0 to 255) from `alpha`.
async function decodeImage(page, bytes, type) {
    const { width, height, rgba } = await page.evaluate(async (base64, mime) => {
        const blob = await (await fetch(`data:${mime};base64,${base64}`)).blob();
        const bitmap = await createImageBitmap(blob);
        const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        let binary = '';
        for (let i = 0; i < data.length; i += 0x8000)
            binary += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
        return { width: bitmap.width, height: bitmap.height, rgba: btoa(binary) };
    }, Buffer.from(bytes).toString('base64'), type);
    const data = Buffer.from(rgba, 'base64');
    return {
        width,
        height,
        at: (x, y) => { const i = 4 * (y * width + x); return [data[i], data[i + 1], data[i + 2]]; },
        alpha: (x, y) => data[4 * (y * width + x) + 3],
    };
}

// Reads an uncompressed 24-bit BMP, the kind the game writes, without a trip
// through the page; pixels come back as RGB.
function readBmp(bytes) {
    const [dataOffset, width, signedHeight, bits, compression] =
        [bytes.readUInt32LE(10), bytes.readInt32LE(18), bytes.readInt32LE(22), bytes.readUInt16LE(28), bytes.readUInt32LE(30)];
    if (bytes.toString('latin1', 0, 2) !== 'BM' || bits !== 24 || compression !== 0)
        throw new Error(`not an uncompressed 24-bit BMP (${bits} bits, compression ${compression})`);
    const height = Math.abs(signedHeight);
    const rowSize = (width * 3 + 3) & ~3;
    // Rows are stored bottom-up unless the height is negative.
    const rowStart = (y) => dataOffset + rowSize * (signedHeight > 0 ? height - 1 - y : y);
    return {
        width,
        height,
        at: (x, y) => { const i = rowStart(y) + 3 * x; return [bytes[i + 2], bytes[i + 1], bytes[i]]; },
    };
}

const pause = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));

module.exports = { serveFolder, launchChromium, decodeImage, readBmp, pause };
