'use strict';
// The snippets, expanded with their default texts, are scripts that kelc and zarn build cleanly.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { extension, programFolder, run } = require('./support');

// "${1:turret}" becomes its default text, "$0" and "$1" nothing.
function expand(body) {
    return body.join('\n').replace(/\$\{\d+:([^}]*)\}/g, '$1').replace(/\$\d+/g, '');
}

test('every snippet expands to code that builds', () => {
    const snippets = JSON.parse(fs.readFileSync(path.join(extension, 'snippets/kel.json'), 'utf8'));
    const declarations = [
        'piece base, flare, turret, barrel, lthigh, rthigh;',
        'static-var isMoving;',
        'const SIG_AIM = 2, SIG_WALK = 4, SHATTER = 1;',
    ];
    const script = declarations.concat(Object.values(snippets).map((s) => expand(s.body))).join('\n') + '\n';
    const programs = programFolder();
    fs.writeFileSync(path.join(programs, 'snippets.kel'), script);
    const { status, lines } = run(path.join(programs, 'kelc'), ['snippets.kel'], programs);
    assert.strictEqual(status, 0, script + lines.join('\n'));
    assert.ok(fs.existsSync(path.join(programs, 'snippets.cob')));
    for (const name of ['Create', 'AimWeapon1', 'Walk', 'StartMoving', 'StopMoving', 'Killed'])
        assert.match(script, new RegExp(`^${name}\\(`, 'm'));
});
