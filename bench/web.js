// The browser build in headless chromium with software WebGL, one or more
// builds side by side (the batched renderer and the previous one, say): time
// from navigation to the first frame on the canvas; over a stretch of play the
// frame rate, mean and 99th-percentile frame interval, WebGL draw calls a
// frame, the page's main-thread time a frame and the processor time all of the
// browser's processes spend a frame (which other work on the machine disturbs
// least); and the size of the code.
// Frames are counted at the one clear each frame begins with. Asserts nothing.
// Usage: node bench/web.js SECONDS FOLDER...
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { serveFolder, launchChromium, pause } = require('../tests/web/browser');

const seconds = Number(process.argv[2] || 10);
const sites = process.argv.slice(3).map((folder) => path.resolve(folder));
const WARM_UP = 1000; // milliseconds of play left out: start-up and the first frames

// Runs in the page before its scripts: stamps each frame's clear and counts the
// draw calls between two clears.
function clockFrames() {
    window.frameClock = { clears: [], draws: [], firstShown: 0 };
    const gl = WebGLRenderingContext.prototype;
    const clear = gl.clear;
    gl.clear = function (...mask) {
        const clock = window.frameClock;
        if (clock.clears.push(performance.now()) === 1)
            requestAnimationFrame(() => { clock.firstShown = performance.now(); });
        clock.draws.push(0);
        return clear.apply(this, mask);
    };
    for (const name of ['drawArrays', 'drawElements']) {
        const draw = gl[name];
        gl[name] = function (...args) {
            const draws = window.frameClock.draws;
            if (draws.length > 0) ++draws[draws.length - 1];
            return draw.apply(this, args);
        };
    }
}

const mean = (values) => values.reduce((sum, value) => sum + value, 0) / values.length;

async function taskSeconds(page) {
    return (await page.metrics()).TaskDuration;
}

async function browserCpuSeconds(session) {
    const { processInfo } = await session.send('SystemInfo.getProcessInfo');
    return processInfo.reduce((sum, process) => sum + process.cpuTime, 0);
}

async function measure(browser, site) {
    const server = await serveFolder(site);
    const page = await browser.newPage();
    const session = await browser.target().createCDPSession();
    try {
        await page.evaluateOnNewDocument(clockFrames);
        await page.goto(server.url, { waitUntil: 'load' });
        await page.waitForFunction(() => window.frameClock.firstShown > 0, { timeout: 30000 });
        await pause(WARM_UP);
        const from = await page.evaluate(() => window.frameClock.clears.length);
        const [taskFrom, cpuFrom] = [await taskSeconds(page), await browserCpuSeconds(session)];
        await pause(seconds * 1000);
        const [taskTo, cpuTo] = [await taskSeconds(page), await browserCpuSeconds(session)];
        const { firstShown, clears, draws } = await page.evaluate(() => window.frameClock);
        const times = clears.slice(from);
        const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
        const size = (name) => fs.statSync(path.join(site, name)).size / 1000;
        return {
            firstShown,
            fps: (times.length - 1) / ((times[times.length - 1] - times[0]) / 1000),
            mean: mean(gaps),
            p99: gaps[Math.max(0, Math.floor(gaps.length * 0.99) - 1)],
            // The last frame may still be drawing.
            draws: mean(draws.slice(from, -1)),
            mainThread: ((taskTo - taskFrom) * 1000) / (times.length - 1),
            cpu: ((cpuTo - cpuFrom) * 1000) / (times.length - 1),
            js: size('grubnosh.js'),
            wasm: size('grubnosh.wasm'),
        };
    } finally {
        await session.detach();
        await page.close();
        server.close();
    }
}

const ROWS = [
    ['first frame ms', (r) => r.firstShown.toFixed(0)],
    ['frames/s', (r) => r.fps.toFixed(1)],
    ['mean frame ms', (r) => r.mean.toFixed(2)],
    ['p99 frame ms', (r) => r.p99.toFixed(2)],
    ['p99 / mean', (r) => (r.p99 / r.mean).toFixed(2)],
    ['draw calls/frame', (r) => r.draws.toFixed(1)],
    ['main thread ms/frame', (r) => r.mainThread.toFixed(2)],
    ['browser CPU ms/frame', (r) => r.cpu.toFixed(2)],
    ['grubnosh.js kB', (r) => r.js.toFixed(1)],
    ['grubnosh.wasm kB', (r) => r.wasm.toFixed(1)],
    ['js + wasm kB', (r) => (r.js + r.wasm).toFixed(1)],
];

(async () => {
    const browser = await launchChromium();
    try {
        const results = [];
        for (const site of sites) results.push(await measure(browser, site));
        const width = 18;
        console.log(''.padEnd(22) + sites.map((site) => path.basename(site).padStart(width)).join(''));
        for (const [label, format] of ROWS)
            console.log(label.padEnd(22) + results.map((result) => format(result).padStart(width)).join(''));
    } finally {
        await browser.close();
    }
})();
