// The map editor's own part of its page (the one template, page.js, starts
// it). The editor itself takes the mouse, the wheel and the keys on the canvas
// as on the desktop, and saves with its own S; the tool bar adds what a page
// needs around it: keeping the map in the browser, opening one from the disk,
// downloading it, playing it and sharing it by a link.
//
// The page reads the editor's state where the editor leaves it: unsaved
// changes from its caption (the page's title, "*" first while there are any),
// and the map from the file it saves, which levelstore.js keeps in the browser.
// Play, Share and Download save first, so that they give the level the user
// sees, and the level kept is the one shared. A save the browser does not keep
// is said, and the level stays marked unsaved.
'use strict';

(function () {
    const MAP = 'data/map.dat'; // the file the editor edits, in the program's file system
    const OPENED = 'grubnosh-opened'; // the name of a file just opened, for the next start
    const LARGEST_MAP_FILE = 64 * 1024;
    const KEY_S = 83;
    // What a save says when the browser kept nothing, and what to do then.
    const NOT_SAVED = 'Not saved in this browser, whose storage is off or full';
    const KEEP_IT = 'Download the map to keep it.';

    const $ = (id) => document.getElementById(id);
    const notice = $('notice');
    const shareLink = $('share-link');
    const fileInput = $('file');

    function say(text, kind = 'info') {
        notice.textContent = text;
        notice.className = kind;
    }

    // Map files go through the page as bytes, one character a byte.
    const textOf = (bytes) => Array.from(bytes, (byte) => String.fromCharCode(byte)).join('');
    const bytesOf = (text) => Uint8Array.from(text, (character) => character.charCodeAt(0));
    const withoutComments = (text) => text.split('\n').filter((line) => !line.startsWith('##'));

    function takeOpenedName() {
        try {
            const name = sessionStorage.getItem(OPENED);
            sessionStorage.removeItem(OPENED);
            return name;
        } catch (error) { return null; }
    }

    // The editor's caption begins with "*" while it has unsaved changes; the page
    // marks it too while the browser does not keep the level shown (a save it
    // refused, or another tab's save in its place), until a save is kept.
    let FS = null;
    const store = LevelStore.create(() => localStorage, {
        stamp: () => { const info = FS.stat(MAP); return `${info.ino} ${info.mtime.getTime()}`; },
        text: () => textOf(FS.readFile(MAP)),
        pressSave: () => { Module.sendKey('keydown', KEY_S); Module.sendKey('keyup', KEY_S); },
    });
    let markedByPage = false;
    function markTitle() {
        const marked = document.title.startsWith('*');
        if (!store.kept && !marked) document.title = `*${document.title}`;
        else if (store.kept && markedByPage && marked) document.title = document.title.slice(1);
        markedByPage = !store.kept;
    }
    const unsaved = () => document.title.startsWith('*') || !store.kept;
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

    // A save made with the editor's own S is kept as the buttons' saves are.
    function keepSaves() {
        const saved = store.frame();
        if (saved && !saved.kept) say(`${NOT_SAVED}. ${KEEP_IT}`, 'error');
        markTitle();
    }
    window.addEventListener('storage', (event) => {
        if (!store.replaced(event)) return;
        markTitle();
        say('Another tab has saved its level in this browser, in place of this one: Save here to keep this one ' +
            'instead, or Download it to keep both.', 'error');
    });

    // An action's words once its save is kept, or else that nothing was kept and what it did.
    function tell(saved, done, unkept) {
        if (saved.kept) say(done, 'done'); else say(`${NOT_SAVED}. ${unkept}`, 'error');
    }

    // A link to the game page that carries the map.
    const linkTo = (text) => new URL(`index.html#${LevelLink.encode(LevelLink.cellsOf(text))}`, location.href).href;

    const actions = {
        save: async () => {
            tell(await store.save(), 'Saved in this browser: a reload or a later visit opens it.', KEEP_IT);
        },
        open: async () => fileInput.click(),
        download: async () => {
            const saved = await store.save();
            const link = document.createElement('a');
            link.href = URL.createObjectURL(new Blob([bytesOf(saved.text)], { type: 'text/plain' }));
            link.download = 'map.dat';
            link.click();
            setTimeout(() => URL.revokeObjectURL(link.href), 1000);
            tell(saved, 'Saved, and downloaded as map.dat: the game and the editor on a computer read it from data/map.dat.',
                 'It is downloaded as map.dat.');
        },
        play: async () => {
            const saved = await store.save();
            const url = linkTo(saved.text);
            const game = window.open(url, '_blank');
            if (!game) location.href = url; // no new tab allowed: play it here (asked first if nothing was kept)
            else if (!saved.kept) say(`${NOT_SAVED}. The level plays in the new tab.`, 'error');
        },
        share: async () => {
            const saved = await store.save();
            const url = linkTo(saved.text);
            shareLink.href = url;
            shareLink.textContent = url;
            shareLink.hidden = false;
            let copied = 'the link is copied';
            try { await navigator.clipboard.writeText(url); } catch (error) { copied = 'copy the link below'; }
            tell(saved, `Saved, and ${copied}: whoever opens it plays this level.`, `Whoever opens the link plays this level (${copied}).`);
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
        if (!store.keep(textOf(bytes))) {
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
    pageParts.push({
        // The kept map, or else the standard level, as the editor writes a map.
        beforeMain: (fs) => {
            FS = fs;
            const standard = withoutComments(textOf(FS.readFile(MAP))).join('\n');
            store.start((kept) => FS.writeFile(MAP, bytesOf(kept === null ? standard : kept)));
        },
        started: () => {
            if (opened) say(`Opened ${opened}: the editor's bottom line says how it read.`, 'done');
        },
        beforeFrame: keepSaves,
    });
})();
