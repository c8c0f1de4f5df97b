// A program's page, as torvane_add_web_page makes it: starts the program its
// <body> names, says how the start goes and offers to start again once it has
// ended; goes fullscreen (the button, or F); takes screenshots; offers what the
// program writes as a download. On a page that names a key to hold, a touch, a
// pen or a mouse held anywhere on it, any button of a gamepad and the key itself
// all hold that key. The page's own scripts, which run before this one, add
// their parts to pageParts (loader.js).
'use strict';

(function () {
    const settings = document.body.dataset;
    const noun = settings.noun;
    const [holdKey, holdCode] = (settings.hold || '').split(' ');
    const [screenshotKey, screenshotCode] = (settings.screenshot || '').split(' ');

    const program = document.getElementById('program');
    const canvas = document.getElementById('canvas');
    const fullscreen = document.getElementById('fullscreen');
    const screenshot = document.getElementById('screenshot');
    const padNote = document.getElementById('pad');
    const panel = programPanel();

    // The program draws nothing without WebGL; say so instead of leaving a black box.
    if (panel.lacksWebGL(`This ${noun}`))
        return;
    const partsDo = (hook, ...values) => pageParts.forEach((part) => part[hook] && part[hook](...values));

    // Whatever holds the key: 'keys', 'pad', or the id of a pointer. Several at
    // once are one hold; the program sees the key go down when the first one
    // starts and up when the last one ends.
    const holders = new Set();
    let keyDown = false; // as the program last heard it
    function tellProgram() {
        const held = holders.size > 0;
        if (holdKey && held !== keyDown && window.Module && Module.sendKey) {
            Module.sendKey(held ? 'keydown' : 'keyup', Number(holdKey));
            keyDown = held;
        }
    }
    function hold(holder, held) {
        if (held) holders.add(holder); else holders.delete(holder);
        tellProgram();
    }
    // Nothing stays held while the player is elsewhere.
    const letGo = () => [...holders].forEach((holder) => hold(holder, false));
    window.addEventListener('blur', letGo);
    document.addEventListener('visibilitychange', () => { if (document.hidden) letGo(); });

    function toggleFullscreen() {
        if (document.fullscreenElement) document.exitFullscreen();
        else program.requestFullscreen().catch(() => {});
    }
    fullscreen.hidden = !document.fullscreenEnabled;
    fullscreen.addEventListener('click', () => { toggleFullscreen(); fullscreen.blur(); });

    // When the browser has just left fullscreen on Escape, it may still hand the
    // key to the page.
    let leftFullscreenAt = -Infinity;
    document.addEventListener('fullscreenchange', () => {
        if (!document.fullscreenElement) leftFullscreenAt = performance.now();
    });
    const escapeLeavesFullscreen = () => document.fullscreenElement || performance.now() - leftFullscreenAt < 500;

    // Ahead of the program's own keyboard handler: the held key is one holder
    // among the others, F toggles fullscreen, and an Escape that leaves
    // fullscreen is the browser's, not the program's.
    function onKey(event) {
        const down = event.type === 'keydown';
        if (holdKey && event.code === holdCode) {
            event.preventDefault();
            event.stopImmediatePropagation();
            if (!event.repeat) hold('keys', down);
        } else if (event.code === 'Escape' && escapeLeavesFullscreen()) {
            event.stopImmediatePropagation();
            if (document.fullscreenElement) document.exitFullscreen();
        } else if (event.code === 'KeyF' && !event.ctrlKey && !event.altKey && !event.metaKey) {
            event.stopImmediatePropagation();
            if (down && !event.repeat && !fullscreen.hidden) toggleFullscreen();
        } else if (screenshotKey && event.code === screenshotCode) {
            event.preventDefault(); // some browsers take it for themselves
        }
    }
    window.addEventListener('keydown', onKey, true);
    window.addEventListener('keyup', onKey, true);

    // A file the program writes (its screenshot) is offered as a download.
    function offer(name, bytes, type) {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([bytes], { type }));
        link.download = name.split('/').pop();
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }
    const fileWritten = (name) => offer(name, Module.FS.readFile(name), /\.bmp$/i.test(name) ? 'image/bmp' : '');
    // A program with a screenshot key of its own gets it pressed; for any other,
    // the page keeps the next frame, copied as soon as it is drawn.
    let keepNextFrame = false;
    function afterFrame() {
        if (!keepNextFrame) return;
        keepNextFrame = false;
        const copy = Object.assign(document.createElement('canvas'), { width: canvas.width, height: canvas.height });
        copy.getContext('2d').drawImage(canvas, 0, 0);
        copy.toBlob((png) => offer(`${settings.program}.png`, png, 'image/png'));
    }
    screenshot.addEventListener('click', () => {
        if (screenshotKey) {
            // No program yet when a part of the page offers something first.
            if (window.Module && Module.sendKey) {
                Module.sendKey('keydown', Number(screenshotKey));
                Module.sendKey('keyup', Number(screenshotKey));
            }
        } else {
            keepNextFrame = true;
        }
        screenshot.blur();
    });

    // Read once a frame, just before the program's frame: any button of any pad holds.
    function readPads() {
        const pads = [...(navigator.getGamepads ? navigator.getGamepads() : [])].filter((pad) => pad && pad.connected);
        padNote.hidden = pads.length === 0;
        hold('pad', pads.some((pad) => pad.buttons.some((button) => button.pressed)));
    }

    if (holdKey) {
        const holdTo = settings.holdTo ? ` to ${settings.holdTo}` : '';
        padNote.textContent = `Gamepad connected: hold any button${holdTo}`;
        // Touch, pen and mouse anywhere on the page but its controls (a finger
        // that misses the picture on a phone still plays): each pointer holds
        // until it is lifted, cancelled or leaves the page.
        const page = document.documentElement;
        page.addEventListener('pointerdown', (event) => {
            if (event.target.closest('button, a, input') || (event.pointerType === 'mouse' && event.button !== 0)) return;
            event.preventDefault();
            hold(event.pointerId, true);
        });
        for (const type of ['pointerup', 'pointercancel', 'pointerleave'])
            page.addEventListener(type, (event) => hold(event.pointerId, false));
        page.addEventListener('contextmenu', (event) => event.preventDefault());

        // On a touch screen the keys mean nothing.
        const howto = document.getElementById('howto');
        const keysHowto = howto && howto.innerHTML;
        const coarse = matchMedia('(pointer: coarse)');
        const explain = () => {
            if (!howto) return;
            if (coarse.matches) howto.textContent = `Touch and hold${holdTo}`; else howto.innerHTML = keysHowto;
        };
        coarse.addEventListener('change', explain);
        explain();
    }

    const page = {
        canvas,
        root: settings.root,
        progress: panel.progress,
        failed: (text) => panel.show(`The ${noun} could not start. ${text}`, false),
        beforeMain: (FS) => partsDo('beforeMain', FS),
        started: () => { panel.hide(); tellProgram(); partsDo('started'); },
        stopped: () => panel.show(`The ${noun} stopped with an error; the console says more.`, true),
        ended: (status) => { panel.show(`The ${noun} has ended.`, true); partsDo('ended', status); },
        // The engine's own loaders read the files, so the runtime need not decode them beforehand.
        module: {
            arguments: settings.arguments ? settings.arguments.split(' ') : [],
            noImageDecoding: true,
            noAudioDecoding: true,
            beforeFrame: () => { if (holdKey) readPads(); partsDo('beforeFrame'); },
            afterFrame,
            onFileWritten: fileWritten,
        },
    };
    // A part of the page may decide when and how the program starts (the
    // game's runs offer a run first); else it starts at once.
    const start = (startSettings) => startProgram(settings.program, startSettings);
    const launcher = pageParts.find((part) => part.launch);
    if (launcher) launcher.launch(page, start, panel);
    else start(page);
})();
