'use strict';
// The problem patterns of the extension against what kelc and zarn really print for bad
// scripts, and the build task's rewrite of file names that only make sense in kelc's folder.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { programFolder, run } = require('./support');
const { problemsIn } = require('./problemMatcher');
const { rewriteLine } = require('../../editors/vscode/kelcOutput');

// One script folder per test beside a program folder holding kelc and zarn.
function workspace(files) {
    const programs = programFolder();
    const scripts = path.join(programs, 'mod');
    fs.mkdirSync(scripts);
    for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(scripts, name), text);
    const build = (name) => run(path.join(programs, 'kelc'), [path.join(scripts, name)], scripts);
    return { programs, scripts, build };
}

test('kelc: each error with a position gives its file, line, column and message', () => {
    const w = workspace({ 'bad.kel': 'piece base;\nCreate()\n{\n  foo = 3;\n}\n' });
    const { status, lines } = w.build('bad.kel');
    assert.strictEqual(status, 1);
    const problems = problemsIn(lines, 'kelc');
    const placed = problems.map(({ line, column, severity, message }) => ({ line, column, severity, message }));
    assert.deepStrictEqual(placed, [
        { line: 4, column: 7, severity: 'Error', message: 'Undeclaired identifier, foo' },
        { line: 4, column: 10, severity: 'Error', message: 'Unknown result type, or result is readonly' },
        { line: 5, column: 3, severity: 'Error', message: 'Could not compile dependant file.' },
    ]);
    // The name is relative to the folder kelc was started from.
    assert.strictEqual(path.resolve(w.scripts, problems[0].file), path.join(w.scripts, 'bad.kel'));
});

test('kelc: a message holding quotes is taken whole', () => {
    const w = workspace({ 'lex.kel': 'piece base;\nCreate() { x = "abc; }\n' });
    const { lines } = w.build('lex.kel');
    const problems = problemsIn(lines, 'kelc');
    assert.deepStrictEqual(problems[0], {
        file: problems[0].file, line: 2, column: 24, severity: 'Error',
        message: 'In function "Create" Error: Unterminated string.',
    });
    assert.strictEqual(problems.length, 2);
});

// A message without a position (the closing fatal error here) is no problem of its own.
test('kelc: an error in an include file points into that file, found beside the script', () => {
    const w = workspace({ 'main.kel': '#include "shared.kelh"\npiece base;\n', 'shared.kelh': '\n#endif\n' });
    const { lines } = w.build('main.kel');
    assert.ok(lines.includes('[Fatal Error] : Could not compile dependant file.'), lines.join('\n'));
    const problems = problemsIn(lines.map((l) => rewriteLine(l, w.programs, w.scripts)), 'kelc');
    assert.deepStrictEqual(problems, [{
        file: path.join(w.scripts, 'shared.kelh'), line: 2, column: 1, severity: 'Error',
        message: 'No #ifdef for #endif',
    }]);
});

test('zarn: errors in the assembly text kelc wrote name that file, the line and the code', () => {
    const w = workspace({ 'za.kel': 'piece base;\nCreate()\n{\n  __zarn {\n    pushc 1;\n    bogus base;\n  }\n}\n' });
    const { status, lines } = w.build('za.kel');
    assert.strictEqual(status, 1);
    const problems = problemsIn(lines.map((l) => rewriteLine(l, w.programs, w.scripts)), 'zarn');
    assert.ok(problems.length >= 1, lines.join('\n'));
    assert.deepStrictEqual(problems[0], {
        file: path.join(w.scripts, 'za.zarn'), line: 11, code: '0x14', message: 'Unrecognized term, bogus',
    });
    const text = fs.readFileSync(path.join(w.scripts, 'za.zarn'), 'utf8').split(/\r?\n/);
    assert.match(text[problems[0].line - 1], /bogus base;/);
    assert.ok(problems.every((p) => p.file === problems[0].file && p.line === 11));
});

test('zarn run by hand: the file as named on its command line', () => {
    const text = 'piece base;\nproc Create\nargs none;\nvar none;\nbeginproc\n  jmp nowhere;\n  ret;\nendproc;\n';
    const w = workspace({ 'hand.zarn': text });
    const { status, lines } = run(path.join(w.programs, 'zarn'), ['hand.zarn'], w.scripts);
    assert.strictEqual(status, 1);
    const problems = problemsIn(lines, 'zarn');
    assert.ok(problems.length >= 1, lines.join('\n'));
    assert.strictEqual(problems[0].file, 'hand.zarn');
    assert.strictEqual(problems[0].line, 6);
});

test('the gnu format of both programs, with and without a column, on any platform', () => {
    const problems = problemsIn([
        'units/arm.kel:5:7: error: Undeclaired identifier, foo',
        'units/arm.zarn:11: error: Unrecognized term, bogus',
        'C:\\mods\\tank.kel:2:1: warning: unused',
        'Finished Compiling!',
    ], 'kel-gnu');
    assert.deepStrictEqual(problems, [
        { file: 'units/arm.kel', line: 5, column: 7, severity: 'error', message: 'Undeclaired identifier, foo' },
        { file: 'units/arm.zarn', line: 11, severity: 'error', message: 'Unrecognized term, bogus' },
        { file: 'C:\\mods\\tank.kel', line: 2, column: 1, severity: 'warning', message: 'unused' },
    ]);
});
