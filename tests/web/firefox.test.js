// The smoke cases in Debian's firefox-esr, beside chromium's fuller runs: the
// game lifts the pig, the editor shares a level that plays, every example page
// starts, and hello's pig moves under the held right arrow. Run under scripts/with-xvfb.sh, as firefox has WebGL only with a display.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { root, playSite, launchFirefox, EDITOR_MAP, paintGround, assertHoldLifts, assertArrowMoves } = require('./browser');

const LevelLink = require(path.join(root, 'src/web/levellink.js'));
const shots = path.resolve('web-shots', 'firefox');
const web = playSite(shots, launchFirefox);

test('holding Space lifts the pig, and it falls back after release', async () => {
    const { page, errors } = await web.start(web.server.url);
    // The space bar by its character: firefox's driver does not know it by its name.
    await assertHoldLifts(page, path.join(shots, 'space'), () => page.keyboard.down(' '), () => page.keyboard.up(' '));
    assert.deepEqual(errors, []);
    await page.close();
});

test('a level painted in the editor is shared by a link, which the game plays', async () => {
    const { page, errors } = await web.start(`${web.server.url}editor.html`);
    const painted = { column: 6, row: 1 };
    await paintGround(page, painted);
    await page.click('#share');
    await page.waitForFunction(() => !document.getElementById('share-link').hidden);
    const link = await page.$eval('#share-link', (anchor) => anchor.href);
    const cells = LevelLink.decode(new URL(link).hash.slice(1));
    const at = ({ column, row }) => cells[row * 20 + column];
    assert.equal(at(painted), at(EDITOR_MAP.ground), 'the link carries the painted cell');
    const game = await web.start(link);
    assert.match(await game.page.$eval('#level', (line) => line.textContent), /^Playing a shared level/);
    assert.deepEqual([...errors, ...game.errors], []);
    await Promise.all([page.close(), game.page.close()]);
});

test('every example page starts its example, and the right arrow held moves hello\'s pig', async () => {
    for (const name of ['hello', 'text', 'actors', 'tiles', 'audio']) {
        const { page, errors } = await web.start(`${web.server.url}examples/${name}.html`);
        if (name === 'hello')
            await assertArrowMoves(page, path.join(shots, 'hello'), () => page.keyboard.down('ArrowRight'),
                                   () => page.keyboard.up('ArrowRight'));
        assert.deepEqual(errors, [], name);
        await page.close();
    }
});
