// The game's page: one button for every kind of device. A touch, a pen or a
// mouse held anywhere on the game, a gamepad button or the space bar all hold
// the game's Space; the page scales the picture to the window, goes fullscreen,
// and takes a screenshot through the game's own F2.
'use strict';

(function () {
    const KEY_SPACE = 32;
    const KEY_F2 = 113;

    const play = document.getElementById('play');
    const panel = programPanel();
    const fullscreen = document.getElementById('fullscreen');
    const screenshot = document.getElementById('screenshot');
    const padNote = document.getElementById('pad');

    // The game draws nothing without WebGL; say so instead of leaving a black box.
    if (panel.lacksWebGL('This game'))
        return;

    // Whatever holds the game's Space: 'keys', 'pad', or the id of a pointer.
    // Several at once are one hold; the game sees the space bar go down when
    // the first one starts and up when the last one ends.
    const holders = new Set();
    let spaceDown = false; // as the game last heard it
    function tellGame() {
        const held = holders.size > 0;
        if (held !== spaceDown && window.Module && Module.sendKey) {
            Module.sendKey(held ? 'keydown' : 'keyup', KEY_SPACE);
            spaceDown = held;
        }
    }
    function hold(holder, held) {
        if (held) holders.add(holder); else holders.delete(holder);
        tellGame();
    }
    function letGo() {
        for (const holder of [...holders]) hold(holder, false);
    }
    // Nothing stays held while the player is elsewhere.
    window.addEventListener('blur', letGo);
    document.addEventListener('visibilitychange', () => { if (document.hidden) letGo(); });

    function pressKey(keyCode) {
        if (!(window.Module && Module.sendKey)) return; // no game yet: a run is offered first
        Module.sendKey('keydown', keyCode);
        Module.sendKey('keyup', keyCode);
    }

    function toggleFullscreen() {
        if (document.fullscreenElement) document.exitFullscreen();
        else play.requestFullscreen().catch(() => {});
    }
    fullscreen.hidden = !document.fullscreenEnabled;
    fullscreen.addEventListener('click', () => { toggleFullscreen(); fullscreen.blur(); });
    screenshot.addEventListener('click', () => { pressKey(KEY_F2); screenshot.blur(); });

    // When the browser has just left fullscreen on Escape, it may still hand the
    // key to the page.
    let leftFullscreenAt = -Infinity;
    document.addEventListener('fullscreenchange', () => {
        if (!document.fullscreenElement) leftFullscreenAt = performance.now();
    });
    const escapeLeavesFullscreen = () => document.fullscreenElement || performance.now() - leftFullscreenAt < 500;

    // Ahead of the game's own keyboard handler: the space bar is one holder among
    // the others, F toggles fullscreen, and an Escape that leaves fullscreen is
    // the browser's, not the game's.
    function onKey(event) {
        const down = event.type === 'keydown';
        if (event.code === 'Space') {
            event.preventDefault();
            event.stopImmediatePropagation();
            if (!event.repeat) hold('keys', down);
        } else if (event.code === 'Escape' && escapeLeavesFullscreen()) {
            event.stopImmediatePropagation();
            if (document.fullscreenElement) document.exitFullscreen();
        } else if (event.code === 'KeyF' && down && !event.repeat && !event.ctrlKey && !event.altKey && !event.metaKey) {
            if (!fullscreen.hidden) toggleFullscreen();
        } else if (event.code === 'F2') {
            event.preventDefault(); // some browsers take it for themselves
        }
    }
    window.addEventListener('keydown', onKey, true);
    window.addEventListener('keyup', onKey, true);

    // Touch, pen and mouse anywhere on the page but its buttons (a finger that
    // misses the picture on a phone still plays): each pointer holds until it is
    // lifted, cancelled or leaves the page.
    const page = document.documentElement;
    page.addEventListener('pointerdown', (event) => {
        if (event.target.closest('button') || (event.pointerType === 'mouse' && event.button !== 0)) return;
        event.preventDefault();
        hold(event.pointerId, true);
    });
    for (const type of ['pointerup', 'pointercancel', 'pointerleave'])
        page.addEventListener(type, (event) => hold(event.pointerId, false));
    page.addEventListener('contextmenu', (event) => event.preventDefault());

    // Read once a frame, just before the game's frame: any button of any pad holds.
    function readPads() {
        const pads = [...(navigator.getGamepads ? navigator.getGamepads() : [])].filter((pad) => pad && pad.connected);
        padNote.hidden = pads.length === 0;
        hold('pad', pads.some((pad) => pad.buttons.some((button) => button.pressed)));
    }

    // On a touch screen the keys mean nothing.
    const howto = document.getElementById('howto');
    const keysHowto = howto.innerHTML;
    const coarse = matchMedia('(pointer: coarse)');
    const explain = () => { if (coarse.matches) howto.textContent = 'Touch and hold to fly'; else howto.innerHTML = keysHowto; };
    coarse.addEventListener('change', explain);
    explain();

    // A level carried by the link replaces the standard map before the game
    // starts, where the game reads it; the game's own reader still reads it. A
    // damaged link plays the standard level and says why.
    function sharedLevel() {
        const fragment = location.hash.slice(1);
        if (!LevelLink.carriesLevel(fragment)) return null;
        const note = document.getElementById('level');
        note.hidden = false;
        try {
            const map = LevelLink.mapText(LevelLink.decode(fragment));
            note.firstChild.textContent = 'Playing a shared level';
            return map;
        } catch (error) {
            note.firstChild.textContent = `This level link is damaged: ${error.message}. Here is the standard level.`;
            note.classList.add('damaged');
            return null;
        }
    }
    const level = sharedLevel();
    // Another level in the same tab is another game.
    window.addEventListener('hashchange', () => location.reload());

    // A file the game writes (its screenshot) is offered as a download.
    const download = (name) => GameRuns.offerFile(name.split('/').pop(), Module.FS.readFile(name), 'image/bmp');

    // Every game is recorded, and a run can be watched or tried (runs.js).
    GameRuns.start(panel, {
        canvas: document.getElementById('canvas'),
        progress: panel.progress,
        failed: (text) => panel.show(`The game could not start. ${text}`, false),
        beforeMain: (FS) => { if (level) FS.writeFile('data/map.dat', level); },
        started: () => { panel.hide(); tellGame(); },
        stopped: () => panel.show('The game stopped with an error; the console says more.', true),
        ended: () => panel.show('The game has ended. Thanks for playing!', true),
        module: { beforeFrame: readPads, onFileWritten: download },
    }, (page) => startProgram('grubnosh', page));
})();
