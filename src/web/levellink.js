// A level carried in a link: the map's 220 cells in the fragment of the game
// page's address (never sent to a server), as
//
//     #level=1.<cells>.<check>
//
// "1" is the format's version. <cells> runs through the map row by row in
// base64url digits: a digit from 0 to 62 is a cell's tile number, and "_"
// followed by a digit n repeats the cell before it n + 2 times more. <check>
// is the CRC-32 of "1.<cells>" in six digits, which a cut or changed link fails.
// The page that reads a link hands the map to the engine's reader as a file,
// so whatever gets through is still read as any map file is.
'use strict';

(function () {
    const VERSION = '1';
    const PREFIX = 'level=';
    const DIGITS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
    const RUN = '_';
    const RUN_SHORTEST = 3; // a cell and two repeats: shorter runs cost no less written out
    const RUN_LONGEST = RUN_SHORTEST + DIGITS.length - 2; // one digit counts the repeats
    const COLUMNS = 20;
    const ROWS = 11;
    const CELLS = COLUMNS * ROWS;
    const GREATEST_TILE = 62; // the greatest a map file holds
    const FIRST_TILE_CODE = 65; // 'A', tile 0 in a map file
    const CHECK_DIGITS = 6;
    // Every cell written out, the version and the check: a longer fragment is no level.
    const LONGEST = PREFIX.length + VERSION.length + CELLS + CHECK_DIGITS + 2;

    function crc32(text) {
        let crc = ~0;
        for (let i = 0; i < text.length; ++i) {
            crc ^= text.charCodeAt(i);
            for (let bit = 0; bit < 8; ++bit)
                crc = (crc >>> 1) ^ (0xedb88320 & -(crc & 1));
        }
        return (~crc) >>> 0;
    }

    function checkOf(text) {
        let value = crc32(text);
        let digits = '';
        for (let i = 0; i < CHECK_DIGITS; ++i, value = Math.floor(value / 64))
            digits = DIGITS[value % 64] + digits;
        return digits;
    }

    // The cells in the digits of a link, runs folded.
    function encodeCells(cells) {
        let text = '';
        for (let start = 0; start < cells.length;) {
            let end = start + 1;
            while (end < cells.length && cells[end] === cells[start] && end - start < RUN_LONGEST) ++end;
            const length = end - start;
            text += DIGITS[cells[start]];
            if (length >= RUN_SHORTEST) text += RUN + DIGITS[length - RUN_SHORTEST];
            else text += DIGITS[cells[start]].repeat(length - 1);
            start = end;
        }
        return text;
    }

    function decodeCells(text) {
        const cells = [];
        for (let i = 0; i < text.length && cells.length <= CELLS; ++i) {
            const digit = DIGITS.indexOf(text[i]);
            if (digit < 0) throw new Error(`it holds "${text[i]}", which no level link does`);
            if (text[i] !== RUN) {
                cells.push(digit);
                continue;
            }
            const count = DIGITS.indexOf(text[++i]);
            if (cells.length === 0 || count < 0 || count > GREATEST_TILE) throw new Error('a repeat in it counts nothing');
            for (let repeat = 0; repeat < count + RUN_SHORTEST - 1; ++repeat) cells.push(cells[cells.length - 1]);
        }
        if (cells.length !== CELLS) throw new Error(`its map has ${cells.length > CELLS ? 'more than ' + CELLS : cells.length} cells where a map has ${CELLS}`);
        return cells;
    }

    const LevelLink = {
        // The CRC-32 of zlib and PNG, of a string's characters taken as bytes;
        // run links (runlink.js) check runs with it too.
        crc32,

        // The fragment of a link to the game page that carries the cells
        // (tile numbers 0 to 62, row by row), without its "#".
        encode(cells) {
            const body = `${VERSION}.${encodeCells(cells)}`;
            return `${PREFIX}${body}.${checkOf(body)}`;
        },

        // Whether a fragment (without its "#") carries a level at all.
        carriesLevel: (fragment) => fragment.startsWith(PREFIX),

        // The cells a fragment carries; throws an Error whose message says, after
        // "the link is damaged:", what is wrong with it.
        decode(fragment) {
            if (!fragment.startsWith(PREFIX)) throw new Error('it carries no level');
            if (fragment.length > LONGEST) throw new Error(`it is ${fragment.length} characters long, more than any level needs`);
            const parts = fragment.slice(PREFIX.length).split('.');
            if (parts[0] !== VERSION) throw new Error('it is not a level link this game reads');
            if (parts.length !== 3 || checkOf(`${parts[0]}.${parts[1]}`) !== parts[2]) throw new Error('it was cut short or changed on the way');
            return decodeCells(parts[1]);
        },

        // A map file with the cells, as the engine's writer writes one.
        mapText(cells) {
            let text = '';
            for (let row = 0; row < ROWS; ++row)
                text += String.fromCharCode(...cells.slice(row * COLUMNS, (row + 1) * COLUMNS).map((tile) => FIRST_TILE_CODE + tile)) + '\n';
            return text;
        },

        // The cells of a map file as the engine's writer writes one (the editor's
        // saves); throws when the text is not such a file.
        cellsOf(text) {
            const lines = text.split('\n');
            if (lines.length !== ROWS + 1 || lines[ROWS] !== '' || lines.some((line, row) => row < ROWS && line.length !== COLUMNS))
                throw new Error('the map file is not as the editor writes one');
            const cells = [...lines.join('')].map((character) => character.charCodeAt(0) - FIRST_TILE_CODE);
            if (cells.some((tile) => tile < 0 || tile > GREATEST_TILE)) throw new Error('the map file holds a tile a link cannot carry');
            return cells;
        },
    };

    if (typeof module === 'object' && module.exports) module.exports = LevelLink;
    else window.LevelLink = LevelLink;
})();
