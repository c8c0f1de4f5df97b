// An example's page: starts the examples' program on the example that the page
// names, says how the start goes, and offers to run the example again once it
// has ended. Keys and the mouse go to the program as they come.
'use strict';

(function () {
    const { example, program } = document.body.dataset;
    const panel = programPanel();
    if (panel.lacksWebGL('This example'))
        return;

    // A browser lets sound start with the first key (the runtime wakes its audio
    // then), so the note that asks for one has done its work.
    const soundNote = document.querySelector('.sound-note');
    if (soundNote)
        addEventListener('keydown', () => { soundNote.hidden = true; }, { once: true });

    startProgram(program, {
        canvas: document.getElementById('canvas'),
        root: '../',
        progress: panel.progress,
        failed: (text) => panel.show(`The example could not start. ${text}`, false),
        started: panel.hide,
        stopped: () => panel.show('The example stopped with an error; the console says more.', true),
        ended: () => panel.show('The example has ended.', true),
        // The example's name is the program's argument. The engine's own loaders
        // read the files, so the runtime need not decode them beforehand.
        module: { arguments: [example], noImageDecoding: true, noAudioDecoding: true },
    });
})();
