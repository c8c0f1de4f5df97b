// Starts a program of the site on its page. The page fetches the program's data
// package and WebAssembly itself and hands them to the runtime, so that a file
// that is missing, empty or damaged is reported on the page at once instead of
// leaving it loading for ever. Once the program runs, the site's
// service worker is registered, so that the next visit plays with no network.
'use strict';

// A page's own scripts, which run before page.js starts its program, add their
// parts here: objects with any of beforeMain(FS) (the program's files are in
// place and it has not started), started(), ended(status) and beforeFrame();
// and one part at most launch(page, start, panel), which starts the program
// itself, with start(page) or a page of its own, when and if it chooses.
window.pageParts = [];

(function () {
    // Why a program could not start: the message names the file.
    class LoadError extends Error {}

    // The response's body, with `onProgress(loaded, total)` as it arrives.
    async function readBody(response, onProgress) {
        const total = Number(response.headers.get('Content-Length')) || 0;
        if (!response.body)
            return response.arrayBuffer();
        const reader = response.body.getReader();
        const chunks = [];
        let loaded = 0;
        for (let part = await reader.read(); !part.done; part = await reader.read()) {
            chunks.push(part.value);
            loaded += part.value.length;
            onProgress(loaded, total);
        }
        return joinBytes(chunks);
    }

    // One buffer holding the byte arrays `parts` one after the other.
    function joinBytes(parts) {
        const bytes = new Uint8Array(parts.reduce((length, part) => length + part.byteLength, 0));
        parts.reduce((at, part) => (bytes.set(new Uint8Array(part), at), at + part.byteLength), 0);
        return bytes.buffer;
    }

    async function download(file, onProgress = () => {}) {
        let response;
        try {
            response = await fetch(file);
        } catch (error) {
            throw new LoadError(`${file} could not be loaded: there is no connection to the server.`);
        }
        if (!response.ok)
            throw new LoadError(`${file} could not be loaded: the server answered ${response.status} ${response.statusText}.`);
        let body;
        try {
            body = await readBody(response, onProgress);
        } catch (error) {
            throw new LoadError(`${file} could not be loaded: the connection broke off.`);
        }
        if (body.byteLength === 0)
            throw new LoadError(`${file} is empty.`);
        return body;
    }

    // A part named by its content (NAME.<hash>.data, the hash the first 16
    // hexadecimal digits of its SHA-256) must hold what its name says. Browsers
    // give digests to secure pages only (HTTPS, this computer), as they give
    // service workers; elsewhere the part's size is still checked.
    async function checkContent(file, bytes) {
        const named = /\.([0-9a-f]{16})\.data$/.exec(file);
        if (!named || !(window.crypto && crypto.subtle)) return;
        const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes)).subarray(0, 8);
        if (Array.from(digest, (byte) => byte.toString(16).padStart(2, '0')).join('') !== named[1])
            throw new LoadError(`${file} is damaged: its ${bytes.byteLength} bytes are not the ones the site was built with.`);
    }

    // A data package stored in parts (one of them shared with another program),
    // checked and joined; `onProgress(loaded, total)` counts all of them.
    async function downloadPackage(files, onProgress) {
        const loaded = files.map(() => 0);
        const totals = files.map(() => 0);
        const sum = (numbers) => numbers.reduce((a, b) => a + b, 0);
        const parts = await Promise.all(files.map(async (file, i) => {
            const bytes = await download(file, (done, total) => {
                [loaded[i], totals[i]] = [done, total];
                onProgress(sum(loaded), totals.includes(0) ? 0 : sum(totals));
            });
            await checkContent(file, bytes);
            return bytes;
        }));
        return parts.length === 1 ? parts[0] : joinBytes(parts);
    }

    async function compileProgram(file) {
        const bytes = await download(file);
        try {
            return await WebAssembly.compile(bytes);
        } catch (error) {
            throw new LoadError(`${file} is damaged: ${error.message}`);
        }
    }

    function loadScript(file) {
        return new Promise((resolve, reject) => {
            const script = document.createElement('script');
            script.src = file;
            script.onload = resolve;
            script.onerror = () => reject(new LoadError(`${file} could not be loaded.`));
            document.body.appendChild(script);
        });
    }

    // A new build's worker may take over while this page still loads the older
    // build's files from the older worker; the page then starts again rather than
    // mix the two. The worker itself is registered once the program runs.
    // `root` is the site's folder, relative to the page.
    function keepOffline(isRunning, root) {
        if (!('serviceWorker' in navigator))
            return () => {};
        const updating = navigator.serviceWorker.controller !== null;
        navigator.serviceWorker.addEventListener('controllerchange', () => {
            if (updating && !isRunning())
                location.reload();
        });
        // Browsers look for a new worker in their own time, not at every visit; this
        // page asks at once (not while a first worker installs, which would stall it).
        const lookForNewBuild = (registration) => {
            if (updating) registration.update().catch(() => {}); // offline: no news
        };
        return () => navigator.serviceWorker.register(`${root}sw.js`, { scope: root }).then(lookForNewBuild, (error) => {
            console.warn(`This page will not work offline: ${error.message}`);
        });
    }

    // The panel over a program's picture (#canvas), as the site's pages lay it
    // out: #panel with #message, #progress and #again, which loads the page afresh.
    // `show(text, ended)` puts a text on it, with the button once the program has
    // ended; `hide()` and `progress(loaded, total)` serve startProgram's page; and
    // `lacksWebGL(what)` is true, after saying so, when the browser has no WebGL,
    // without which `what` ('This game') draws nothing. While the browser has
    // taken the picture away (a lost WebGL context), the panel says so.
    window.programPanel = function () {
        const [panel, message, progress, again, canvas] =
            ['panel', 'message', 'progress', 'again', 'canvas'].map((id) => document.getElementById(id));
        again.addEventListener('click', () => location.reload());
        let sayingLost = false;
        const show = (text, ended) => {
            sayingLost = false;
            message.textContent = text;
            progress.hidden = true;
            again.hidden = !ended;
            panel.hidden = false;
            if (ended)
                again.focus();
        };
        const lacksWebGL = (what) => {
            if (document.createElement('canvas').getContext('webgl'))
                return false;
            show(`${what} draws with WebGL, which this browser does not offer or has switched off. ` +
                 'Try a current browser with hardware acceleration enabled.', false);
            return true;
        };
        const hide = () => { panel.hidden = true; };
        // Only over a running program's picture: a start or an end says more.
        canvas.addEventListener('webglcontextlost', () => {
            if (!panel.hidden) return;
            show('The browser has taken the picture away. Everything waits until it hands it back.', false);
            sayingLost = true;
        });
        canvas.addEventListener('webglcontextrestored', () => { if (sayingLost) hide(); });
        return {
            show,
            lacksWebGL,
            hide,
            progress: (loaded, total) => {
                if (total > 0) { progress.max = total; progress.value = loaded; }
            },
        };
    };

    // Starts the program NAME (NAME.js, NAME.wasm and its data package) on the
    // page. The data package is the .data files the page preloads, in order
    // (none: the program has no data). `page` answers: `canvas`; `root`, the site's folder when the
    // page lies below it ('../'); `progress(loaded, total)` while the data arrives;
    // `failed(text)` when a file cannot be used, `beforeMain(FS)` (optional)
    // once the program's files are in place and before it starts, to put files
    // of its own beside them, `started()` when the program runs, `stopped(status)` when it stops with an error or a failure status,
    // `ended(status)` when its main function returns; and `module`, more fields of
    // the runtime's Module. Returns the Module.
    window.startProgram = function (name, page) {
        let running = false;
        let over = false;
        const fail = (error) => {
            if (over)
                return;
            over = true;
            console.error(error);
            if (error instanceof LoadError) page.failed(error.message); else page.stopped(1);
        };
        const registerWorker = keepOffline(() => running, page.root || './');
        const preloaded = [...document.querySelectorAll('link[rel="preload"][href$=".data"]')];
        const packageFiles = preloaded.map((link) => link.getAttribute('href'));

        let wasmAsked = false;
        const program = compileProgram(`${name}.wasm`);
        program.catch(fail);
        const Module = window.Module = Object.assign({
            canvas: page.canvas,
            print: (text) => console.log(text),
            printErr: (text) => console.error(text),
            instantiateWasm: (imports, receive) => {
                wasmAsked = true;
                program.then((module) => WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module)))
                    .catch(fail);
                return {};
            },
            onRuntimeInitialized: () => {
                if (page.beforeMain)
                    page.beforeMain(Module.FS);
                running = true;
                page.started();
                registerWorker();
            },
            onAbort: (what) => fail(new Error(what)),
            // Every exit passes here, also the runtime's own (status 0) when main first
            // yields to the browser; a program that exits with a failure status has
            // said why on the console.
            quit: (status, toThrow) => {
                if (status !== 0)
                    page.stopped(status);
                throw toThrow;
            },
            onGameEnded: (status) => page.ended(status),
        }, page.module);

        // A script that breaks while it loads says where.
        window.addEventListener('error', (event) => {
            if (!running && event.filename && event.filename.endsWith(`${name}.js`))
                fail(new LoadError(`${name}.js is damaged: ${event.message}`));
        });

        const data = packageFiles.length === 0 ? Promise.resolve() : downloadPackage(packageFiles, page.progress)
            .then((bytes) => {
                Module.getPreloadedPackage = (file, size) => {
                    if (bytes.byteLength === size)
                        return bytes;
                    // Said first, then thrown, so that the script stops here.
                    const what = packageFiles.length === 1 ? `${file} is damaged: it holds`
                        : `${packageFiles.join(' and ')} are damaged: together they hold`;
                    const error = new LoadError(`${what} ${bytes.byteLength} bytes where ${size} were expected.`);
                    fail(error);
                    throw error;
                };
            });
        data.then(() => loadScript(`${name}.js`))
            .then(() => {
                // The runtime asks for its WebAssembly as its script runs.
                if (!wasmAsked)
                    throw new LoadError(`${name}.js is damaged: it did not start the program.`);
            })
            .catch(fail);
        return Module;
    };
})();
