// The page of a project that torvane-new made, built from an installed kit
// (new-project-test.sh names its site in GRUBNOSH_WEB_SITE and the project in
// PROJECT): played in headless chromium, where whatever holds the key the
// project names, the right arrow, moves the pig, and the Screenshot button
// keeps the picture. Pictures are kept in ./web-shots/new-project for a look.
'use strict';

const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { playSite, launchChromium, canvasImage, decodeImage, downloaded, frames, until, pigRight } = require('../web/browser');

const shots = path.resolve('web-shots', 'new-project');
const web = playSite(shots, () => launchChromium(shots));
const project = process.env.PROJECT;
const PHONE = { width: 390, height: 844, isMobile: true, hasTouch: true };

const HOLDERS = [
    ['a mouse button', undefined, async (page, [x, y]) => {
        await page.mouse.move(x, y);
        await page.mouse.down();
        return () => page.mouse.up();
    }],
    ['a finger on a phone', PHONE, async (page, [x, y]) => {
        const finger = await page.touchscreen.touchStart(x, y);
        return () => finger.end();
    }],
];
for (const [holder, viewport, press] of HOLDERS) {
    test(`${holder} held on the page moves the pig right, and letting go stops it`, async () => {
        const { page, errors } = await web.start(web.server.url, { viewport });
        assert.equal(await page.title(), project);
        const pigAt = async (moment) => pigRight(await canvasImage(page, path.join(shots, `${holder}-${moment}.png`)));
        const resting = await pigAt('resting');
        const box = await page.$eval('canvas', (canvas) => canvas.getBoundingClientRect().toJSON());
        const release = await press(page, [box.x + box.width / 2, box.y + box.height * 0.8]);
        let held;
        await until(page, async () => (held = await pigAt('held')) - resting > 40, `the pig moving right from ${resting}`);
        await release();
        await frames(page, 2);
        const letGo = await pigAt('let-go');
        await frames(page, 20);
        assert.equal(await pigAt('later'), letGo, `the pig stays where it was let go, after ${resting} and ${held}`);
        assert.deepEqual(errors, []);
        await page.close();
    });
}

test('the Screenshot button keeps the picture as NAME.png', async () => {
    const { page } = await web.start(web.server.url);
    const file = path.join(shots, `${project}.png`);
    fs.rmSync(file, { force: true });
    await page.click('#screenshot');
    const shot = await decodeImage(page, await downloaded(file), 'image/png');
    assert.deepEqual([shot.width, shot.height], [640, 480]);
    assert.ok(pigRight(shot) > 300, 'the pig is in the picture');
    await page.close();
});
