// The browser build on every kind of device and in every state a page can be
// in: a phone held upright and played by touch, a large monitor and a mouse, a
// gamepad; frames paced by the display, a hidden tab, a second visit with no
// network, and a site missing a file. Each case plays on a page of its own;
// pictures are kept in ./web-shots/play for a look.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {
    site, playSite, serveFolder, dataPackage, decodeImage, pause, frames, until, openPage, reopenOffline, canvasImage, pigTop,
    lifeIcons, assertHoldLifts,
} = require('./browser');

const shots = path.resolve('web-shots', 'play');
const web = playSite(shots);
const PHONE = { width: 390, height: 844, isMobile: true, hasTouch: true };
const MONITOR = { width: 1920, height: 1080 };

const shot = (name) => path.join(shots, `${name}.png`);
const startGame = (options) => web.start(web.server.url, options);

// The game's box in the window, in CSS pixels, and its centre.
async function stageBox(page) {
    const box = await page.$eval('#stage', (stage) => stage.getBoundingClientRect().toJSON());
    return { ...box, centre: [box.x + box.width / 2, box.y + box.height / 2] };
}

function assertInside(box, viewport) {
    assert.ok(box.left >= 0 && box.top >= 0 && box.right <= viewport.width && box.bottom <= viewport.height,
              `the game's box ${JSON.stringify(box)} lies inside the ${viewport.width} x ${viewport.height} window`);
}

test('on a phone held upright the game fits, and a touch held on it lifts the pig without moving the page', async () => {
    const { page, errors } = await startGame({ viewport: PHONE });
    const box = await stageBox(page);
    assertInside(box, PHONE);
    assert.equal(await page.$eval('#howto', (line) => line.textContent), 'Touch and hold to fly');
    const [x, y] = box.centre;
    // The first finger slides up as a swipe that would scroll a page, a second
    // one joins and the first lets go: the hold lasts until the last finger lifts.
    let second;
    await assertHoldLifts(page, path.join(shots, 'phone'), async () => {
        const first = await page.touchscreen.touchStart(x, y);
        await first.move(x, y - 150);
        second = await page.touchscreen.touchStart(x + 60, y);
        await first.end();
    }, () => second.end());
    assert.deepEqual(await page.evaluate(() => [scrollX, scrollY, visualViewport.scale]), [0, 0, 1], 'the page did not move');
    assert.deepEqual(await stageBox(page), box, 'the game did not move');
    await page.screenshot({ path: shot('phone') });
    assert.deepEqual(errors, []);
    await page.close();
});

test('on a 1920 x 1080 monitor the game takes the height, a mouse held lifts the pig, and Escape only leaves fullscreen', async () => {
    const { page } = await startGame({ viewport: MONITOR });
    const box = await stageBox(page);
    assertInside(box, MONITOR);
    assert.ok(box.height >= 0.9 * MONITOR.height, `the game is ${box.height} pixels high`);
    await page.mouse.move(...box.centre);
    await assertHoldLifts(page, path.join(shots, 'monitor'), () => page.mouse.down(), () => page.mouse.up());
    await page.screenshot({ path: shot('monitor') });

    await page.click('#fullscreen');
    await page.waitForFunction(() => document.fullscreenElement !== null, { timeout: 5000 });
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => document.fullscreenElement === null, { timeout: 5000 });
    await frames(page, 10);
    assert.ok(await page.$eval('#panel', (panel) => panel.hidden), 'the game goes on');
    await page.close();
});

// A standard pad whose fourth button the test holds; the page reads pads at each frame.
function fakeGamepad() {
    const button = () => ({ pressed: false, touched: false, value: 0 });
    const pad = { id: 'Test pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
                  timestamp: 0, axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, button) };
    window.holdPadButton = (held) => Object.assign(pad.buttons[3], { pressed: held, touched: held, value: held ? 1 : 0 });
    navigator.getGamepads = () => [pad, null, null, null];
}

test('a gamepad button held lifts the pig, and the page notes the pad', async () => {
    const { page } = await startGame({ beforeLoad: fakeGamepad });
    await page.waitForSelector('#pad:not([hidden])', { timeout: 2000 });
    await assertHoldLifts(page, path.join(shots, 'gamepad'), () => page.evaluate(() => holdPadButton(true)),
                          () => page.evaluate(() => holdPadButton(false)));
    await page.close();
});

// Counts the animation frames the browser runs and the frames the game draws
// (each begins with one clear).
function countFrames() {
    window.frames = { shown: 0, drawn: 0 };
    const tick = () => { ++window.frames.shown; requestAnimationFrame(tick); };
    requestAnimationFrame(tick);
    const clear = WebGLRenderingContext.prototype.clear;
    WebGLRenderingContext.prototype.clear = function (...mask) {
        ++window.frames.drawn;
        return clear.apply(this, mask);
    };
}
const frameCount = (page) => page.evaluate(() => ({ ...window.frames }));

test('the game draws one frame per animation frame of the browser', async () => {
    const { page } = await startGame({ beforeLoad: countFrames });
    await frames(page, 30);
    const from = await frameCount(page);
    await frames(page, 200);
    const to = await frameCount(page);
    const shown = to.shown - from.shown;
    const drawn = to.drawn - from.drawn;
    assert.ok(shown > 0 && Math.abs(drawn - shown) <= 0.05 * shown, `${drawn} frames drawn in ${shown} animation frames`);
    await page.close();
});

// Keeps the last frame drawn before the page goes away (hidden, or by
// keepFrameBefore) and the second one drawn after it is back (shown, or its
// picture handed back), with countFrames, as copies that aroundHidingPictures()
// gives as PNG data URLs: copied at once, so that the page's own handlers of the
// hiding come next, and encoded later. A frame draws before it moves anything,
// so the second shows what the first frame back did.
function keepFramesAroundHiding() {
    window.aroundHiding = {};
    // A phone's lock screen hides the page without taking its focus: the page
    // hears of the hiding alone, not of the blur that minimising brings here.
    addEventListener('blur', (event) => event.stopImmediatePropagation(), true);
    const getContext = HTMLCanvasElement.prototype.getContext;
    HTMLCanvasElement.prototype.getContext = function (kind, attributes) {
        return getContext.call(this, kind, /webgl/.test(kind) ? { ...attributes, preserveDrawingBuffer: true } : attributes);
    };
    const copy = () => {
        const canvas = Object.assign(document.createElement('canvas'), { width: 640, height: 480 });
        canvas.getContext('2d').drawImage(document.getElementById('canvas'), 0, 0);
        return canvas;
    };
    window.keepFrameBefore = () => { aroundHiding.before = copy(); };
    window.aroundHidingPictures = () => ({ before: aroundHiding.before.toDataURL(), after: aroundHiding.after.toDataURL() });
    window.pigColumn = () => Array.from(copy().getContext('2d').getImageData(0, 0, 80, 480).data);
    document.addEventListener('visibilitychange', () => {
        if (document.hidden) keepFrameBefore();
        else aroundHiding.shownAt = window.frames.drawn;
    });
    document.addEventListener('webglcontextrestored', () => { aroundHiding.shownAt = window.frames.drawn; }, true);
    const clear = WebGLRenderingContext.prototype.clear;
    WebGLRenderingContext.prototype.clear = function (...mask) {
        // The third frame after showing begins (countFrames counts it next): the second one is complete.
        if (window.frames.drawn === aroundHiding.shownAt + 2 && !aroundHiding.after) aroundHiding.after = copy();
        return clear.apply(this, mask);
    };
}

// The pig's top in the frame last drawn, read in the page (with keepFramesAroundHiding), which is quick.
async function pigTopNow(page) {
    const rgba = await page.evaluate(() => window.pigColumn());
    return pigTop({ height: 480, at: (x, y) => rgba.slice(4 * (y * 80 + x), 4 * (y * 80 + x) + 3) });
}

// The score line, compared pixel by pixel right of the pig's column, which a
// pig held up long enough reaches: a change of misses shows, and mostly one
// of the score.
function sameScoreLine(a, b) {
    for (let y = 0; y < 18; ++y)
        for (let x = 80; x < 200; ++x)
            if (a.at(x, y).some((value, i) => Math.abs(value - b.at(x, y)[i]) > 48)) return false;
    return true;
}

// How long a page is left away: a stretch in which nothing may happen, which
// no frame or event can mark.
const AWAY_FOR = 1000;

// How a page goes away for a while and comes back: `leave` and `comeBack` for
// the page, and whether the page lets go of what is held while away.
const GOING_AWAY = [
    // A phone's lock screen hides the page without taking its focus
    // (keepFramesAroundHiding keeps the blur of minimising from the page).
    ['a page hidden as a locked phone hides it, with no blur,', 'shown again', true, async (page) => {
        const session = await page.createCDPSession();
        const { windowId } = await session.send('Browser.getWindowForTarget');
        const setWindow = (windowState) => session.send('Browser.setWindowBounds', { windowId, bounds: { windowState } });
        return { leave: () => setWindow('minimized'), comeBack: () => setWindow('normal') };
    }],
    // The browser takes the WebGL context and hands it back; the page says so meanwhile.
    ['a lost picture', 'the picture is back', false, async (page) => ({
        leave: () => page.evaluate(() => {
            keepFrameBefore();
            window.losing = document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context');
            losing.loseContext();
        }),
        comeBack: async () => {
            assert.match(await page.$eval('#panel:not([hidden]) #message', (message) => message.textContent), /picture away/);
            await page.evaluate(() => losing.restoreContext());
            await page.waitForSelector('#panel[hidden]', { timeout: 5000 });
        },
    })],
];
for (const [way, back, letsGo, goingAway] of GOING_AWAY) test(`${way} stops the game; ${back}, the game goes on where it was, and the next hold flies`, async () => {
    const { page } = await startGame({ beforeLoad: [countFrames, keepFramesAroundHiding] });
    await frames(page, 150); // apples and hostiles on their way
    await page.keyboard.down('Space'); // let go by the page where it lets go, by the test otherwise
    await until(page, async () => (await pigTopNow(page)) < 250, 'the pig high in the air');
    const { leave, comeBack } = await goingAway(page);

    await leave();
    const away = await frameCount(page);
    await pause(AWAY_FOR);
    const stillAway = await frameCount(page);
    await comeBack();
    if (!letsGo)
        await page.keyboard.up('Space');
    await page.waitForFunction(() => window.aroundHiding.after !== undefined, { timeout: 5000 });
    const pictures = await page.evaluate(() => window.aroundHidingPictures());
    const picture = (name) => {
        const png = Buffer.from(pictures[name].split(',')[1], 'base64');
        fs.writeFileSync(shot(`${back.replace(/ /g, '-')}-${name}`), png);
        return decodeImage(page, png, 'image/png');
    };
    const [before, after] = [await picture('before'), await picture('after')];

    assert.equal(stillAway.drawn, away.drawn, 'no frame is drawn while the page is away');
    assert.equal(lifeIcons(after), lifeIcons(before), 'no life lost while away');
    assert.ok(sameScoreLine(after, before), 'score and misses as they were');
    // A frame or two of falling, not the time away's worth, which would put the pig on the ground.
    assert.ok(pigTop(after) < 380, `the pig went from ${pigTop(before)} to ${pigTop(after)}`);
    // Let go by the page as well as by the runtime: the next hold lifts the pig again.
    await until(page, async () => (await pigTopNow(page)) > 380, 'the pig, let go, back on the ground');
    await page.mouse.down();
    await until(page, async () => (await pigTopNow(page)) < 300, 'the pig lifted by the next hold');
    await page.mouse.up();
    await page.close();
});

test('after one visit the game plays with no network, from a folder below the site root', async () => {
    const { page, errors } = await reopenOffline(web.browser, site, '/games/grubnosh/');
    await frames(page, 10);
    const image = await canvasImage(page, shot('offline'));
    assert.equal(lifeIcons(image), 9, 'the game shows its nine lives');
    assert.ok(pigTop(image) > 380, `the pig rests on the ground, its top at ${pigTop(image)}`);
    assert.deepEqual(errors, []);
    await page.close();
});

// Sites with a file missing, empty, damaged or cut off on the way, and what the page must say.
const DATA = dataPackage(site, 'grubnosh');
const data = fs.readFileSync(path.join(site, DATA));
const dataMessage = (text) => new RegExp(`^The game could not start. ${DATA.replace(/\./g, '\\.')} ${text}`);
const BROKEN_SITES = [
    ['a missing data package', { [DATA]: null }, dataMessage('could not be loaded: the server answered 404')],
    ['a data package cut short', { [DATA]: data.subarray(0, 1000) }, dataMessage('is damaged: its 1000 bytes are not the ones')],
    ['a data package changed on the way', { [DATA]: Buffer.concat([data.subarray(1), data.subarray(0, 1)]) },
     dataMessage(`is damaged: its ${data.length} bytes are not the ones`)],
    ['a data package whose download breaks off', {
        [DATA]: (response) => {
            response.writeHead(200, { 'Content-Length': data.length });
            response.write(data.subarray(0, data.length / 2), () => response.destroy());
        },
    }, dataMessage('could not be loaded: the connection broke off')],
    ['an empty WebAssembly file', { 'grubnosh.wasm': '' }, /grubnosh\.wasm is empty/],
    ['a damaged script', { 'grubnosh.js': 'var Module = ;' }, /grubnosh\.js is damaged/],
];
for (const [what, altered, says] of BROKEN_SITES) {
    test(`${what} is reported on the page within 5 seconds`, async (t) => {
        const broken = await serveFolder(site, { altered });
        t.after(broken.close); // an open server would keep the tests from ending
        const start = Date.now();
        const { page } = await openPage(web.browser, broken.url);
        const said = () => document.getElementById('panel').hidden === false &&
                           document.getElementById('progress').hidden;
        await page.waitForFunction(said, { timeout: Math.max(1, 5000 - (Date.now() - start)) });
        assert.match(await page.$eval('#message', (message) => message.textContent), says);
        await page.close();
    });
}
