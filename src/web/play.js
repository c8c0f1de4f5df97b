// The game's own part of its page (the one template, page.js, does the rest): a
// level carried by the link replaces the standard map before the game starts,
// where the game reads it; the game's own reader still reads it. A damaged link
// plays the standard level and says why.
'use strict';

(function () {
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

    pageParts.push({
        beforeMain: (FS) => { if (level) FS.writeFile('data/map.dat', level); },
    });
})();
