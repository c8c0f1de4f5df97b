// The engine's examples in the browser, as a visitor meets them: the pages of
// the built site's examples/ served on 127.0.0.1 in Debian's headless chromium,
// which lets a page make sound only after a key, as desktop browsers do.
// Pictures are kept in ./web-shots/examples for a look.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {
    root, site, playSite, serveFolder, dataPackage, launchChromium, decodeImage, frames, until, openPage, gameStarted,
    reopenOffline, canvasImage, assertArrowMoves,
} = require('./browser');

const shots = path.resolve('web-shots', 'examples');
const EXAMPLES = ['hello', 'text', 'actors', 'tiles', 'audio'];
const MONITOR = { width: 1280, height: 800 };
const BLOCK = 16; // pictures are compared by the mean colour of blocks this wide
const TILE = 48;

const firstPictures = {}; // each example's picture a moment after it started

const shot = (name) => path.join(shots, `${name}.png`);
const startExample = (name, options) => web.start(`${web.server.url}examples/${name}.html`, options);

// The mean colour of each BLOCK x BLOCK square of a 640 x 480 picture.
function blockMeans(image) {
    const means = [];
    for (let top = 0; top < image.height; top += BLOCK)
        for (let left = 0; left < image.width; left += BLOCK) {
            const sum = [0, 0, 0];
            for (let y = top; y < top + BLOCK; ++y)
                for (let x = left; x < left + BLOCK; ++x)
                    image.at(x, y).forEach((value, i) => { sum[i] += value; });
            means.push(sum.map((value) => value / (BLOCK * BLOCK)));
        }
    return means;
}

// Mean difference of two pictures' blocks, per channel (0 to 255).
function distance(a, b) {
    let sum = 0;
    a.forEach((block, i) => block.forEach((value, channel) => { sum += Math.abs(value - b[i][channel]); }));
    return sum / (3 * a.length);
}

// Blocks that differ from the picture's most common block colour: what is drawn on the background.
function drawnBlocks(blocks) {
    const key = (block) => block.map((value) => Math.round(value / 8)).join();
    const counts = new Map();
    for (const block of blocks) counts.set(key(block), (counts.get(key(block)) || 0) + 1);
    const background = [...counts.entries()].sort((a, b) => b[1] - a[1])[0][0];
    return blocks.filter((block) => key(block) !== background).length;
}

// Sound only after a key, as desktop browsers have it.
const AUTOPLAY = ['--autoplay-policy=document-user-activation-required'];
const web = playSite(shots, () => launchChromium(undefined, AUTOPLAY), async () => {
    for (const name of EXAMPLES) {
        const { page, errors } = await startExample(name);
        await frames(page, 30);
        const image = await canvasImage(page, shot(name));
        const docs = await decodeImage(page, fs.readFileSync(path.join(root, 'docs/examples', `${name}.png`)), 'image/png');
        firstPictures[name] = { blocks: blockMeans(image), docs: blockMeans(docs), errors };
        await page.close();
    }
});

for (const name of EXAMPLES) {
    test(`the ${name} page draws a picture, nearer its picture from the desktop than any other example's`, () => {
        const { blocks, errors } = firstPictures[name];
        assert.ok(drawnBlocks(blocks) > 20, `only ${drawnBlocks(blocks)} blocks show anything`);
        const distances = EXAMPLES.map((other) => [other, distance(blocks, firstPictures[other].docs)]);
        const nearest = distances.reduce((a, b) => (b[1] < a[1] ? b : a));
        assert.equal(nearest[0], name, `distances to the desktop pictures: ${JSON.stringify(distances)}`);
        assert.deepEqual(errors, [], 'no uncaught error');
    });
}

test('no two example pages draw the same picture', () => {
    for (const [i, a] of EXAMPLES.entries())
        for (const b of EXAMPLES.slice(i + 1)) {
            const apart = distance(firstPictures[a].blocks, firstPictures[b].blocks);
            assert.ok(apart > 5, `${a} and ${b} differ by only ${apart.toFixed(2)}`);
        }
});

// Every sound the page sends to its speakers passes an analyser too; peak()
// is the loudest sample they hold now.
function tapAudio() {
    const connect = AudioNode.prototype.connect;
    const analysers = [];
    AudioNode.prototype.connect = function (target, ...rest) {
        if (target instanceof AudioDestinationNode) {
            const analyser = this.context.createAnalyser();
            connect.call(this, analyser);
            analysers.push(analyser);
        }
        return connect.call(this, target, ...rest);
    };
    window.peak = () => {
        let loudest = 0;
        for (const analyser of analysers) {
            const samples = new Float32Array(analyser.fftSize);
            analyser.getFloatTimeDomainData(samples);
            for (const sample of samples) loudest = Math.max(loudest, Math.abs(sample));
        }
        return loudest;
    };
}

// The loudest the page gets over the next `count` frames.
async function loudestOver(page, count) {
    let loudest = 0;
    for (let frame = 0; frame < count; frame += 3) {
        loudest = Math.max(loudest, await page.evaluate(() => window.peak()));
        await frames(page, 3);
    }
    return loudest;
}

// Until the page sounds louder than a whisper.
const untilSounding = (page, what) => until(page, async () => (await page.evaluate(() => window.peak())) > 0.05, what);

// The artist and title of a file's ID3v1 tag, each up to its first NUL.
function tagOf(file) {
    const bytes = fs.readFileSync(file);
    const tag = bytes.subarray(bytes.length - 128);
    assert.equal(tag.toString('latin1', 0, 3), 'TAG', `${file} has a tag`);
    const field = (from, width) => {
        const raw = tag.subarray(from, from + width);
        return raw.toString('latin1', 0, raw.includes(0) ? raw.indexOf(0) : width);
    };
    return { title: field(3, 30), artist: field(33, 30) };
}

test('the audio page is silent until a key, an effect key sounds, a held arrow plays one tune, named from its tag', async () => {
    const { page, console: log, errors } = await startExample('audio', { beforeLoad: tapAudio });
    assert.equal(await loudestOver(page, 60), 0, 'silent before any key');
    await page.keyboard.press('Digit2');
    await untilSounding(page, 'effect 2 sounding');
    await until(page, async () => (await page.evaluate(() => window.peak())) === 0, 'effect 2 over');
    // The browser repeats a held key; as on the desktop, the example sees one press: one tune, not a skip a repeat.
    for (let press = 0; press < 3; ++press) await page.keyboard.down('ArrowRight');
    await page.keyboard.up('ArrowRight');
    await untilSounding(page, 'the first tune sounding');
    const { artist, title } = tagOf(path.join(root, 'data/examples/music/0.ogg'));
    assert.deepEqual(log.map((message) => message.text).filter((line) => line.startsWith('Pass) Playing')),
                     [`Pass) Playing track 0 (${artist} - ${title})`]);
    await canvasImage(page, shot('audio-playing'));
    assert.deepEqual(errors, []);
    await page.close();
});

test('on the hello page the right arrow held moves the pig right, and letting go stops it', async () => {
    const { page, errors } = await startExample('hello');
    await assertArrowMoves(page, path.join(shots, 'hello'), () => page.keyboard.down('ArrowRight'),
                           () => page.keyboard.up('ArrowRight'));
    assert.deepEqual(errors, []);
    await page.close();
});

// Near-white pixels in a cell: the tiles example frames the cell under the pointer in white.
function framePixels(image, [column, row]) {
    let white = 0;
    for (let y = row * TILE; y < (row + 1) * TILE; ++y)
        for (let x = column * TILE; x < (column + 1) * TILE; ++x)
            if (image.at(x, y).every((value) => value > 200)) ++white;
    return white;
}

test('the tiles example follows the mouse over its scaled picture, and Escape ends it with an offer to run it again', async () => {
    const { page, errors } = await startExample('tiles', { viewport: MONITOR });
    const box = await page.$eval('canvas', (canvas) => canvas.getBoundingClientRect().toJSON());
    assert.ok(box.width > 800, `the picture is shown ${box.width} pixels wide, larger than it is drawn`);
    // Two empty cells of the room, away from its animated tiles and the apple.
    const cells = [[6, 3], [6, 6]];
    const pointAt = ([column, row]) => page.mouse.move(box.x + ((column + 0.5) * TILE * box.width) / 640,
                                                       box.y + ((row + 0.5) * TILE * box.height) / 480);
    const pictures = [];
    for (const [i, cell] of cells.entries()) {
        await pointAt(cell);
        await until(page, async () => framePixels(pictures[i] = await canvasImage(page, shot(`tiles-pointer-${i}`)), cell) > 40,
                    `a frame round cell ${cell}`);
    }
    for (const [i, cell] of cells.entries()) {
        const [pointed, elsewhere] = [framePixels(pictures[i], cell), framePixels(pictures[1 - i], cell)];
        assert.ok(pointed > 40 && elsewhere < 5, `cell ${cell}: ${pointed} white pixels pointed at, ${elsewhere} when not`);
    }

    await page.keyboard.press('Escape');
    await page.waitForSelector('#again:not([hidden])', { timeout: 5000 });
    assert.match(await page.$eval('#message', (message) => message.textContent), /ended/);
    await page.screenshot({ path: shot('tiles-ended') });
    assert.deepEqual(errors, []);
    await page.close();
});

test('the examples\' index shows each example\'s picture and links to its page', async () => {
    const { page, errors } = await openPage(web.browser, `${web.server.url}examples/`, { viewport: MONITOR });
    const cards = await page.$$eval('.examples a', (links) => links.map((link) => ({
        href: link.getAttribute('href'), width: link.querySelector('img').naturalWidth,
    })));
    assert.deepEqual(cards.map((card) => card.href), EXAMPLES.map((name) => `${name}.html`));
    assert.ok(cards.every((card) => card.width === 640), `picture widths ${cards.map((card) => card.width)}`);
    assert.equal(await page.$eval('.site-nav [aria-current="page"]', (link) => link.textContent), 'Engine examples');
    await page.screenshot({ path: shot('index'), fullPage: true });
    await page.click('a[href="tiles.html"]');
    await gameStarted(page);
    assert.ok(page.url().endsWith('/examples/tiles.html'), `the link led to ${page.url()}`);
    assert.deepEqual(errors, []);
    await page.close();
});

test('after one visit an example runs with no network, from a folder below the site root', async () => {
    const { page, errors } = await reopenOffline(web.browser, site, '/engine/site/', 'examples/actors.html');
    await frames(page, 30);
    const blocks = blockMeans(await canvasImage(page, shot('offline')));
    assert.ok(distance(blocks, firstPictures.actors.docs) < distance(blocks, firstPictures.text.docs), 'the actors example runs');
    assert.deepEqual(errors, []);
    await page.close();
});

test('a shared part of the data package cut short is reported on the page', async (t) => {
    const shared = dataPackage(site, 'grubnosh');
    const cut = fs.readFileSync(path.join(site, shared)).subarray(0, 1000);
    const broken = await serveFolder(site, { altered: { [shared]: cut } });
    t.after(broken.close);
    const { page } = await openPage(web.browser, `${broken.url}examples/text.html`);
    await page.waitForFunction(() => !document.getElementById('panel').hidden && document.getElementById('progress').hidden,
                               { timeout: 5000 });
    assert.match(await page.$eval('#message', (message) => message.textContent),
                 new RegExp(`${shared.replace(/\./g, '\\.')} is damaged: its 1000 bytes`));
    await page.close();
});
