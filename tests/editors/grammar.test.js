'use strict';
// The grammars run through the editor's own TextMate tokenizer: chosen tokens of the examples
// and of two dedicated files get the scopes a theme colours them by.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { root, tokenize, scopesAt } = require('./support');

async function load(scopeName, file) {
    const text = fs.readFileSync(file, 'utf8');
    const tokens = await tokenize(scopeName, text);
    const lines = text.split(/\r?\n/);
    return { tokens, scopes: (context, tokenText) => scopesAt(tokens, lines, context, tokenText) };
}

function assertScope(scopes, expected) {
    assert.ok(scopes.includes(expected), `expected ${expected} in ${scopes.join(' ')}`);
}

// Every visible character of a file belongs to some construct of the grammar.
function assertAllScoped(tokens, base) {
    const bare = tokens.filter((t) => t.text.trim() !== '' && t.scopes.length === 1 && t.scopes[0] === base);
    assert.deepStrictEqual(bare.map((t) => `${t.line + 1}: ${t.text}`), []);
}

const kelFiles = ['examples/unit.kel', 'tests/editors/samples/highlight.kel'];
const zarnFiles = ['examples/tank.zarn', 'tests/editors/samples/highlight.zarn'];

test('every token of the KEL and assembly files is classified', async () => {
    for (const file of kelFiles)
        assertAllScoped((await load('source.kel', path.join(root, file))).tokens, 'source.kel');
    for (const file of zarnFiles)
        assertAllScoped((await load('source.zarn', path.join(root, file))).tokens, 'source.zarn');
});

test('KEL: dashed keywords are one token, in any letter case, and other dashed words are names', async () => {
    const { scopes } = await load('source.kel', path.join(root, 'examples/unit.kel'));
    assertScope(scopes('wait-for-turn lthigh', 'wait-for-turn'), 'keyword.other.statement.kel');
    assertScope(scopes('set-signal-mask SIG_WALK', 'set-signal-mask'), 'keyword.other.statement.kel');
    assertScope(scopes('stop-spin turret', 'stop-spin'), 'keyword.other.statement.kel');
    assertScope(scopes('while (isMoving)', 'while'), 'keyword.control.kel');
    assertScope(scopes('piece base', 'piece'), 'storage.type.kel');
    assertScope(scopes('inline returns Clamp', 'Clamp'), 'entity.name.function.kel');

    const sample = await load('source.kel', path.join(root, 'tests/editors/samples/highlight.kel'));
    assertScope(sample.scopes('WAIT-FOR-TURN', 'WAIT-FOR-TURN'), 'keyword.other.statement.kel');
    assertScope(sample.scopes('If (heading', 'If'), 'keyword.control.kel');
    assertScope(sample.scopes('stop-spin-x', 'stop-spin-x'), 'variable.other.kel');
    assertScope(sample.scopes('heading = a-b', 'a-b'), 'variable.other.kel');
    assertScope(sample.scopes('WAIT-FOR-TURN', 'y-axis'), 'constant.language.kel');
});

test('KEL: block comments nest, and code resumes after the outer end', async () => {
    const { scopes } = await load('source.kel', path.join(root, 'tests/editors/samples/highlight.kel'));
    const line = '/* outer /* inner */ still outer */';
    assertScope(scopes(line, ' still outer '), 'comment.block.kel');
    assertScope(scopes(line, '*/'), 'punctuation.definition.comment.end.kel');
    assertScope(scopes(line, 'static-var'), 'storage.type.kel');
    assert.ok(!scopes(line, 'static-var').includes('comment.block.kel'));
});

test('KEL: angles, distances, hexadecimal numbers and doubled quotes', async () => {
    const unit = await load('source.kel', path.join(root, 'examples/unit.kel'));
    assertScope(unit.scopes('turn lthigh to x-axis <-30>', '-30'), 'constant.numeric.angle.kel');
    assertScope(unit.scopes('turn lthigh to x-axis <-30>', '<'), 'punctuation.definition.angle.begin.kel');
    assertScope(unit.scopes('move pelvis to y-axis [-0.5]', '-0.5'), 'constant.numeric.linear.kel');

    const { scopes } = await load('source.kel', path.join(root, 'tests/editors/samples/highlight.kel'));
    assertScope(scopes('[ 1.5 ]', '1.5'), 'constant.numeric.linear.kel');
    assertScope(scopes('If (heading', '<='), 'keyword.operator.comparison.kel');
    assertScope(scopes('If (heading', '<<'), 'keyword.operator.bitwise.shift.kel');
    assertScope(scopes('const MASK', '$1F'), 'constant.numeric.hex.kel');
    assertScope(scopes('heading = -1', '1'), 'constant.numeric.decimal.kel');
    assertScope(scopes('heading = -1', '2'), 'constant.numeric.decimal.kel');
    assertScope(scopes('Aim("say', '""'), 'constant.character.escape.quote.kel');
    assertScope(scopes('Aim("say', ')'), 'punctuation.section.parens.end.kel');
});

test('KEL: preprocessor lines and embedded assembly', async () => {
    const { scopes } = await load('source.kel', path.join(root, 'tests/editors/samples/highlight.kel'));
    assertScope(scopes('#define SPEED', 'define'), 'keyword.control.directive.kel');
    assertScope(scopes('#define SPEED', 'SPEED'), 'entity.name.constant.preprocessor.kel');
    assertScope(scopes('#include', '"weapons.kelh"'), 'string.quoted.double.include.kel');
    assertScope(scopes('#ifdef DEBUG', 'ifdef'), 'keyword.control.directive.kel');
    assertScope(scopes('__zarn', '__zarn'), 'keyword.other.embedded.kel');
    assertScope(scopes('pushc 90n', 'pushc'), 'keyword.other.mnemonic.zarn');
    assertScope(scopes('done:', 'done'), 'entity.name.label.zarn');
    assertScope(scopes('pushc 90n', 'pushc'), 'meta.embedded.block.zarn');
});

test('assembly: mnemonics, labels, ddw and numbers with conversion letters', async () => {
    const tank = await load('source.zarn', path.join(root, 'examples/tank.zarn'));
    assertScope(tank.scopes('loop_1:', 'loop_1'), 'entity.name.label.zarn');
    assertScope(tank.scopes('jmp loop_1', 'jmp'), 'keyword.control.jump.zarn');
    assertScope(tank.scopes('jmp loop_1', 'loop_1'), 'entity.name.label.reference.zarn');
    assertScope(tank.scopes('pushc 90n', 'pushc'), 'keyword.other.mnemonic.zarn');
    assertScope(tank.scopes('pushc 90n', 'n'), 'keyword.other.unit.conversion.zarn');
    assertScope(tank.scopes('ddw turret', 'ddw'), 'keyword.other.data.zarn');
    assertScope(tank.scopes('ddw y-axis', 'y-axis'), 'constant.language.axis.zarn');
    assertScope(tank.scopes('proc Create', 'Create'), 'entity.name.function.zarn');

    const { scopes } = await load('source.zarn', path.join(root, 'tests/editors/samples/highlight.zarn'));
    assertScope(scopes('pushc 1Fh', '1F'), 'constant.numeric.hex.zarn');
    assertScope(scopes('pushc 1Fh', 'h'), 'keyword.other.unit.hex.zarn');
    assertScope(scopes('pushc -2.5l', '-2.5'), 'constant.numeric.decimal.zarn');
    assertScope(scopes('stop-spin;', 'stop-spin'), 'keyword.other.mnemonic.zarn');
    assertScope(scopes('invoke', 'unit.dll->Fire'), 'entity.name.function.dll.zarn');
    assertScope(scopes('pushstring', '"salvo"'), 'string.quoted.double.zarn');
    assertScope(scopes('args heading', 'args'), 'storage.type.zarn');
});

// The word lists of the programs themselves, so that a new keyword or mnemonic is coloured too.
function quotedWords(file, tableStart) {
    const text = fs.readFileSync(path.join(root, file), 'utf8');
    const table = text.slice(text.indexOf(tableStart), text.indexOf('};', text.indexOf(tableStart)));
    return [...table.matchAll(/\{"([^"]+)",/g)].map((m) => m[1]);
}

test('every keyword of kelc and every mnemonic of zarn is highlighted as one token', async () => {
    const keywords = quotedWords('kelc/Tokens.cpp', 'KeywordTable');
    assert.ok(keywords.length > 50);
    for (const word of keywords) {
        for (const written of [word, word.toUpperCase()]) {
            const tokens = await tokenize('source.kel', `${written};`);
            assert.strictEqual(tokens[0].text, written);
            assert.ok(tokens[0].scopes.some((s) => /^(keyword|storage)\./.test(s)), `${written}: ${tokens[0].scopes}`);
        }
    }
    const mnemonics = quotedWords('zarn/InstructionSet.cpp', 'kMnemonics');
    assert.ok(mnemonics.length > 60);
    for (const word of mnemonics) {
        const tokens = await tokenize('source.zarn', `${word};`);
        assert.strictEqual(tokens[0].text, word);
        assert.ok(tokens[0].scopes.some((s) => s.startsWith('keyword.')), `${word}: ${tokens[0].scopes}`);
        const upper = await tokenize('source.zarn', `${word.toUpperCase()};`);
        assert.ok(!upper[0].scopes.some((s) => s.startsWith('keyword.')), `${word.toUpperCase()} is no mnemonic`);
    }
});
