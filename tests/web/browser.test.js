// The browser build as a player meets it: the folder of build-web/ served on
// 127.0.0.1, Debian's chromium headless with software WebGL, real key events,
// the canvas read back from screenshots and the console compared with the
// desktop game's output. Screenshots are kept in ./web-shots for a look.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const {
    serveFolder, launchChromium, decodeImage, pause, openPage, gameStarted, canvasImage: pageImage, pigTop, lifeIcons,
    assertHoldLifts,
} = require('./browser');

const root = process.env.GRUBNOSH_SOURCE_DIR || path.resolve(__dirname, '../..');
const site = process.env.GRUBNOSH_WEB_SITE || path.join(root, 'build-web');
const desktopBinary = process.env.GRUBNOSH_BINARY || path.join(root, 'build/grubnosh');
const shots = path.resolve('web-shots');

if (!fs.existsSync(path.join(site, 'index.html'))) {
    console.error(`no browser build in ${site}: run scripts/build-web.sh first`);
    process.exit(1);
}

const HUD_TEXT = { x: 0, y: 0, width: 200, height: 18 }; // "SCORE: 0 MISSED: 0" on plain sky

let server;
let browser;
let game; // { page, console: [{type, text}], errors: [] } of the one page that plays

const canvasImage = (name) => pageImage(game.page, path.join(shots, `${name}.png`));

// The desktop game's first screenshot (F2 a second after start) and its output.
function desktopReference() {
    const work = fs.mkdtempSync(path.join(require('node:os').tmpdir(), 'grubnosh-web-'));
    fs.symlinkSync(path.join(root, 'data'), path.join(work, 'data'));
    const run = spawnSync(path.join(root, 'scripts/with-xvfb.sh'), ['sh', '-c', `
        SDL_AUDIODRIVER=dummy "$0" >out.txt 2>err.txt &
        window=$(xdotool search --sync --name '^Grubnosh$' | head -n 1)
        xdotool windowfocus --sync "$window"
        sleep 1; xdotool key F2; sleep 0.5; xdotool key Escape
        wait`, desktopBinary], { cwd: work, encoding: 'utf8', timeout: 60000 });
    assert.equal(run.status, 0, `desktop run failed: ${run.stderr}`);
    const read = (name) => fs.readFileSync(path.join(work, name));
    const reference = { shot: read('sshot.bmp'), out: read('out.txt').toString(), err: read('err.txt').toString() };
    fs.rmSync(work, { recursive: true, force: true });
    return reference;
}

const openGame = (beforeLoad) => openPage(browser, server.url, { beforeLoad });

// Log lines up to the font's PASS line, its milliseconds left out.
function startupLines(text) {
    const lines = text.split('\n').filter((line) => line !== '');
    const end = lines.findIndex((line) => line.startsWith('PASS) Startup'));
    return lines.slice(0, end < 0 ? lines.length : end + 1).map((line) => line.replace(/\d+ ms/, 'N ms'));
}

before(async () => {
    assert.ok(fs.existsSync(path.join(site, 'grubnosh.wasm')), `no browser build in ${site}: run scripts/build-web.sh`);
    fs.mkdirSync(shots, { recursive: true });
    server = await serveFolder(site);
    browser = await launchChromium(path.join(shots, 'downloads'));
    game = await openGame();
    await gameStarted(game.page);
    await pause(1000);
    game.scene = await canvasImage('scene'); // one early frame, before anything can be caught
});

after(async () => {
    if (browser) await browser.close();
    if (server) server.close();
});

test('the scene a player sees: sky, ground, score line, nine lives, the pig bottom left', async () => {
    const image = game.scene;
    const [skyR, , skyB] = image.at(320, 5);
    const [groundR, groundG, groundB] = image.at(320, 475);
    assert.ok(skyB > skyR + 40, `sky at the top is blue, got ${image.at(320, 5)}`);
    assert.ok(groundB < groundR || groundB < groundG, `ground at the bottom is not sky, got ${image.at(320, 475)}`);
    assert.equal(lifeIcons(image), 9, 'nine life icons under the score line');
    assert.ok(pigTop(image) > 380, `pig at the bottom left, its top at ${pigTop(image)}`);
    assert.deepEqual(game.errors, [], 'no uncaught error');
});

test('the score line looks as the desktop draws it', async () => {
    const reference = desktopReference();
    game.desktop = reference;
    const web = game.scene;
    const desktop = await decodeImage(game.page, reference.shot, 'image/bmp');
    let differing = 0;
    for (let y = HUD_TEXT.y; y < HUD_TEXT.y + HUD_TEXT.height; ++y)
        for (let x = HUD_TEXT.x; x < HUD_TEXT.x + HUD_TEXT.width; ++x) {
            const a = web.at(x, y);
            const b = desktop.at(x, y);
            if (a.some((value, i) => Math.abs(value - b[i]) > 48)) ++differing;
        }
    const share = differing / (HUD_TEXT.width * HUD_TEXT.height);
    assert.ok(share < 0.01, `${(share * 100).toFixed(1)}% of the score line's pixels differ from the desktop's`);
});

test('the console carries the desktop start-up lines, on the same streams', () => {
    const reference = game.desktop || desktopReference();
    const log = (types) => game.console.filter((m) => types.includes(m.type)).map((m) => m.text).join('\n');
    assert.deepEqual(startupLines(log(['log'])), startupLines(reference.out));
    const gameErrors = log(['error']).split('\n').filter((line) => !line.startsWith('WARNING: using emscripten'));
    assert.deepEqual(gameErrors, reference.err.split('\n').filter((line) => line !== ''));
});

test('holding Space lifts the pig well over 100 pixels, and it falls back after release', async () => {
    await assertHoldLifts(game.page, path.join(shots, 'space'), () => game.page.keyboard.down('Space'),
                          () => game.page.keyboard.up('Space'));
});

// The button goes through the game's own F2, so both give the game's sshot.bmp.
const SCREENSHOT_TAKERS = [
    ['F2', (page) => page.keyboard.press('F2')],
    ['the Screenshot button', (page) => page.click('#screenshot')],
];
for (const [taker, take] of SCREENSHOT_TAKERS) {
    test(`${taker} hands the player sshot.bmp, a 640 x 480 picture of the game`, async () => {
        const file = path.join(shots, 'downloads', 'sshot.bmp');
        fs.rmSync(file, { force: true });
        await take(game.page);
        for (let waited = 0; !fs.existsSync(file) && waited < 5000; waited += 100) await pause(100);
        const shot = await decodeImage(game.page, fs.readFileSync(file), 'image/bmp');
        assert.deepEqual([shot.width, shot.height], [640, 480]);
        assert.equal(lifeIcons(shot), 9, 'the screenshot shows the life icons, right way up');
    });
}

test('Escape stops the game and the page offers to play again', async () => {
    await game.page.keyboard.press('Escape');
    await game.page.waitForSelector('#again:not([hidden])', { timeout: 5000 });
    const message = await game.page.$eval('#message', (element) => element.textContent);
    assert.match(message, /ended/);
    await game.page.screenshot({ path: path.join(shots, 'stopped.png') });
    assert.deepEqual(game.errors, [], 'no uncaught error');
});

test('without WebGL the page says so instead of showing a black box', async () => {
    const blind = await openGame(() => {
        const getContext = HTMLCanvasElement.prototype.getContext;
        HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
            return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest);
        };
    });
    const message = await blind.page.$eval('#message', (element) => element.textContent);
    assert.match(message, /WebGL/);
    await blind.page.screenshot({ path: path.join(shots, 'no-webgl.png') });
    await blind.page.close();
});
