// The page scripts' own logic, run by Node without a browser: the level and
// run links' codecs and the editor page's saves, loaded from src/web as the
// pages load them.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');

const root = path.resolve(__dirname, '../..');
const LevelLink = require(path.join(root, 'src/web/levellink.js'));
const LevelStore = require(path.join(root, 'src/web/levelstore.js'));
const RunLink = require(path.join(root, 'src/web/runlink.js'));

const CELLS = 220;
const standard = fs.readFileSync(path.join(root, 'data/map.dat'), 'latin1').split('\n')
    .filter((line) => line !== '' && !line.startsWith('##'))
    .flatMap((line) => [...line.slice(0, 20)].map((character) => character.charCodeAt(0) - 65));

test('a level link carries any map in a few hundred characters and refuses one that is cut, changed, too long or the wrong size', () => {
    const fragment = LevelLink.encode(standard);
    assert.deepEqual(LevelLink.decode(fragment), standard);
    const busiest = standard.map((_, cell) => (cell * 7) % 63); // no two neighbours alike
    assert.deepEqual(LevelLink.decode(LevelLink.encode(busiest)), busiest);
    assert.ok(LevelLink.encode(busiest).length <= 240, `the longest map takes ${LevelLink.encode(busiest).length} characters`);
    assert.deepEqual(LevelLink.cellsOf(LevelLink.mapText(busiest)), busiest);

    const damaged = [
        ['cut short', fragment.slice(0, -10), /cut short or changed/],
        ['a digit changed', fragment.replace(/\.(.)/, (_, digit) => `.${digit === 'A' ? 'B' : 'A'}`), /cut short or changed/],
        ['another version', fragment.replace('level=1.', 'level=2.'), /not a level link this game reads/],
        ['too long', `${fragment}${'A'.repeat(300)}`, /characters long, more than any level needs/],
        // Links made as a link is made, their checks right, around the wrong cells.
        ['a cell short', LevelLink.encode(standard.slice(1)), /its map has 219 cells where a map has 220/],
        ['a cell over', LevelLink.encode([...standard, 5]), /more than 220 cells/],
        ['a repeat first', LevelLink.encode([63, ...standard]), /a repeat in it counts nothing/],
    ];
    for (const [name, link, message] of damaged)
        assert.throws(() => LevelLink.decode(link), message, name);
});

test('a run link refuses a run that is changed, cut, too long, foreign or of another format, saying why', () => {
    const run = fs.readFileSync(path.join(root, 'tests/runs/escape.tqrun'), 'latin1');
    assert.equal(RunLink.decode(RunLink.encode(run)).bytes, run);
    const refused = [
        [`${run.slice(0, -9)}x${run.slice(-8)}`, /^is damaged: its body does not match its check sum$/],
        [run.slice(0, -40), /^is cut short: its body holds \d+ of 161 bytes$/],
        ['x'.repeat(7000), /^is \d+ characters long, more than a run link may be \(8192\)$/],
        [fs.readFileSync(path.join(root, 'data/sprites/0.png'), 'latin1'), /^is not a Torvane Quillet run$/],
        [run.replace('torvane-run 1', 'torvane-run 2'), /^is of format version 2; this build reads version 1$/],
        [run.replace('program Grubnosh', 'program Engine examples'), /^is a run of "Engine examples", not of "Grubnosh"$/],
    ];
    for (const [bytes, problem] of refused)
        assert.throws(() => RunLink.decode(RunLink.encode(bytes)), { message: problem }, problem.source);
});

test('maps made of runs of every length, the blank map among them, come back from their links as they went', () => {
    for (let run = 1; run <= CELLS; ++run) {
        const cells = Array.from({ length: CELLS }, (_, cell) => (Math.floor(cell / run) % 2 ? 62 : 0));
        assert.deepEqual(LevelLink.decode(LevelLink.encode(cells)), cells, `runs of ${run} cells`);
    }
});

// The editor's page around stand-ins: an editor that saves what it shows (none:
// it cannot save) as a new file in the frame after its S, and a browser storage
// that refuses while `refusing` says so.
function editorPage() {
    const kept = new Map();
    const page = { refusing: false, shows: '', file: { stamp: 0, text: '' }, pressed: false, kept: () => kept.get('grubnosh-level') };
    const storage = {
        getItem: (key) => kept.get(key) ?? null,
        setItem: (key, value) => { if (page.refusing) throw new Error('QuotaExceededError'); kept.set(key, value); },
    };
    page.store = LevelStore.create(() => storage, { stamp: () => page.file.stamp, text: () => page.file.text,
                                                    pressSave: () => { page.pressed = true; } });
    page.store.start(() => {});
    // Frames as the page runs them: the page looks for a save, then the editor draws.
    page.frames = (count) => {
        for (let frame = 0; frame < count; ++frame, page.pressed = false) {
            page.store.frame();
            if (page.pressed && page.shows !== null) page.file = { stamp: page.file.stamp + 1, text: page.shows };
        }
    };
    page.save = (shows) => { page.shows = shows; const saved = page.store.save(); page.frames(2); return saved; };
    return page;
}

test('every save of the editor\'s page gives the latest edits, and says whether the browser kept them', async () => {
    const page = editorPage();
    for (const [level, refusing] of [['painted once', false], ['painted twice', false], ['painted again', true], ['and again', false]]) {
        page.refusing = refusing;
        assert.deepEqual(await page.save(level), { text: level, kept: !refusing }, level);
        assert.equal(page.store.kept, !refusing, `${level}: the page shows whether it is kept`);
        assert.equal(page.kept(), refusing ? 'painted twice' : level, `${level}: the level the browser keeps`);
    }
    const refused = page.save(null);
    page.frames(30);
    await assert.rejects(refused, /could not be saved/);
});
