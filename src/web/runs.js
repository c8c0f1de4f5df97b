// The game's runs on its page. Every game is recorded (the engine writes the
// run when the game ends); the page then offers to watch it again, to share it
// by a link and to download it, and keeps the best one in this browser. A run
// opened from a link or a file is described and offered to watch, or to try
// to beat: every game meets the same flying objects, so a try is a game like
// any other, set against the run at its end. A replay records nothing the page
// keeps, so it never takes the place of the player's run or best run.
//
// The game starts with a run in one way (startWith): at once on a page whose
// game has not run yet, else by loading the page again with the request kept
// in sessionStorage for that load, so that the runtime starts clean.
'use strict';

(function () {
    const RECORDED = 'runs/played.tqrun'; // in the program's file system: the run the engine records
    const WATCHED = 'runs/watched.tqrun'; // and the one it replays
    const REQUEST = 'grubnosh-run-request'; // sessionStorage: what the next load of the page does
    const BEST = 'grubnosh-best-run'; // localStorage: the best run's bytes
    const KEY_ESCAPE = 27;
    const LIVES = 2; // the game's lives among the run's numbers: none left is a game over
    const NOT_KEPT = 'this browser keeps nothing for this page (its storage is off or full)';

    const $ = (id) => document.getElementById(id);
    const [runs, what, watch, runLink, best, watchBest, note, fileInput] =
        ['runs', 'run-what', 'watch-run', 'run-link', 'best', 'watch-best', 'notice', 'run-file'].map($);

    let panel;
    let startGame;
    let started = false; // the game has started on this page
    let shown = null; // the run the panel's buttons act on: { bytes, run, origin, name }

    function say(text, kind = 'info') {
        note.textContent = text;
        note.className = kind;
    }

    // Runs go through the page as strings of bytes, one character a byte.
    const textOf = (bytes) => Array.from(bytes, (byte) => String.fromCharCode(byte)).join('');
    const bytesOf = (text) => Uint8Array.from(text, (character) => character.charCodeAt(0));

    // A file offered to the player as a download.
    function offerFile(name, bytes, type) {
        const link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([bytes], { type }));
        link.download = name;
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }

    // The best run kept in this browser ({ bytes, run }), null when there is
    // none (or only a damaged one), undefined when the browser keeps nothing.
    function keptBest() {
        let bytes;
        try {
            bytes = localStorage.getItem(BEST);
        } catch (error) {
            return undefined;
        }
        try {
            return bytes === null ? null : { bytes, run: RunLink.read(bytes) };
        } catch (error) {
            return null;
        }
    }

    // Keeps a run the player played as the best when it scores more than the
    // best kept; says whether it did: 'best', 'not best', or 'not kept'.
    function keepIfBest(bytes, run) {
        const kept = keptBest();
        if (kept && kept.run.score >= run.score) return 'not best';
        try {
            localStorage.setItem(BEST, bytes);
            return 'best';
        } catch (error) {
            return 'not kept';
        }
    }

    function showBest(outcome) {
        const kept = keptBest();
        best.hidden = kept === null && outcome !== 'not kept';
        watchBest.hidden = !kept;
        const words = best.querySelector('span');
        if (outcome === 'not kept') words.textContent = `Not kept as the best run: ${NOT_KEPT}. Download it to keep it.`;
        else if (kept === undefined) words.textContent = `No best run: ${NOT_KEPT}.`;
        else if (kept) words.textContent = `${outcome === 'best' ? 'A new best' : 'The best'} in this browser: ${RunLink.scoreOf(kept.run)}`;
    }

    // The run the panel's buttons act on, and what the panel says of it.
    function show(subject, words) {
        shown = subject;
        what.textContent = words;
        watch.textContent = subject.mode === 'watch' || subject.origin === 'yours' ? 'Watch it again' : 'Watch it';
        runLink.hidden = true;
        runs.hidden = false;
    }

    const describe = (subject) => ({
        yours: `Your run: ${RunLink.scoreOf(subject.run)}`,
        best: `The best run in this browser: ${RunLink.scoreOf(subject.run)}`,
    }[subject.origin] || `A run of ${RunLink.scoreOf(subject.run)}`);

    // What the page does with a request: offer a run, or start the game.
    function act(request) {
        if (request.mode === 'offer') {
            panel.show(request.name ? `Opened ${request.name}.` : 'Here is a run someone shared with you.', false);
            show(request, describe(request));
            showBest();
            return;
        }
        runs.hidden = true;
        if (request.mode !== 'play')
            say(`${request.mode === 'watch' ? 'Watching' : 'Trying to beat'} a run of ${RunLink.scoreOf(request.run)}.`);
        $('message').textContent = 'Loading\u2026';
        $('progress').hidden = false;
        started = true;
        startGame(request);
    }

    // Starts the game with a request ({ mode: 'play', 'watch', 'try' or
    // 'offer', bytes, run, origin, name }).
    function startWith(request) {
        if (!started) {
            act(request);
            return;
        }
        try {
            sessionStorage.setItem(REQUEST, JSON.stringify({ ...request, run: undefined }));
        } catch (error) {
            say(`The game cannot start again with the run here: ${NOT_KEPT}. Share its link and open that in a new tab.`, 'error');
            return;
        }
        location.reload();
    }

    // The request the page was loaded again for, once.
    function takeRequest() {
        try {
            const kept = sessionStorage.getItem(REQUEST);
            sessionStorage.removeItem(REQUEST);
            if (kept === null) return null;
            const request = JSON.parse(kept);
            return { ...request, run: RunLink.read(request.bytes) };
        } catch (error) {
            return null;
        }
    }

    // A run carried by the page's link is offered; a damaged link says why, and the game plays.
    function linkedRun() {
        const fragment = location.hash.slice(1);
        if (!RunLink.carriesRun(fragment)) return null;
        try {
            return { mode: 'offer', origin: 'offered', ...RunLink.decode(fragment) };
        } catch (error) {
            say(`This run link was not opened: it ${error.message}. Here is a game of your own.`, 'error');
            return null;
        }
    }

    // What a watched run's lines on the console mean for the page, while the
    // replay goes on: each answers the line's match with how the watch ends.
    const REPLAY_LINES = [
        [/^(?:PASS|INFO)\) Run \S+ replayed to its end/, (request) => {
            // A run that ended before the game over: the game ends with it.
            if (request.run.final[LIVES] !== 0) Module.sendKey('keydown', KEY_ESCAPE);
            return 'The run is over.';
        }],
        [/^INFO\) Stopped watching the run \S+ at frame (\d+) of (\d+)/, (request, frame, frames) =>
            `You stopped watching at frame ${frame} of ${frames}.`],
        [/^FAIL\) Run \S+ stops at frame (\d+): it was recorded by another version/, (request, frame) => {
            Module.sendKey('keydown', KEY_ESCAPE);
            return `This run stops at frame ${frame} of ${request.run.frames}: it was recorded by another version of ` +
                   'the game and does not replay the same.';
        }],
        [/^FAIL\) Run \S+ not replayed: it (.*)$/, (request, problem) => {
            request.refused = true;
            say(`The run was not watched: it ${problem}. Here is a game of your own.`, 'error');
            return null;
        }],
    ];

    function heard(request, line) {
        if (request.mode !== 'watch') return;
        for (const [pattern, meaning] of REPLAY_LINES) {
            const found = pattern.exec(line);
            if (found) request.ending = meaning(request, ...found.slice(1)) || request.ending;
        }
    }

    // The player's own run, once the game has ended: the page's to keep.
    function playedRun(FS) {
        try {
            const bytes = textOf(FS.readFile(RECORDED));
            return { bytes, run: RunLink.read(bytes), origin: 'yours' };
        } catch (error) {
            return null; // nothing recorded: the game ended before its first frame did
        }
    }

    // What the page shows once the game has ended.
    function ended(request) {
        if (!request.refused) say('');
        const yours = request.mode === 'watch' && !request.refused ? null : playedRun(Module.FS);
        const outcome = yours && keepIfBest(yours.bytes, yours.run);
        if (request.mode === 'watch' && !request.refused) {
            panel.show(request.ending || 'The run is over.', true);
            show(request, describe(request));
        } else if (request.mode === 'try') {
            const beaten = yours && yours.run.score > request.run.score ? ' You beat it!' : '';
            const both = yours && `You: ${RunLink.scoreOf(yours.run)}. The run: ${RunLink.scoreOf(request.run)}.${beaten}`;
            show(request, both || describe(request));
        } else if (yours) {
            show(yours, describe(yours));
        }
        showBest(outcome);
    }

    // The game's page as startProgram takes it, with the request's run: the
    // engine asked through its environment to replay it, or to record.
    function withRun(page, request) {
        const hear = (line) => heard(request, line);
        const env = request.mode === 'watch' ? { TORVANE_REPLAY: WATCHED, TORVANE_RECORD: RECORDED } : { TORVANE_RECORD: RECORDED };
        return {
            ...page,
            beforeMain: (FS) => {
                FS.mkdir('runs');
                if (request.mode === 'watch') FS.writeFile(WATCHED, bytesOf(request.bytes));
                if (page.beforeMain) page.beforeMain(FS);
            },
            stopped: (status) => { runs.hidden = true; page.stopped(status); },
            ended: (status) => { page.ended(status); ended(request); },
            module: {
                ...page.module,
                preRun: [() => Object.assign(Module.ENV, env)],
                print: (line) => { console.log(line); hear(line); },
                printErr: (line) => { console.error(line); hear(line); },
            },
        };
    }

    const fileName = (run) => `grubnosh-${run.score}-apples-${run.misses}-misses.tqrun`;

    const actions = {
        'watch-run': () => startWith({ ...shown, mode: 'watch' }),
        'try-run': () => startWith({ ...shown, mode: 'try' }),
        'watch-best': () => startWith({ ...keptBest(), origin: 'best', mode: 'watch' }),
        'download-run': () => offerFile(fileName(shown.run), bytesOf(shown.bytes), 'application/octet-stream'),
        'share-run': async () => {
            const url = new URL(`index.html#${RunLink.encode(shown.bytes)}`, location.href).href;
            if (url.length > RunLink.LONGEST) {
                say(`This run is too long for a link: its link would take ${Math.ceil(url.length / 1024)} KB, and a ` +
                    `link at most ${RunLink.LONGEST / 1024} KB. Download it to share the file instead.`, 'error');
                return;
            }
            Object.assign(runLink, { href: url, textContent: url, hidden: false });
            try {
                await navigator.clipboard.writeText(url);
                say('The link is copied: whoever opens it can watch this run, or try to beat it.', 'done');
            } catch (error) {
                say('Copy the link below: whoever opens it can watch this run, or try to beat it.', 'done');
            }
        },
        'open-run': () => fileInput.click(),
    };
    for (const [id, action] of Object.entries(actions))
        $(id).addEventListener('click', (event) => {
            event.currentTarget.blur(); // the keys go on to the game
            action();
        });

    // A run file opened from the disk, one recorded on a computer too; one that
    // is no whole run of the game is refused, and the game goes on.
    fileInput.addEventListener('change', async () => {
        const file = fileInput.files[0];
        fileInput.value = ''; // the same file again is another choice
        if (!file) return;
        try {
            if (file.size > RunLink.LARGEST) throw new Error(`is too large for a run (${file.size} bytes)`);
            const bytes = textOf(new Uint8Array(await file.arrayBuffer()));
            startWith({ mode: 'offer', origin: 'offered', name: file.name, bytes, run: RunLink.read(bytes) });
        } catch (error) {
            say(`${file.name} was not opened: it ${error.message}.`, 'error');
        }
    });

    // The game's part of its page (page.js): the page starts the game through
    // it, with the run asked for, or an offer of the one its link carries, or
    // else a game of the player's own, recorded. `page` is what startProgram
    // takes, and launch(page) starts the game on it.
    pageParts.push({
        launch(page, launch, gamePanel) {
            panel = gamePanel;
            $('open-run').hidden = false;
            startGame = (request) => launch(withRun(page, request));
            act(takeRequest() || linkedRun() || { mode: 'play' });
        },
    });
})();
