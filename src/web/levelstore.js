// The level that the map editor's page keeps in the browser, fed by the
// editor's own saves: the editor writes its map file, and at the start of the
// next frame the page finds a new file there and keeps its text. A save the
// browser refuses (its storage off or full), or another tab's save in its
// place, leaves this tab's level unkept until a save of its own is kept.
'use strict';

(function () {
    const KEPT = 'grubnosh-level'; // the key the browser keeps the level under
    const FRAMES_TO_SAVE = 30; // the editor saves within a frame or two of its key

    // `storage()` gives the browser's localStorage (or throws where it is off);
    // `editor` answers stamp() (who the saved file is: throws while there is
    // none), text() (what it holds) and pressSave() (the editor's S).
    function create(storage, editor) {
        let seen = null; // the stamp of the file last kept or started with
        let ours = null; // the level this tab kept or started from, as kept
        let saving = null; // { promise, resolve, reject, frames } while a save is due
        const store = {
            kept: true, // whether the browser keeps the level this tab shows

            // Hands the kept level (null when there is none) to `write` before the
            // editor starts, which puts it into the editor's file.
            start(write) {
                try { ours = storage().getItem(KEPT); } catch (error) { ours = null; }
                write(ours);
                seen = editor.stamp();
            },

            // Keeps `text` as the level; false when the browser refuses.
            keep(text) {
                try { storage().setItem(KEPT, text); } catch (error) { return false; }
                ours = text;
                return true;
            },

            // Has the editor save; resolves to { text, kept } of that save.
            save() {
                if (saving) return saving.promise;
                editor.pressSave();
                saving = { frames: 0 };
                saving.promise = new Promise((resolve, reject) => Object.assign(saving, { resolve, reject }));
                return saving.promise;
            },

            // Called at the start of every frame: a new file is a save, kept at
            // once; answers { text, kept } for it, and null otherwise.
            frame() {
                let stamp;
                try { stamp = editor.stamp(); } catch (error) { return null; } // its next save puts it back
                const due = saving;
                if (stamp === seen) {
                    if (due && ++due.frames > FRAMES_TO_SAVE) {
                        saving = null;
                        due.reject(new Error('The map could not be saved: the editor\'s bottom line says why.'));
                    }
                    return null;
                }
                seen = stamp;
                const text = editor.text();
                const saved = { text, kept: store.keep(text) };
                store.kept = saved.kept;
                saving = null;
                if (due) due.resolve(saved);
                return saved;
            },

            // A `storage` event, which another tab's change brings: true when that
            // tab kept a level other than this one in its place.
            replaced(event) {
                if ((event.key !== KEPT && event.key !== null) || ours === null) return false;
                store.kept = event.newValue === ours;
                return !store.kept;
            },
        };
        return store;
    }

    const LevelStore = { create };
    if (typeof module === 'object' && module.exports) module.exports = LevelStore;
    else window.LevelStore = LevelStore;
})();
