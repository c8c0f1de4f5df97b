// The map editor's page. The editor itself takes the mouse, the wheel and the
// keys on the canvas as on the desktop, and saves with its own S; the tool bar
// adds what a page needs around it: keeping the map in the browser, opening
// one from the disk, downloading it, playing it and sharing it by a link.
//
// The page reads the editor's state where the editor leaves it: unsaved
// changes from its caption (the page's title, "*" first while there are any),
// and the map from the file it saves. Play, Share and Download save first, so
// that they give the level the user sees, and the level kept is the one shared.
'use strict';

(function () {
    const MAP = 'data/map.dat'; // the file the editor edits, in the program's file system
    const KEPT = 'grubnosh-level'; // where the browser keeps it
    const OPENED = 'grubnosh-opened'; // the name of a file just opened, for the next start
    const LARGEST_MAP_FILE = 64 * 1024;
    const KEY_S = 83;
    const FRAMES_TO_SAVE = 30; // the editor saves within a frame or two of its key

    const $ = (id) => document.getElementById(id);
    const panel = programPanel();
    const notice = $('notice');
    const shareLink = $('share-link');
    const fileInput = $('file');

    function say(text, kind = 'info') {
        notice.textContent = text;
        notice.className = kind;
    }

    // The editor draws nothing without WebGL; say so instead of leaving a black box.
    if (panel.lacksWebGL('This editor'))
        return;

    // Map files go through the page as bytes, one character a byte.
    const textOf = (bytes) => Array.from(bytes, (byte) => String.fromCharCode(byte)).join('');
    const bytesOf = (text) => Uint8Array.from(text, (character) => character.charCodeAt(0));
    const withoutComments = (text) => text.split('\n').filter((line) => !line.startsWith('##'));

    // The browser's storage may be switched off or full; the map then lasts as long as the page.
    function readKept() {
        try { return localStorage.getItem(KEPT); } catch (error) { return null; }
    }
    function keep(text) {
        try { localStorage.setItem(KEPT, text); return true; } catch (error) { return false; }
    }
    function takeOpenedName() {
        try {
            const name = sessionStorage.getItem(OPENED);
            sessionStorage.removeItem(OPENED);
            return name;
        } catch (error) { return null; }
    }

    const unsaved = () => document.title.startsWith('*');
    let leaving = false; // the page itself reloads, after asking
    window.addEventListener('beforeunload', (event) => {
        if (leaving || !unsaved()) return;
        event.preventDefault();
        event.returnValue = '';
    });

    // Whether the bytes can be a map at all: text, with at least one full row
    // of cells among its first eleven data lines. A damaged map passes, and the
    // editor opens it as it opens any damaged map, with its messages.
    function whyNotAMap(bytes) {
        if (bytes.length === 0) return 'it is empty';
        if (bytes.some((byte) => byte < 32 && byte !== 9 && byte !== 10 && byte !== 13)) return 'it is not text';
        const lines = withoutComments(textOf(bytes)).slice(0, 11);
        if (!lines.some((line) => /^[A-\x7f]{20}/.test(line))) return 'none of its lines is a row of 20 cells';
        return null;
    }

    // The map the editor saved last, kept in the browser as soon as it is saved
    // (with S, or a button); `saving` waits for one.
    let FS = null;
    let seen = null;
    let saving = null;
    function fileStamp() {
        const info = FS.stat(MAP);
        return `${info.ino} ${info.mtime.getTime()}`;
    }
    function keepSaves() {
        let stamp;
        try {
            stamp = fileStamp();
        } catch (error) {
            return; // the editor puts its file back with its next save
        }
        if (stamp !== seen) {
            seen = stamp;
            const text = textOf(FS.readFile(MAP));
            if (!keep(text))
                say('This browser keeps nothing for this page (its storage is off or full): Download the map to keep it.', 'error');
            if (saving) saving.resolve(text);
            saving = null;
        } else if (saving && ++saving.frames > FRAMES_TO_SAVE) {
            saving.reject(new Error('The map could not be saved: the editor\'s bottom line says why.'));
            saving = null;
        }
    }

    // Has the editor save, as its S does; resolves to the saved map file.
    function save() {
        if (saving) return saving.promise;
        Module.sendKey('keydown', KEY_S);
        Module.sendKey('keyup', KEY_S);
        saving = { frames: 0 };
        saving.promise = new Promise((resolve, reject) => Object.assign(saving, { resolve, reject }));
        return saving.promise;
    }

    // A link to the game page that carries the map.
    const linkTo = (text) => new URL(`index.html#${LevelLink.encode(LevelLink.cellsOf(text))}`, location.href).href;

    const actions = {
        save: async () => {
            await save();
            say('Saved in this browser: a reload or a later visit opens it.', 'done');
        },
        open: async () => fileInput.click(),
        download: async () => {
            const link = document.createElement('a');
            link.href = URL.createObjectURL(new Blob([bytesOf(await save())], { type: 'text/plain' }));
            link.download = 'map.dat';
            link.click();
            setTimeout(() => URL.revokeObjectURL(link.href), 1000);
            say('Saved, and downloaded as map.dat: the game and the editor on a computer read it from data/map.dat.', 'done');
        },
        play: async () => {
            const url = linkTo(await save());
            const game = window.open(url, '_blank');
            if (!game) location.href = url; // no new tab allowed: the level is saved, play it here
        },
        share: async () => {
            const url = linkTo(await save());
            shareLink.href = url;
            shareLink.textContent = url;
            shareLink.hidden = false;
            try {
                await navigator.clipboard.writeText(url);
                say('Saved, and the link is copied: whoever opens it plays this level.', 'done');
            } catch (error) {
                say('Saved. Copy the link below: whoever opens it plays this level.', 'done');
            }
        },
    };
    for (const [name, action] of Object.entries(actions))
        $(name).addEventListener('click', (event) => {
            event.currentTarget.blur(); // the keys go on to the editor
            if (FS) action().catch((error) => say(error.message, 'error'));
        });

    // Opening a map starts the editor afresh on it, through the engine's reader;
    // a file that cannot be a map is refused and the level stays as it is.
    fileInput.addEventListener('change', async () => {
        const file = fileInput.files[0];
        fileInput.value = ''; // the same file again is another choice
        if (!file) return;
        if (file.size > LARGEST_MAP_FILE) {
            say(`${file.name} was not opened: it holds ${Math.ceil(file.size / 1024)} KB, and a map file at most 64 KB.`, 'error');
            return;
        }
        const bytes = new Uint8Array(await file.arrayBuffer());
        const why = whyNotAMap(bytes);
        if (why) {
            say(`${file.name} was not opened: it is not a map (${why}).`, 'error');
            return;
        }
        if (unsaved() && !confirm(`Open ${file.name}? The changes not saved in this level are lost.`)) return;
        if (!keep(textOf(bytes))) {
            say(`${file.name} was not opened: this browser keeps nothing for this page (its storage is off or full).`, 'error');
            return;
        }
        try { sessionStorage.setItem(OPENED, file.name); } catch (error) { /* only the notice is lost */ }
        leaving = true;
        location.reload();
    });

    // A right click picks a tile, and the browser's menu stays away; Escape,
    // which quits the desktop editor, means nothing on a page that stays open.
    $('canvas').addEventListener('contextmenu', (event) => event.preventDefault());
    window.addEventListener('keydown', (event) => {
        if (event.code === 'Escape') event.stopImmediatePropagation();
    }, true);

    const opened = takeOpenedName();
    startProgram('grubnosh-editor', {
        canvas: $('canvas'),
        progress: panel.progress,
        // The kept map, or else the standard level, as the editor writes a map.
        beforeMain: (fs) => {
            FS = fs;
            const kept = readKept();
            const standard = withoutComments(textOf(FS.readFile(MAP))).join('\n');
            FS.writeFile(MAP, bytesOf(kept === null ? standard : kept));
            seen = fileStamp();
        },
        failed: (text) => panel.show(`The editor could not start. ${text}`, false),
        started: () => {
            panel.hide();
            if (opened) say(`Opened ${opened}: the editor's bottom line says how it read.`, 'done');
        },
        stopped: () => panel.show('The editor stopped with an error; the console says more.', true),
        ended: () => panel.show('The editor has ended.', true),
        module: { beforeFrame: keepSaves },
    });
})();
