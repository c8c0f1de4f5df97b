// The browser build as a player meets it: the built site served on
// 127.0.0.1, Debian's chromium headless with software WebGL, real key events,
// the canvas read back from screenshots and the console compared with the
// desktop game's output, and runs replayed in both. Screenshots are kept in ./web-shots for a look.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { spawnSync } = require('node:child_process');
const {
    root, playSite, launchChromium, decodeImage, readBmp, pause, frames, downloaded, openPage, gameStarted,
    canvasImage: pageImage, pigTop, lifeIcons, assertHoldLifts, isPink,
} = require('./browser');
const RunLink = require(path.join(root, 'src/web/runlink.js'));

const desktopBinary = process.env.GRUBNOSH_BINARY || path.join(root, 'build/grubnosh');
const shots = path.resolve('web-shots');

const HUD_TEXT = { x: 0, y: 0, width: 200, height: 18 }; // "SCORE: 0 MISSED: 0" on plain sky
const PIG = { left: 15, size: 64 }; // the pig's box: it moves only up and down
const HUD_BOTTOM = 56; // the score line and the life icons lie above
const PIG_FIT = 20; // mean difference a channel at most where the pig's pixels are found
// What two early frames may show differently: the flap of the pig and of its
// life icons, and the score line (compared on its own, since the background
// under it scrolls); and the flying objects, which start at random heights.
const LEFT_OUT = [
    { left: 0, top: 0, right: 200, bottom: 18 },
    { left: 0, top: 16, right: 296, bottom: 56 },
    { left: 8, top: 408, right: 88, bottom: 480 },
];
const OBJECT_BLOCK = 16; // the grid on which flying objects are found
const OBJECT_REACH = 3; // blocks around an object's colour that its picture may cover
const MAX_SCROLL_SHIFT = 180; // pixels the two backgrounds may have scrolled apart
const SAME_PIXEL = 12; // largest difference in a channel that filtering explains

let game; // { page, console: [{type, text}], errors: [] } of the one page that plays

const canvasImage = (name) => pageImage(game.page, path.join(shots, `${name}.png`));

// The game's own screenshot of the frame it is drawing when F2 comes, as the
// player downloads it; `press` presses the key.
async function screenshotByF2(press = () => game.page.keyboard.press('F2')) {
    const file = path.join(shots, 'downloads', 'sshot.bmp');
    fs.rmSync(file, { force: true });
    await press();
    return readBmp(await downloaded(file));
}

// Runs `script` (sh, "$0" the desktop game) under its own Xvfb in a fresh folder with the game's data and
// the files `given` ({ name: bytes }); returns the files it leaves there ({ name: Buffer }).
function onDesktop(script, given = {}) {
    const work = fs.mkdtempSync(path.join(require('node:os').tmpdir(), 'grubnosh-web-'));
    fs.symlinkSync(path.join(root, 'data'), path.join(work, 'data'));
    for (const [name, bytes] of Object.entries(given)) fs.writeFileSync(path.join(work, name), bytes, 'latin1');
    const run = spawnSync(path.join(root, 'scripts/with-xvfb.sh'), ['sh', '-c', script, desktopBinary],
                          { cwd: work, encoding: 'utf8', timeout: 60000 });
    assert.equal(run.status, 0, `desktop run failed: ${run.stderr}`);
    const files = Object.fromEntries(fs.readdirSync(work).filter((name) => name !== 'data')
        .map((name) => [name, fs.readFileSync(path.join(work, name))]));
    fs.rmSync(work, { recursive: true, force: true });
    return files;
}

// The desktop game's screenshots, its first a second after start, then two with
// the pig in the air, rising with Space held and falling after its release,
// and its output.
function desktopReference() {
    const files = onDesktop(`
        SDL_AUDIODRIVER=dummy "$0" >out.txt 2>err.txt &
        window=$(xdotool search --sync --name '^Grubnosh$' | head -n 1)
        xdotool windowfocus --sync "$window"
        shot() { xdotool key F2; until [ -e sshot.bmp ]; do sleep 0.05; done; mv sshot.bmp "$1"; }
        sleep 1; shot first.bmp
        xdotool keydown space; sleep 0.4; shot rising.bmp
        xdotool keyup space; sleep 0.1; shot falling.bmp
        xdotool key Escape
        wait`);
    return { shot: files['first.bmp'], rising: files['rising.bmp'], falling: files['falling.bmp'],
             out: files['out.txt'].toString(), err: files['err.txt'].toString() };
}

// The desktop game's output and F2 screenshot as it replays a run (its bytes); Escape ends a game the run left going.
function desktopReplay(run) {
    const files = onDesktop(`
        SDL_AUDIODRIVER=dummy TORVANE_REPLAY=run.tqrun "$0" >out.txt 2>&1 &
        game=$!
        window=$(xdotool search --sync --name '^Grubnosh$' | head -n 1)
        until grep -q 'replayed to its end' out.txt || ! kill -0 $game 2>/dev/null; do sleep 0.1; done
        xdotool windowfocus --sync "$window" 2>/dev/null && xdotool key Escape
        wait $game`, { 'run.tqrun': run });
    return { out: files['out.txt'].toString(), shot: files['sshot.bmp'] };
}

function desktopRun() {
    game.desktop = game.desktop || desktopReference();
    return game.desktop;
}

function leftOut(x, y) {
    return LEFT_OUT.some((box) => x >= box.left && x < box.right && y >= box.top && y < box.bottom);
}

// An apple's red or a hostile's purple, which the background does not hold.
function isObjectColour([r, g, b]) {
    return (r > 150 && g < 90 && b < 90) || (b > g + 40 && r > g + 20 && g < 90);
}

// What a comparison leaves out of a picture, one byte a pixel: the boxes of
// LEFT_OUT, and wherever a flying object may lie, near a block of the grid
// that holds a few pixels of an object's colour.
function leftOutMask(image) {
    const { width, height } = image;
    const columns = Math.ceil(width / OBJECT_BLOCK);
    const counts = new Uint16Array(columns * Math.ceil(height / OBJECT_BLOCK));
    const mask = new Uint8Array(width * height);
    for (let y = 0; y < height; ++y)
        for (let x = 0; x < width; ++x) {
            if (isObjectColour(image.at(x, y))) ++counts[Math.floor(y / OBJECT_BLOCK) * columns + Math.floor(x / OBJECT_BLOCK)];
            mask[y * width + x] = leftOut(x, y);
        }
    const reach = OBJECT_REACH * OBJECT_BLOCK;
    counts.forEach((count, block) => {
        if (count < 4) return;
        const [left, top] = [(block % columns) * OBJECT_BLOCK, Math.floor(block / columns) * OBJECT_BLOCK];
        for (let y = Math.max(0, top - reach); y < Math.min(height, top + OBJECT_BLOCK + reach); ++y)
            mask.fill(1, y * width + Math.max(0, left - reach), y * width + Math.min(width, left + OBJECT_BLOCK + reach));
    });
    return mask;
}

// Pixels of the two frames that differ by more than filtering explains, with
// the second's background `shift` pixels further on; every `step`-th pixel.
function differingPixels(web, desktop, shift, step) {
    web.ignored = web.ignored || leftOutMask(web);
    desktop.ignored = desktop.ignored || leftOutMask(desktop);
    let compared = 0;
    let differing = 0;
    for (let y = 0; y < web.height; y += step)
        for (let x = Math.max(0, -shift); x < Math.min(web.width, web.width - shift); x += step) {
            if (web.ignored[y * web.width + x] || desktop.ignored[y * desktop.width + x + shift]) continue;
            const a = web.at(x, y);
            const b = desktop.at(x + shift, y);
            ++compared;
            if (a.some((value, i) => Math.abs(value - b[i]) > SAME_PIXEL)) ++differing;
        }
    return { compared, differing };
}

// The background scrolls by whole pixels with the time played: the shift that
// lines the desktop's background up with the web's.
function scrollShift(web, desktop) {
    let best = 0;
    let fewest = Infinity;
    for (let shift = -MAX_SCROLL_SHIFT; shift <= MAX_SCROLL_SHIFT; ++shift) {
        const { differing } = differingPixels(web, desktop, shift, 4);
        if (differing < fewest) [best, fewest] = [shift, differing];
    }
    return best;
}

// The opaque pixels that the pig's three flight frames share: its head, body
// and legs, whatever its wing does.
async function pigTemplate(page) {
    const frames = [];
    for (const frame of [0, 1, 2])
        frames.push(await decodeImage(page, fs.readFileSync(path.join(root, `data/sprites/${frame}.png`)), 'image/png'));
    const template = [];
    for (let y = 0; y < PIG.size; ++y)
        for (let x = 0; x < PIG.size; ++x) {
            const colour = frames[0].at(x, y);
            const shared = frames.every((image) => image.alpha(x, y) === 255 &&
                                                 image.at(x, y).every((value, i) => value === colour[i]));
            if (shared) template.push({ x, y, colour });
        }
    return template;
}

// How far the pig's shared pixels, turned by `degrees` (counter-clockwise on
// the screen) with the box's top at `top`, are from the picture: mean per
// channel, over those in the picture and not under the HUD.
function templateDistance(image, template, degrees, top) {
    const angle = (degrees * Math.PI) / 180;
    const [cos, sin] = [Math.cos(angle), Math.sin(angle)];
    const half = PIG.size / 2;
    let sum = 0;
    let counted = 0;
    for (const { x, y, colour } of template) {
        const [dx, dy] = [x + 0.5 - half, y + 0.5 - half];
        const screenY = Math.floor(top + half - dx * sin + dy * cos);
        if (screenY < HUD_BOTTOM || screenY >= image.height) continue;
        const pixel = image.at(Math.floor(PIG.left + half + dx * cos + dy * sin), screenY);
        sum += pixel.reduce((total, value, i) => total + Math.abs(value - colour[i]), 0);
        ++counted;
    }
    return counted === 0 ? Infinity : sum / (3 * counted);
}

// The pig's tilt in a picture, 5 or -5 degrees, whichever fits its pixels
// better wherever its box lies around the pink found in its column (which
// starts under the HUD, so the box may reach higher).
function pigTilt(image, template) {
    const pink = pigTop(image);
    const fit = (degrees) => {
        let best = Infinity;
        for (let top = Math.max(0, pink - PIG.size); top <= Math.min(pink + 8, image.height - PIG.size); ++top)
            best = Math.min(best, templateDistance(image, template, degrees, top));
        return best;
    };
    const [up, down] = [fit(5), fit(-5)];
    const found = Math.min(up, down) < PIG_FIT;
    return { degrees: !found ? 'no pig' : up < down ? 5 : -5,
             fits: `${up.toFixed(1)} at 5 degrees, ${down.toFixed(1)} at -5` };
}

// Calls the page's `firstFrame` as the game clears for its first frame.
function reportFirstFrame() {
    const clear = WebGLRenderingContext.prototype.clear;
    WebGLRenderingContext.prototype.clear = function (mask) {
        WebGLRenderingContext.prototype.clear = clear;
        window.firstFrame();
        return clear.call(this, mask);
    };
}

const openGame = (beforeLoad, functions) => openPage(web.browser, web.server.url, { beforeLoad, functions });

// Log lines up to the font's PASS line, its milliseconds left out.
function startupLines(text) {
    const lines = text.split('\n').filter((line) => line !== '');
    const end = lines.findIndex((line) => line.startsWith('PASS) Startup'));
    return lines.slice(0, end < 0 ? lines.length : end + 1).map((line) => line.replace(/\d+ ms/, 'N ms'));
}

const web = playSite(shots, () => launchChromium(path.join(shots, 'downloads')), async () => {
    // F2 the moment the game begins to draw, for one of its first frames;
    // waiting for the canvas to show a frame may take seconds.
    let began;
    const drawing = new Promise((resolve) => { began = resolve; });
    game = await openGame(reportFirstFrame, { firstFrame: () => began() });
    const early = screenshotByF2(async () => { await drawing; await game.page.keyboard.press('F2'); });
    await gameStarted(game.page);
    await frames(game.page, 10);
    game.scene = await canvasImage('scene'); // one early frame, before anything can be caught
    game.early = await early;
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
    const reference = desktopRun();
    const web = game.scene;
    const desktop = readBmp(reference.shot);
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
    const reference = desktopRun();
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
        // The game plays on meanwhile, and a hostile may take a life: the
        // picture shows as many as the canvas did just before or just after.
        const livesShown = async () => lifeIcons(await pageImage(game.page));
        const before = await livesShown();
        const shot = await screenshotByF2(() => take(game.page));
        const after = await livesShown();
        assert.deepEqual([shot.width, shot.height], [640, 480]);
        const icons = lifeIcons(shot);
        assert.ok(after > 0 && icons >= after && icons <= before,
                  `the screenshot shows ${icons} life icons, right way up, the canvas ${before} then ${after}`);
    });
}

test('an early frame is the desktop\'s, its background lined up with the scroll', async () => {
    const reference = readBmp(desktopRun().shot);
    const shift = scrollShift(game.early, reference);
    const { compared, differing } = differingPixels(game.early, reference, shift, 1);
    const share = differing / compared;
    assert.ok(share < 0.01, `${(share * 100).toFixed(1)}% of the frame differs from the desktop's, scrolled by ${shift}`);
});

test('the pig tilts up while rising and down while falling, as on the desktop', async () => {
    const template = await pigTemplate(game.page);
    const desktopRising = pigTilt(readBmp(desktopRun().rising), template);
    const desktopFalling = pigTilt(readBmp(desktopRun().falling), template);
    // F2 pictures the frame being drawn, unlike a screenshot of the canvas,
    // which may come late enough for the pig to hover under the HUD.
    // A frame draws the pig before it reads the keys: the frames after the next one show the change.
    // A hostile may have hurt the pig (another picture) in one of them: then another hop.
    let rising, falling;
    const bothSeen = () => rising && ![rising, falling].some((tilt) => tilt.degrees === 'no pig');
    for (let hop = 0; hop < 3 && !bothSeen(); ++hop) {
        await game.page.keyboard.down('Space');
        await frames(game.page, 5);
        rising = pigTilt(await screenshotByF2(), template);
        await game.page.keyboard.up('Space');
        await frames(game.page, 5);
        falling = pigTilt(await screenshotByF2(), template);
    }
    assert.deepEqual([desktopRising.degrees, desktopFalling.degrees], [5, -5],
                     `desktop: rising ${desktopRising.fits}; falling ${desktopFalling.fits}`);
    assert.deepEqual([rising.degrees, falling.degrees], [5, -5], `rising ${rising.fits}; falling ${falling.fits}`);
});

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

// Recorded runs on the game's page, watched at its frame rate: as long as a run took at 60 frames a second.
const goldenRun = (name) => fs.readFileSync(path.join(root, 'tests/runs', name), 'latin1');
const textOf = (page, selector) => page.$eval(selector, (element) => element.textContent);
const runsShown = (page) => page.waitForSelector('#runs:not([hidden])', { timeout: 5000 });
const replayedToItsEnd = (run) =>
    new RegExp(`^PASS\\) Run \\S+ replayed to its end: ${run.frames} frames, final numbers ${run.final.join(' ')};`, 'm');

// Until the page logs a line matching `pattern`, for at most a minute.
async function logged(seen, pattern) {
    for (const end = Date.now() + 60000; !seen.console.some((message) => pattern.test(message.text)); await pause(100))
        assert.ok(Date.now() < end, `not logged within a minute: ${pattern}`);
}

// Pixels under the HUD in the pig's pink or a flying object's colour: how
// many are so in either picture, and how many in one of them only.
function colouredApart(a, b) {
    const coloured = (image, x, y) => isPink(image.at(x, y)) || isObjectColour(image.at(x, y));
    let [either, apart] = [0, 0];
    for (let y = HUD_BOTTOM; y < a.height; ++y)
        for (let x = 0; x < a.width; ++x) {
            const [inA, inB] = [coloured(a, x, y), coloured(b, x, y)];
            [either, apart] = [either + (inA || inB), apart + (inA !== inB)];
        }
    return { either, apart };
}

// The golden runs, opened from a link and watched; the F2 in one pictures everything where the desktop's replay does.
for (const [name, screenshot] of [['escape.tqrun', true], ['game-over.tqrun', false]]) {
    test(`the golden run ${name}, from a link, is watched to its final numbers${screenshot ? ' and positions' : ''}`, async () => {
        const bytes = goldenRun(name);
        const run = RunLink.read(bytes);
        const seen = await openPage(web.browser, `${web.server.url}#${RunLink.encode(bytes)}`);
        assert.equal(await textOf(seen.page, '#run-what'), `A run of ${RunLink.scoreOf(run)}`);
        const watch = async () => { await seen.page.click('#watch-run'); await logged(seen, replayedToItsEnd(run)); };
        if (!screenshot) await watch();
        else {
            const { either, apart } = colouredApart(await screenshotByF2(watch), readBmp(desktopReplay(bytes).shot));
            assert.ok(either > 5000 && apart < either / 100, `${apart} of ${either} pixels of the pig and the objects lie apart`);
        }
        await seen.page.close();
    });
}

test('a game is recorded, shared by a link that replays on the desktop, watched again with Screenshot working, tried', async () => {
    const seen = await web.start(web.server.url);
    const { page } = seen;
    await page.evaluate(() => localStorage.clear()); // this game is the best in the browser
    await page.keyboard.down('Space'); // a hop, and the first objects fly by
    await frames(page, 30);
    await page.keyboard.up('Space');
    await frames(page, 240);
    await page.keyboard.press('Escape');
    await runsShown(page);
    await page.click('#share-run');
    const link = await page.$eval('#run-link', (element) => element.href);
    const { bytes, run } = RunLink.decode(new URL(link).hash.slice(1));
    assert.ok(link.length <= RunLink.LONGEST, `a link of ${link.length} characters`);
    assert.equal(await textOf(page, '#run-what'), `Your run: ${RunLink.scoreOf(run)}`);
    assert.equal(await textOf(page, '#best span'), `A new best in this browser: ${RunLink.scoreOf(run)}`);
    assert.match(desktopReplay(bytes).out, replayedToItsEnd(run));

    seen.console.length = 0;
    await Promise.all([page.waitForNavigation(), page.click('#watch-run')]);
    await gameStarted(page);
    assert.equal(lifeIcons(await screenshotByF2(() => page.click('#screenshot'))), 9, 'the Screenshot button pictures the game');
    await logged(seen, replayedToItsEnd(run));
    await runsShown(page);
    assert.equal(await textOf(page, '#message'), 'The run is over.');

    await page.goto(link);
    await page.click('#try-run');
    await gameStarted(page);
    await frames(page, 10);
    await page.keyboard.press('Escape');
    await runsShown(page);
    const tried = new RegExp(`^You: \\d+ apples? and \\d+ miss(es)?\\. The run: ${RunLink.scoreOf(run)}\\.$`);
    assert.match(await textOf(page, '#run-what'), tried);
    // Files open as links do: a run's own says what it is; one too large for a run is refused.
    const large = 'large.tqrun was not opened: it is too large for a run (16778241 bytes).';
    for (const [file, says] of [['run.tqrun', `A run of ${RunLink.scoreOf(run)}`], ['large.tqrun', large]]) {
        fs.writeFileSync(path.join(shots, file), file === 'run.tqrun' ? bytes : 'x'.repeat(RunLink.LARGEST + 1), 'latin1');
        await Promise.all([page.waitForFileChooser().then((chooser) => chooser.accept([path.join(shots, file)])), page.click('#open-run')]);
        await page.waitForFunction((text) => document.body.textContent.includes(text), { timeout: 5000 }, says);
    }
    await page.close();
});

// A run link the page refuses (what each refusal says is the page scripts'
// test), and one the engine refuses as it is watched: the page says why, and the game plays.
const escapeRun = goldenRun('escape.tqrun');
const BAD_LINKS = [
    [`${escapeRun.slice(0, -9)}x${escapeRun.slice(-8)}`, /^This run link was not opened: it is damaged: its body does not match its check/],
    [escapeRun.replace('frames 450', 'frames 451'), /^The run was not watched: it is damaged: its frames do not read back as its header/],
];
for (const [bytes, says] of BAD_LINKS) {
    test(`a run link refused, saying "${says.source.slice(1, 60)}...", and the game plays`, async () => {
        const seen = await openPage(web.browser, `${web.server.url}#${RunLink.encode(bytes)}`);
        if (says.source.includes('not watched')) await seen.page.click('#watch-run');
        await gameStarted(seen.page);
        assert.match(await textOf(seen.page, '#notice'), says);
        assert.deepEqual(seen.errors, []);
        await seen.page.close();
    });
}
