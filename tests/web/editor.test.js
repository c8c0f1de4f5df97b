// The map editor's page and the levels it shares: a tile picked and painted
// with real mouse events, shared by a link that the game page then plays,
// saved in the browser across a reload, and the bad input a page meets (a
// damaged link, files that are no map), a browser that keeps nothing and a
// second tab. The link format itself is checked without a browser
// (scripts.test.js). Pictures are kept in ./web-shots/editor for a look.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {
    root, playSite, launchChromium, decodeImage, frames, gameStarted, canvasImage, downloaded, EDITOR_MAP, paintGround,
} = require('./browser');

const LevelLink = require(path.join(root, 'src/web/levellink.js'));
const shots = path.resolve('web-shots', 'editor');
const downloads = path.join(shots, 'downloads');
const web = playSite(shots, () => launchChromium(downloads));

const { cell: CELL, left: EDITOR_LEFT, ground: GROUND } = EDITOR_MAP;
const COLUMNS = 20;
// Sky cells of the standard map to paint its ground into.
const SHARED = { column: 9, row: 1 }; // far right, so it stays on screen longest as the game scrolls
const SAVED = { column: 7, row: 1 };
// Where the game's picture shows only background early on: under the score
// line and the lives, right of the pig, left of where objects fly in.
const BACKGROUND = { left: 100, right: 520, top: 58, bottom: 432 };

// The standard map, rows of tile numbers.
const standard = fs.readFileSync(path.join(root, 'data/map.dat'), 'latin1').split('\n')
    .filter((line) => line !== '' && !line.startsWith('##'))
    .map((line) => [...line.slice(0, COLUMNS)].map((character) => character.charCodeAt(0) - 65));
const tilePictures = {}; // tile number: its picture at 48 x 48

const shot = (name) => path.join(shots, `${name}.png`);
const tileOf = (map, cell) => map[cell.row][cell.column];
const titleOf = (page) => page.evaluate(() => document.title);

async function tilePicture(page, tile) {
    if (!tilePictures[tile])
        tilePictures[tile] = await decodeImage(page, fs.readFileSync(path.join(root, `data/tiles/${tile}.png`)), 'image/png',
                                               { width: CELL, height: CELL });
    return tilePictures[tile];
}

const openEditor = (options) => web.start(`${web.server.url}editor.html`, options);

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
    const seen = await web.start(url);
    await frames(seen.page, 10);
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

// Presses the button `id` and waits for the notice it gives, which must match `says`.
async function press(page, id, says) {
    await page.evaluate(() => { document.getElementById('notice').textContent = ''; });
    await page.click(id);
    await page.waitForFunction(() => document.getElementById('notice').textContent !== '');
    assert.match(await page.$eval('#notice', (notice) => notice.textContent), says);
}

// Downloads the level with the Download button: its cells, as the file holds them.
async function downloadedCells(page) {
    const file = path.join(downloads, 'map.dat');
    fs.rmSync(file, { force: true });
    await page.click('#download');
    return LevelLink.cellsOf((await downloaded(file)).toString('latin1'));
}

test('a ground tile picked and painted into the sky is shared by a link the game then plays, and Play opens it too', async () => {
    const { page, errors } = await openEditor();
    await paintGround(page, SHARED);
    await page.click('#share');
    await page.waitForFunction(() => !document.getElementById('share-link').hidden);
    const link = await page.$eval('#share-link', (anchor) => anchor.href);
    await page.screenshot({ path: shot('shared') });
    assert.match(link, /\/index\.html#level=1\.[A-Za-z0-9_-]+\.[A-Za-z0-9_-]{6}$/);
    assert.equal(await titleOf(page), 'Grubnosh map editor', 'Share saved the level first');

    const opened = new Promise((resolve) => web.browser.once('targetcreated', resolve));
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
    await paintGround(page, SAVED);
    assert.equal(await guardAsks(page), true, 'leaving with unsaved changes asks first');
    await press(page, '#save', /^Saved in this browser/);
    assert.equal(await guardAsks(page), false, 'nothing to lose once saved');

    await page.reload({ waitUntil: 'load' });
    await gameStarted(page);
    await frames(page, 5);
    const image = await canvasImage(page, shot('reloaded'));
    for (const cell of [SHARED, SAVED])
        assert.ok(await showsTile(page, image, cell.column * CELL - EDITOR_LEFT, cell.row * CELL, tileOf(standard, GROUND),
                                  tileOf(standard, cell)), `cell ${cell.column},${cell.row} is still painted`);

    const cells = await downloadedCells(page);
    assert.equal(cells[SAVED.row * COLUMNS + SAVED.column], tileOf(standard, GROUND), 'the download holds the level');
});

// The browser's storage refusing every save, as a full or switched-off one does.
function refuseStorage() {
    Storage.prototype.setItem = () => { throw new DOMException('The quota has been exceeded.', 'QuotaExceededError'); };
}

test('a save the browser refuses is said plainly, the level stays marked unsaved, and Download still gives it', async () => {
    const { page } = await openEditor({ beforeLoad: refuseStorage });
    const cell = { column: 4, row: 1 };
    await paintGround(page, cell);
    await press(page, '#save', /^Not saved in this browser, whose storage is off or full\. Download the map to keep it\.$/);
    assert.ok((await titleOf(page)).startsWith('*'), 'the title still marks the level unsaved');
    assert.equal(await guardAsks(page), true, 'leaving still asks first');
    const cells = await downloadedCells(page);
    assert.equal(cells[cell.row * COLUMNS + cell.column], tileOf(standard, GROUND), 'the download holds the level');
    assert.match(await page.$eval('#notice', (notice) => notice.textContent), /^Not saved in this browser.* downloaded as map\.dat/);
    await page.close();
});

test('a second tab saving another level is noticed: the first says so, and its level stays marked unsaved', async () => {
    // Only the tab in front draws, and so takes clicks.
    const [first, second] = [(await openEditor()).page, (await openEditor()).page];
    const toFront = async (page) => { await page.bringToFront(); await frames(page, 2); };
    await toFront(first);
    await paintGround(first, { column: 5, row: 1 });
    await press(first, '#save', /^Saved in this browser/);
    await toFront(second);
    await paintGround(second, { column: 2, row: 1 });
    await press(second, '#save', /^Saved in this browser/);
    await first.waitForFunction(() => document.getElementById('notice').textContent.startsWith('Another tab has saved its level'));
    assert.ok((await titleOf(first)).startsWith('*'), 'the first tab\'s title marks its level unsaved');
    assert.equal(await guardAsks(first), true, 'leaving the first tab asks first');
    await Promise.all([first.close(), second.close()]);
});

test('a damaged level link says so and plays the standard level', async () => {
    const fragment = LevelLink.encode(standard.flat().map((tile, cell) => (cell === 25 ? 12 : tile)));
    const tampered = fragment.replace(/\.(.)/, (_, digit) => `.${digit === 'A' ? 'B' : 'A'}`);
    const game = await playLink(`${web.server.url}index.html#${tampered}`, 'game-damaged');
    assert.match(game.note, /^This level link is damaged: .+ Here is the standard level\. Play the standard level$/);
    await assertSkyRow(game.page, game.image, standard, tileOf(standard, GROUND));
    assert.deepEqual(game.errors, []);
});

test('a file that is no map is refused with a message and the level stays; a damaged map opens as the editor reads it', async () => {
    const { page, console: log } = await openEditor();
    const painted = { column: 3, row: 2 };
    await paintGround(page, painted);
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
