// A recorded run of the game (docs/run-format.md) as the game's page meets it:
// what its file says of itself, and the run carried in a link. A link holds the
// whole file, whose body the engine has already packed, in the fragment of the
// game page's address (never sent to a server):
//
//     #run=<the file in base64url, without padding>
//
// The page reads a run's header to say what it is before anything plays, and
// checks that its body is whole (size and CRC-32); unpacking and playing it is
// the engine's, which refuses a body that does not read back. Runs go through
// the page as strings of bytes, one character a byte.
'use strict';

(function () {
    const PREFIX = 'run=';
    const PROGRAM = 'Grubnosh';
    const VERSION = '1';
    const HEADER_MAX = 1024; // the header's lines together, as the engine reads them
    const FILE_MAX = HEADER_MAX + (16 << 20);
    const LINK_MAX = 8192; // characters of a whole link, the longest the page makes or reads
    const VERSION_LINE = /^torvane-run (\d+)\n/;
    const HEADER = new RegExp('^torvane-run 1\nprogram ([^\n]+)\nframes (\\d+)\nseconds (\\d+)\\.(\\d{3})\n' +
                              'final((?: -?\\d+){0,8})\nbody (\\d+) (\\d+) ([0-9a-f]{8})\n');
    const crc32 = typeof module === 'object' && module.exports ? require('./levellink.js').crc32 : window.LevelLink.crc32;

    // Throws what is wrong with a run, in the words that follow "it", as the engine says them.
    function refuse(problem) {
        throw new Error(problem);
    }

    // The header's fields, as HEADER matches them.
    function header(bytes) {
        const START = 'torvane-run ';
        if (bytes.length === 0) refuse('is empty');
        if (bytes.length > FILE_MAX) refuse(`is too large for a run (${bytes.length} bytes; at most ${FILE_MAX})`);
        if (!bytes.startsWith(START)) refuse(START.startsWith(bytes) ? 'is cut short in its header' : 'is not a Torvane Quillet run');
        const version = VERSION_LINE.exec(bytes);
        if (!version) refuse(bytes.includes('\n') ? 'has a damaged header (its first line)' : 'is cut short in its header');
        if (version[1] !== VERSION) refuse(`is of format version ${version[1]}; this build reads version ${VERSION}`);
        const fields = HEADER.exec(bytes);
        if (!fields || fields[0].length > HEADER_MAX)
            refuse(bytes.split('\n').length <= 6 ? 'is cut short in its header' : 'has a damaged header');
        return fields;
    }

    // The plural a count takes in a description.
    const counted = (count, one, many) => `${count} ${count === 1 ? one : many}`;

    const RunLink = {
        // The most characters of a link the page makes or reads, and the most bytes of a run's file.
        LONGEST: LINK_MAX,
        LARGEST: FILE_MAX,

        // What the run in `bytes` is: { program, frames, seconds, final, score,
        // misses }; throws an Error whose message says, after "it", what is
        // wrong, when it is no whole run of the game.
        read(bytes) {
            const [whole, program, frames, seconds, thousandths, final, packedSize, , sum] = header(bytes);
            const present = bytes.length - whole.length;
            if (present < Number(packedSize)) refuse(`is cut short: its body holds ${present} of ${packedSize} bytes`);
            if (present > Number(packedSize)) refuse('is damaged: more follows its body than its header says');
            if (crc32(bytes.slice(whole.length)) !== parseInt(sum, 16)) refuse('is damaged: its body does not match its check sum');
            if (program !== PROGRAM) refuse(`is a run of "${program}", not of "${PROGRAM}"`);
            const numbers = final.split(' ').slice(1).map(Number);
            if (numbers.length < 2) refuse('holds no score');
            return { program, frames: Number(frames), seconds: Number(`${seconds}.${thousandths}`), final: numbers,
                     score: numbers[0], misses: numbers[1] };
        },

        // A run's score and misses in words: "57 apples and 4 misses".
        scoreOf: (run) => `${counted(run.score, 'apple', 'apples')} and ${counted(run.misses, 'miss', 'misses')}`,

        // The fragment of a link that carries the run in `bytes`, without its "#".
        encode: (bytes) => PREFIX + btoa(bytes).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, ''),

        // Whether a fragment (without its "#") carries a run at all.
        carriesRun: (fragment) => fragment.startsWith(PREFIX),

        // The bytes of the run a fragment carries, read as read() reads them:
        // { bytes, run }; throws an Error whose message says, after "it", what is wrong.
        decode(fragment) {
            if (fragment.length > LINK_MAX) refuse(`is ${fragment.length} characters long, more than a run link may be (${LINK_MAX})`);
            const digits = fragment.slice(PREFIX.length);
            const stray = /[^A-Za-z0-9_-]/.exec(digits);
            if (stray) refuse(`holds "${stray[0]}", which no run link does`);
            if (digits.length % 4 === 1) refuse('is cut short in the middle of a byte');
            const bytes = atob(digits.replace(/-/g, '+').replace(/_/g, '/'));
            return { bytes, run: RunLink.read(bytes) };
        },
    };

    if (typeof module === 'object' && module.exports) module.exports = RunLink;
    else window.RunLink = RunLink;
})();
