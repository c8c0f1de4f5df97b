// The map editor's page and the levels it shares: a tile picked and painted
// with real mouse events, shared by a link that the game page then plays,
// saved in the browser across a reload, and the bad input a page meets (a
// damaged link, files that are no map). The link format itself is checked
// without a browser. Pictures are kept in ./web-shots/editor for a look.
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { serveFolder, launchChromium, decodeImage, pause, openPage, gameStarted, canvasImage } = require('./browser');

const root = process.env.GRUBNOSH_SOURCE_DIR || path.resolve(__dirname, '../..');
const site = process.env.GRUBNOSH_WEB_SITE || path.join(root, 'build-web');
const LevelLink = require(path.join(root, 'src/web/levellink.js'));
const shots = path.resolve('web-shots', 'editor');
const downloads = path.join(shots, 'downloads');

if (!fs.existsSync(path.join(site, 'grubnosh-editor.wasm'))) {
    console.error(`no browser build of the editor in ${site}: run scripts/build-web.sh first`);
    process.exit(1);
}

const CELL = 48;
const COLUMNS = 20;
const EDITOR_LEFT = 30; // map pixel at the editor's left edge, where the game starts too
// Cells of the standard map: a ground tile to pick, and sky cells to paint it into.
const GROUND = { column: 1, row: 9 };
const SHARED = { column: 9, row: 1 }; // far right, so it stays on screen longest as the game scrolls
const SAVED = { column: 7, row: 1 };
// Where the game's picture shows only background early on: under the score
// line and the lives, right of the pig, left of where objects fly in.
const BACKGROUND = { left: 100, right: 520, top: 58, bottom: 432 };

let server;
let browser;
let standard; // the standard map, rows of tile numbers
const tilePictures = {}; // tile number: its picture at 48 x 48

before(async () => {
    fs.mkdirSync(downloads, { recursive: true });
    server = await serveFolder(site);
    browser = await launchChromium(downloads);
    standard = fs.readFileSync(path.join(root, 'data/map.dat'), 'latin1').split('\n')
        .filter((line) => line !== '' && !line.startsWith('##'))
        .map((line) => [...line.slice(0, COLUMNS)].map((character) => character.charCodeAt(0) - 65));
});

after(async () => {
    if (browser) await browser.close();
    if (server) server.close();
});

const shot = (name) => path.join(shots, `${name}.png`);
const tileOf = (map, cell) => map[cell.row][cell.column];
const titleOf = (page) => page.evaluate(() => document.title);

async function tilePicture(page, tile) {
    if (!tilePictures[tile])
        tilePictures[tile] = await decodeImage(page, fs.readFileSync(path.join(root, `data/tiles/${tile}.png`)), 'image/png',
                                               { width: CELL, height: CELL });
    return tilePictures[tile];
}

async function openEditor() {
    const seen = await openPage(browser, `${server.url}editor.html`);
    await gameStarted(seen.page);
    return seen;
}

// A real click on a cell of the map as the editor first shows it.
async function clickCell(page, cell, button) {
    const box = await page.$eval('canvas', (canvas) => canvas.getBoundingClientRect().toJSON());
    const scale = box.width / 640;
    const x = box.x + (cell.column * CELL - EDITOR_LEFT + CELL / 2) * scale;
    const y = box.y + (cell.row * CELL + CELL / 4) * scale; // clear of the editor's bottom line
    await page.mouse.click(x, y, { button });
}

const colourDistance = (a, b) => Math.abs(a[0] - b[0]) + Math.abs(a[1] - b[1]) + Math.abs(a[2] - b[2]);

// Mean difference a channel between a cell of the picture, its top-left
// corner at (left, top), and a tile's picture; the cell's rim, where the
// drawing filters across neighbours, is left out.
function cellDifference(image, left, top, tile) {
    let sum = 0;
    let count = 0;
    for (let y = 4; y < CELL - 4; y += 2)
        for (let x = 4; x < CELL - 4; x += 2, count += 3)
            sum += colourDistance(image.at(left + x, top + y), tile.at(x, y));
    return sum / count;
}

// Whether the cell at (left, top) shows `tile` rather than `other`.
async function showsTile(page, image, left, top, tile, other) {
    return cellDifference(image, left, top, await tilePicture(page, tile)) <
           cellDifference(image, left, top, await tilePicture(page, other));
}

// How far the game's background has scrolled: the map pixel at the left edge,
// found where the standard map's pictures fit the background best.
async function scrollOf(page, image) {
    for (const row of standard.slice(2, 9)) for (const tile of row) await tilePicture(page, tile);
    let best = 0;
    let fewest = Infinity;
    for (let scroll = 0; scroll < COLUMNS * CELL; ++scroll) {
        let difference = 0;
        for (let y = CELL * 2; y < BACKGROUND.bottom; y += 6)
            for (let x = BACKGROUND.left; x < BACKGROUND.right; x += 6) {
                const mapX = (x + scroll) % (COLUMNS * CELL);
                const tile = tilePictures[standard[Math.floor(y / CELL)][Math.floor(mapX / CELL)]];
                difference += colourDistance(image.at(x, y), tile.at(mapX % CELL, y % CELL));
            }
        if (difference < fewest) [best, fewest] = [scroll, difference];
    }
    return best;
}

// The game's picture of row 1, the sky under the score line, against `map`:
// every cell wholly inside the background's box shows the map's tile (and not
// `other`, or the standard tile where the map differs). Returns the cells checked.
async function assertSkyRow(page, image, map, other) {
    const scroll = await scrollOf(page, image);
    const row = 1;
    const checked = [];
    for (let column = 0; column < COLUMNS; ++column) {
        const left = ((column * CELL - scroll) % (COLUMNS * CELL) + COLUMNS * CELL) % (COLUMNS * CELL);
        if (left < BACKGROUND.left || left + CELL > BACKGROUND.right) continue;
        const tile = map[row][column];
        const instead = tile === standard[row][column] ? other : standard[row][column];
        assert.ok(await showsTile(page, image, left, row * CELL, tile, instead),
                  `cell ${column},${row} at x ${left} (scrolled by ${scroll}) shows tile ${tile}, not ${instead}`);
        checked.push(column);
    }
    return checked;
}

// The game page at `url` as it starts: its level line and an early picture.
async function playLink(url, name) {
    const seen = await openPage(browser, url);
    await gameStarted(seen.page);
    await pause(400);
    const image = await canvasImage(seen.page, shot(name));
    const note = await seen.page.$eval('#level', (line) => (line.hidden ? null : line.textContent));
    return { ...seen, image, note };
}

// What the beforeunload guard says now: true when leaving would be questioned.
const guardAsks = (page) => page.evaluate(() => {
    const event = new Event('beforeunload', { cancelable: true });
    window.dispatchEvent(event);
    return event.defaultPrevented;
});

test('a ground tile picked and painted into the sky is shared by a link the game then plays, and Play opens it too', async () => {
    const { page, errors } = await openEditor();
    await clickCell(page, GROUND, 'right');
    await clickCell(page, SHARED, 'left');
    await page.waitForFunction(() => document.title.startsWith('*'));
    await page.click('#share');
    await page.waitForFunction(() => !document.getElementById('share-link').hidden);
    const link = await page.$eval('#share-link', (anchor) => anchor.href);
    await page.screenshot({ path: shot('shared') });
    assert.match(link, /\/index\.html#level=1\.[A-Za-z0-9_-]+\.[A-Za-z0-9_-]{6}$/);
    assert.equal(await titleOf(page), 'Grubnosh map editor', 'Share saved the level first');

    const opened = new Promise((resolve) => browser.once('targetcreated', resolve));
    await page.click('#play');
    const tab = await opened;
    assert.equal(tab.url(), link, 'Play opens the game on the same level');
    await (await tab.page()).close();

    const shared = standard.map((row) => [...row]);
    shared[SHARED.row][SHARED.column] = tileOf(standard, GROUND);
    const game = await playLink(link, 'game-shared');
    assert.match(game.note, /^Playing a shared level/);
    const checked = await assertSkyRow(game.page, game.image, shared, tileOf(standard, GROUND));
    assert.ok(checked.includes(SHARED.column), `the painted column ${SHARED.column} was on screen (${checked})`);
    assert.deepEqual([...errors, ...game.errors], []);
});

test('Save keeps the level in the browser: a reload opens it, and only unsaved changes hold the page', async () => {
    const { page } = await openEditor();
    await clickCell(page, GROUND, 'right');
    await clickCell(page, SAVED, 'left');
    await page.waitForFunction(() => document.title.startsWith('*'));
    assert.equal(await guardAsks(page), true, 'leaving with unsaved changes asks first');
    await page.click('#save');
    await page.waitForFunction(() => /Saved in this browser/.test(document.getElementById('notice').textContent));
    assert.equal(await guardAsks(page), false, 'nothing to lose once saved');

    await page.reload({ waitUntil: 'load' });
    await gameStarted(page);
    await pause(300);
    const image = await canvasImage(page, shot('reloaded'));
    for (const cell of [SHARED, SAVED])
        assert.ok(await showsTile(page, image, cell.column * CELL - EDITOR_LEFT, cell.row * CELL, tileOf(standard, GROUND),
                                  tileOf(standard, cell)), `cell ${cell.column},${cell.row} is still painted`);

    await page.click('#download');
    const file = path.join(downloads, 'map.dat');
    for (let waited = 0; !fs.existsSync(file) && waited < 5000; waited += 100) await pause(100);
    const cells = LevelLink.cellsOf(fs.readFileSync(file, 'latin1'));
    assert.equal(cells[SAVED.row * COLUMNS + SAVED.column], tileOf(standard, GROUND), 'the download holds the level');
});

test('a damaged level link says so and plays the standard level', async () => {
    const fragment = LevelLink.encode(standard.flat().map((tile, cell) => (cell === 25 ? 12 : tile)));
    const tampered = fragment.replace(/\.(.)/, (_, digit) => `.${digit === 'A' ? 'B' : 'A'}`);
    const game = await playLink(`${server.url}index.html#${tampered}`, 'game-damaged');
    assert.match(game.note, /^This level link is damaged: .+ Here is the standard level\. Play the standard level$/);
    await assertSkyRow(game.page, game.image, standard, tileOf(standard, GROUND));
    assert.deepEqual(game.errors, []);
});

test('a file that is no map is refused with a message and the level stays; a damaged map opens as the editor reads it', async () => {
    const { page, console: log } = await openEditor();
    const painted = { column: 3, row: 2 };
    await clickCell(page, GROUND, 'right');
    await clickCell(page, painted, 'left');
    await page.waitForFunction(() => document.title.startsWith('*'));
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'grubnosh-maps-'));
    const file = (name, bytes) => { fs.writeFileSync(path.join(folder, name), bytes); return path.join(folder, name); };
    const refused = [
        ['huge.dat', `${'B'.repeat(20)}\n`.repeat(4000), /huge\.dat was not opened: it holds 83 KB, and a map file at most 64 KB/],
        ['tile.png', fs.readFileSync(path.join(root, 'data/tiles/1.png')), /tile\.png was not opened: it is not a map \(it is not text\)/],
        ['notes.txt', 'Some notes\nabout a level,\nnot the level.\n', /notes\.txt was not opened: it is not a map \(none of its lines/],
    ];
    const choose = async (name) => {
        const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('#open')]);
        await chooser.accept([name]);
    };
    for (const [name, bytes, message] of refused) {
        await choose(file(name, bytes));
        await page.waitForFunction((text) => document.getElementById('notice').textContent.includes(text), {}, name);
        assert.match(await page.$eval('#notice', (notice) => notice.textContent), message);
        assert.ok((await titleOf(page)).startsWith('*'), `${name}: the unsaved changes are still there`);
    }
    assert.ok(await showsTile(page, await canvasImage(page, shot('refused')), painted.column * CELL - EDITOR_LEFT,
                              painted.row * CELL, tileOf(standard, GROUND), tileOf(standard, painted)),
              'the painted cell is as it was');

    // One row of it below "A": the reader names each of its cells and leaves them empty.
    const damaged = file('damaged.dat', standard.map((row, index) => (index === 3 ? '@'.repeat(COLUMNS) : String.fromCharCode(...row.map((tile) => 65 + tile)))).join('\n'));
    page.once('dialog', (dialog) => dialog.accept());
    const reloaded = page.waitForNavigation({ waitUntil: 'load' });
    await choose(damaged);
    await reloaded;
    await gameStarted(page);
    await page.waitForFunction(() => /Opened damaged\.dat/.test(document.getElementById('notice').textContent));
    assert.ok(log.some((line) => line.text === 'negative tile at 0,3'), 'the reader named the damaged cells');
    assert.ok(log.some((line) => line.text === 'grubnosh-editor: map.dat is damaged: see the terminal'), 'the editor said so');
    await page.screenshot({ path: shot('opened-damaged') });
    fs.rmSync(folder, { recursive: true, force: true });
});

test('a level link carries any map in a few hundred characters and refuses one that is cut, changed, too long or the wrong size', () => {
    const cells = standard.flat();
    const fragment = LevelLink.encode(cells);
    console.log(`the standard map's link fragment: #${fragment} (${fragment.length + 1} characters)`);
    assert.deepEqual(LevelLink.decode(fragment), cells);
    const busiest = cells.map((_, cell) => (cell * 7) % 63); // no two neighbours alike
    assert.deepEqual(LevelLink.decode(LevelLink.encode(busiest)), busiest);
    assert.ok(LevelLink.encode(busiest).length <= 240, `the longest map takes ${LevelLink.encode(busiest).length} characters`);
    assert.deepEqual(LevelLink.cellsOf(LevelLink.mapText(busiest)), busiest);

    const damaged = [
        ['cut short', fragment.slice(0, -10), /cut short or changed/],
        ['a digit changed', fragment.replace(/\.(.)/, (_, digit) => `.${digit === 'A' ? 'B' : 'A'}`), /cut short or changed/],
        ['another version', fragment.replace('level=1.', 'level=2.'), /not a level link this game reads/],
        ['too long', `${fragment}${'A'.repeat(300)}`, /characters long, more than any level needs/],
        // Links made as a link is made, their checks right, around the wrong cells.
        ['a cell short', LevelLink.encode(cells.slice(1)), /its map has 219 cells where a map has 220/],
        ['a cell over', LevelLink.encode([...cells, 5]), /more than 220 cells/],
        ['a repeat first', LevelLink.encode([63, ...cells]), /a repeat in it counts nothing/],
    ];
    for (const [name, link, message] of damaged)
        assert.throws(() => LevelLink.decode(link), message, name);
});
