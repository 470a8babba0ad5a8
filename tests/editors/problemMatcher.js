'use strict';
// Reads output lines the way the editor applies a contributed problem pattern: a single pattern
// is tried on every line; a multi-line one needs its patterns on consecutive lines, and its last
// pattern, when it loops, gives one problem per further matching line.
const { manifest } = require('./support');

const fields = ['file', 'line', 'column', 'severity', 'code', 'message'];

function patternsNamed(name) {
    const entry = manifest.contributes.problemPatterns.find((p) => p.name === name);
    if (entry === undefined) throw new Error(`no problem pattern ${name}`);
    return (entry.patterns || [entry]).map((p) => ({ ...p, regexp: new RegExp(p.regexp) }));
}

function fill(problem, pattern, match) {
    for (const field of fields) {
        const text = match[pattern[field]];
        if (typeof pattern[field] !== 'number' || text === undefined) continue;
        problem[field] = field === 'line' || field === 'column' ? Number(text) : text;
    }
}

function problemsIn(lines, name) {
    const patterns = patternsNamed(name);
    const problems = [];
    for (let i = 0; i < lines.length; ++i) {
        const shared = {};
        let j = 0;
        for (; j < patterns.length - 1; ++j) {
            const match = patterns[j].regexp.exec(lines[i + j] || '');
            if (match === null) break;
            fill(shared, patterns[j], match);
        }
        if (j < patterns.length - 1) continue;
        const last = patterns[patterns.length - 1];
        let k = i + j;
        for (let match; k < lines.length && (match = last.regexp.exec(lines[k])) !== null; ++k) {
            const problem = { ...shared };
            fill(problem, last, match);
            problems.push(problem);
            if (!last.loop) break;
        }
        if (patterns.length > 1) i = Math.max(i, k - 1);
    }
    return problems;
}

module.exports = { problemsIn };
