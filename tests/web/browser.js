// What the browser tests and the web bench share: a static server for the
// built folder, Debian's chromium with software WebGL (and firefox-esr), pages
// that play, waits for their frames, and what a player sees on the canvas.
'use strict';

const { before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
// Installed into the build folder by scripts/install-deps.sh (npm ci); say so
// rather than show a bare module error.
const DRIVER = path.resolve(__dirname, '../../build/web-driver/node_modules/puppeteer-core');
let puppeteer;
try {
    puppeteer = require(DRIVER);
} catch (error) {
    console.error(`puppeteer-core is not installed in ${DRIVER}: run scripts/install-deps.sh first`);
    process.exit(1);
}

// The source tree, and the built site the tests play (scripts/build-web.sh builds it).
const root = process.env.GRUBNOSH_SOURCE_DIR || path.resolve(__dirname, '../..');
const site = process.env.GRUBNOSH_WEB_SITE || path.join(root, 'build-web');

const TYPES = {
    '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
    '.data': 'application/octet-stream', '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

// Serves a folder on 127.0.0.1 at a free port, under the path `base`; resolves to
// { url, close, sent }, `sent` counting for each file how often it went out
// whole (a browser that asks whether its copy is current gets "not modified").
// `altered` maps a file's name to what the server answers for it instead
// (null: 404; a function: answers the response itself), to play a site with a
// missing or damaged file.
function serveFolder(folder, { base = '/', altered = {} } = {}) {
    const sent = {};
    const server = http.createServer((request, response) => {
        const full = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        const name = full === base ? 'index.html' : path.normalize(full.slice(base.length));
        const file = path.join(folder, name);
        if (typeof altered[name] === 'function') {
            altered[name](response);
            return;
        }
        const found = full.startsWith(base) && file.startsWith(folder) && fs.existsSync(file) && fs.statSync(file).isFile();
        const body = name in altered ? altered[name] : found ? fs.readFileSync(file) : null;
        if (body === null) {
            response.writeHead(404).end();
            return;
        }
        const tag = name in altered ? undefined : `"${fs.statSync(file).mtimeMs}-${body.length}"`;
        if (tag && request.headers['if-none-match'] === tag) {
            response.writeHead(304).end();
            return;
        }
        sent[name] = (sent[name] || 0) + 1;
        response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream', ...(tag && { ETag: tag }) });
        response.end(body);
    });
    // Connections kept alive would hold a closed server open.
    const close = () => { server.close(); server.closeAllConnections(); };
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
        url: `http://127.0.0.1:${server.address().port}${base}`,
        close,
        sent,
    })));
}

// The name of a program's data package in the site's `folder`, named by its content.
const dataPackage = (folder, program) => fs.readdirSync(folder).find((name) => name.match(`^${program}\\.[0-9a-f]{16}\\.data$`));

// Headless, in a fresh profile, with SwiftShader standing in for a GPU; downloads
// land in `downloads`, and `extraArgs` go to chromium's command line.
async function launchChromium(downloads, extraArgs = []) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'grubnosh-chromium-'));
    const browser = await puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
               '--no-first-run', '--disable-background-networking', '--disable-component-update',
               '--disable-sync', '--disable-quic', `--user-data-dir=${profile}`, ...extraArgs],
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

// Debian's firefox-esr in a fresh profile, on the display of scripts/with-xvfb.sh: without one it has no WebGL.
const launchFirefox = () => puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: false });

// Lets the page's own decoder read a PNG or BMP, scaled to `size` ({ width,
// height }) when given; pixels come back as RGB, and their opacity (0 to 255)
// from `alpha`.
async function decodeImage(page, bytes, type, size) {
    const { width, height, rgba } = await page.evaluate(async (base64, mime, scaled) => {
        const blob = await (await fetch(`data:${mime};base64,${base64}`)).blob();
        let bitmap = await createImageBitmap(blob);
        if (scaled && (bitmap.width !== scaled.width || bitmap.height !== scaled.height))
            bitmap = await createImageBitmap(bitmap, { resizeWidth: scaled.width, resizeHeight: scaled.height, resizeQuality: 'high' });
        const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
        context.drawImage(bitmap, 0, 0);
        const data = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
        let binary = '';
        for (let i = 0; i < data.length; i += 0x8000)
            binary += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
        return { width: bitmap.width, height: bitmap.height, rgba: btoa(binary) };
    }, Buffer.from(bytes).toString('base64'), type, size);
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

// A window as wide as the game, so that the canvas shows its pixels one to one.
const DESKTOP = { width: 640, height: 900 };

const pause = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));

// Until the browser has written the download `file`, for at most 5 seconds; its bytes.
async function downloaded(file) {
    for (let waited = 0; !fs.existsSync(file) && waited < 5000; waited += 100) await pause(100);
    return fs.readFileSync(file);
}

// Resolves once the page has shown `count` more animation frames, and its
// program drawn as many.
const frames = (page, count) => page.evaluate((left) => new Promise((resolve) => {
    const tick = () => (--left > 0 ? requestAnimationFrame(tick) : resolve());
    requestAnimationFrame(tick);
}), count);

// Asks `check()` after every few frames until it answers true; fails, saying
// what was awaited, after 10 seconds.
async function until(page, check, what) {
    for (const end = Date.now() + 10000; !(await check()); await frames(page, 2))
        if (Date.now() > end) assert.fail(`not within 10 s: ${what}`);
}

// A page of the site, opened in `browser` in a window of `viewport` (a puppeteer
// viewport: size, touch, mobile), with the functions `beforeLoad` run in it
// before its own scripts and `functions` ({ name: function }) callable from it
// as window.name; resolves to { page, console: [{ type, text }],
// errors: [] }, which keep what it logs.
async function openPage(browser, url, { viewport = DESKTOP, beforeLoad = [], functions = {} } = {}) {
    const page = await browser.newPage();
    const seen = { page, console: [], errors: [] };
    for (const [name, called] of Object.entries(functions)) await page.exposeFunction(name, called);
    page.on('console', (message) => seen.console.push({ type: message.type(), text: message.text() }));
    page.on('pageerror', (error) => seen.errors.push(error.message));
    await page.setViewport(viewport);
    for (const script of [].concat(beforeLoad)) await page.evaluateOnNewDocument(script);
    await page.goto(url, { waitUntil: 'load' });
    return seen;
}

// Until the page's panel has gone: the game runs.
const gameStarted = (page) => page.waitForFunction(() => document.getElementById('panel').hidden, { timeout: 20000 });

// A test file's site: before its tests, the folder `shots` for its pictures made,
// the site served, a browser started by `launch` (chromium by default) and then
// `prepare()` run (a file's hooks do not wait for each other); after them, both
// gone. Returns { server, browser }, filled then, and start(url, options), which
// opens a page (openPage) and waits until its program runs.
function playSite(shots, launch = () => launchChromium(), prepare = async () => {}) {
    if (!fs.existsSync(path.join(site, 'sw.js'))) {
        console.error(`no browser build in ${site}: run scripts/build-web.sh first`);
        process.exit(1);
    }
    const web = {
        start: async (url, options) => {
            const seen = await openPage(web.browser, url, options);
            await gameStarted(seen.page);
            return seen;
        },
    };
    before(async () => {
        fs.mkdirSync(shots, { recursive: true });
        web.server = await serveFolder(site);
        web.browser = await launch();
        await prepare();
    });
    after(async () => {
        if (web.browser) await web.browser.close();
        if (web.server) web.server.close();
    });
    return web;
}

// The canvas as the player sees it, at the game's 640 x 480 pixels however large
// the page shows it; kept as a PNG in `file` when given.
async function canvasImage(page, file) {
    const png = await (await page.$('canvas')).screenshot();
    if (file) fs.writeFileSync(file, png);
    return decodeImage(page, png, 'image/png', { width: 640, height: 480 });
}

// Opens `page` of the folder `site` served below the path `base`, where the
// service worker keeps the site without downloading a file the page has
// already, then reloads it with the server gone and the network off; resolves
// to openPage's answer once the program runs again from what the browser kept.
async function reopenOffline(browser, site, base, page = '') {
    const server = await serveFolder(site, { base });
    const seen = await openPage(browser, server.url + page);
    await gameStarted(seen.page);
    await seen.page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
    server.close();
    const twice = Object.entries(server.sent).filter(([name, times]) => times > 1 && /\.(js|wasm|data)$/.test(name));
    assert.deepEqual(twice, [], 'the program\'s files are sent once on a first visit');
    await seen.page.setOfflineMode(true);
    await seen.page.reload({ waitUntil: 'load' });
    await gameStarted(seen.page);
    return seen;
}

// The map as the editor's page first shows it: cells of 48 pixels, map pixel 30
// at its left edge (where the game starts too); and a cell of the standard map's ground.
const EDITOR_MAP = { cell: 48, left: 30, ground: { column: 1, row: 9 } };

// A real click on a cell of the map, as the editor's page first shows it.
async function clickMapCell(page, { column, row }, button) {
    const { cell: size, left } = EDITOR_MAP;
    const box = await page.$eval('canvas', (canvas) => canvas.getBoundingClientRect().toJSON());
    const scale = box.width / 640; // the cell's middle, above the editor's bottom line
    await page.mouse.click(box.x + (column * size - left + size / 2) * scale, box.y + (row * size + size / 4) * scale, { button });
}

// Picks the standard map's ground tile in the editor and paints it into `cell`;
// the title then marks unsaved changes.
async function paintGround(page, cell) {
    await clickMapCell(page, EDITOR_MAP.ground, 'right');
    await clickMapCell(page, cell, 'left');
    await page.waitForFunction(() => document.title.startsWith('*'));
}

// What a player reads off the game's picture, in its 640 x 480 pixels.
const LIFE_ICONS = { top: 20, size: 32 }; // the row of life icons under the score line
const PIG_BAND = { left: 15, right: 79, below: 60 }; // the pig's column, under the HUD

function isPink([r, g, b]) {
    return r > 200 && g > 110 && g < 205 && b > 140 && b < 220 && b > g && r - g > 35;
}

// Top of the pig: the first row under the HUD with a few pink pixels in its column.
function pigTop(image) {
    for (let y = PIG_BAND.below; y < image.height; ++y) {
        let pink = 0;
        for (let x = PIG_BAND.left; x <= PIG_BAND.right; ++x)
            if (isPink(image.at(x, y))) ++pink;
        if (pink >= 3) return y;
    }
    return -1;
}

// The pig's snout where it flies freely (the examples, a new project): the
// rightmost column with pink in it.
function pigRight(image) {
    for (let x = image.width - 1; x >= 0; --x)
        for (let y = 0; y < image.height; ++y)
            if (isPink(image.at(x, y))) return x;
    return -1;
}

// Life icons: the 32-pixel cells of the icon row that hold a good deal of pink.
function lifeIcons(image) {
    let icons = 0;
    for (let left = 0; left + LIFE_ICONS.size <= image.width; left += LIFE_ICONS.size) {
        let pink = 0;
        for (let y = LIFE_ICONS.top; y < LIFE_ICONS.top + LIFE_ICONS.size; ++y)
            for (let x = left; x < left + LIFE_ICONS.size; ++x)
                if (isPink(image.at(x, y))) ++pink;
        if (pink > 40) ++icons;
    }
    return icons;
}

// Holds with `press` and lets go with `release`: the pig must rise well over
// 100 pixels and fall back to the ground. The pictures are kept as
// `<shots>-resting.png` and so on.
async function assertHoldLifts(page, shots, press, release) {
    const top = async (moment) => pigTop(await canvasImage(page, `${shots}-${moment}.png`));
    const resting = await top('resting');
    await press();
    let lifted;
    await until(page, async () => resting - (lifted = await top('lifted')) > 100, `the pig rising from ${resting}`);
    await release();
    await until(page, async () => (await top('fallen')) > 380, `the pig falling back from ${lifted}`);
}

// Holds the right arrow with `press` and lets go with `release` on the hello
// page: its pig must move well to the right, then stay where it was let go.
// The pictures are kept as `<shots>-resting.png` and so on.
async function assertArrowMoves(page, shots, press, release) {
    const right = async (moment) => pigRight(await canvasImage(page, `${shots}-${moment}.png`));
    const resting = await right('resting');
    await press();
    await frames(page, 30);
    const held = await right('held');
    await release();
    await frames(page, 2);
    const letGo = await right('let-go');
    await frames(page, 30);
    assert.ok(resting > 0 && held - resting > 40, `the pig went from ${resting} to ${held}`);
    assert.equal(await right('later'), letGo, 'the pig stays where the arrow was let go');
}

module.exports = {
    root, site, playSite, serveFolder, dataPackage, launchChromium, launchFirefox, decodeImage, readBmp, pause, downloaded, frames, until, openPage,
    gameStarted, reopenOffline, canvasImage, EDITOR_MAP, paintGround, pigTop, pigRight, lifeIcons, assertHoldLifts, assertArrowMoves,
    isPink,
};
