// An example's own part of its page (the one template, page.js, starts the
// examples' program on the example the page names). A browser lets sound start
// with the first key (the runtime wakes its audio then), so the note that asks
// for one has done its work.
'use strict';

(function () {
    const soundNote = document.querySelector('.sound-note');
    if (soundNote)
        addEventListener('keydown', () => { soundNote.hidden = true; }, { once: true });
})();
