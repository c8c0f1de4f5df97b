// The browser build in headless chromium with software WebGL: time from
// navigation to the first frame on the canvas, then the frame rate and frame
// times held over a stretch of play, and the size of the folder served.
// Frames are counted at the one clear each frame begins with. Asserts nothing.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { serveFolder, launchChromium, pause } = require('../tests/web/browser');

const site = path.resolve(process.argv[2] || 'build-web');
const seconds = Number(process.argv[3] || 10);

function folderBytes(folder) {
    return fs.readdirSync(folder, { withFileTypes: true }).reduce((sum, entry) => {
        const full = path.join(folder, entry.name);
        return sum + (entry.isDirectory() ? folderBytes(full) : fs.statSync(full).size);
    }, 0);
}

function clockFrames() {
    window.frameClock = { clears: [], firstShown: 0 };
    const clear = WebGLRenderingContext.prototype.clear;
    WebGLRenderingContext.prototype.clear = function (...mask) {
        const clock = window.frameClock;
        if (clock.clears.push(performance.now()) === 1)
            requestAnimationFrame(() => { clock.firstShown = performance.now(); });
        return clear.apply(this, mask);
    };
}

(async () => {
    const server = await serveFolder(site);
    const browser = await launchChromium();
    try {
        const page = await browser.newPage();
        await page.evaluateOnNewDocument(clockFrames);
        await page.goto(server.url, { waitUntil: 'load' });
        await page.waitForFunction(() => window.frameClock.firstShown > 0, { timeout: 30000 });
        await pause(1000);
        const from = await page.evaluate(() => window.frameClock.clears.length);
        await pause(seconds * 1000);
        const { firstShown, clears } = await page.evaluate(() => window.frameClock);
        const times = clears.slice(from);
        const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
        const mean = gaps.reduce((sum, gap) => sum + gap, 0) / gaps.length;
        const p99 = gaps[Math.max(0, Math.floor(gaps.length * 0.99) - 1)];
        const fps = (times.length - 1) / ((times[times.length - 1] - times[0]) / 1000);
        console.log(`${'web'.padEnd(6)} ${String(times.length).padStart(8)} ${firstShown.toFixed(1).padStart(16)} ` +
                    `${mean.toFixed(3).padStart(10)} ${p99.toFixed(3).padStart(10)}   ` +
                    `${fps.toFixed(1)} frames/s, folder ${(folderBytes(site) / 1024).toFixed(0)} KiB`);
    } finally {
        await browser.close();
        server.close();
    }
})();
