'use strict';
// The editor loads what the manifest names and drops, silently, what it cannot read: every
// named file must exist and parse, and every regular expression in them must compile.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { extension, manifest } = require('./support');

function readJson(relative) {
    return JSON.parse(fs.readFileSync(path.join(extension, relative), 'utf8'));
}

test('every file the manifest names is there and parses', () => {
    const { contributes } = manifest;
    assert.ok(fs.existsSync(path.join(extension, manifest.main)));
    const files = [
        ...contributes.languages.map((l) => l.configuration),
        ...contributes.grammars.map((g) => g.path),
        ...contributes.snippets.map((s) => s.path),
    ];
    for (const file of files) assert.doesNotThrow(() => readJson(file), file);
    for (const grammar of contributes.grammars)
        assert.strictEqual(readJson(grammar.path).scopeName, grammar.scopeName);
});

test('the language settings hold regular expressions that compile', () => {
    for (const language of manifest.contributes.languages) {
        const settings = readJson(language.configuration);
        const { wordPattern, folding, indentationRules } = settings;
        const expressions = [wordPattern, folding.markers.start, folding.markers.end];
        if (indentationRules !== undefined)
            expressions.push(indentationRules.increaseIndentPattern, indentationRules.decreaseIndentPattern);
        for (const expression of expressions) assert.doesNotThrow(() => new RegExp(expression), expression);
    }
});

test('each problem matcher uses a contributed pattern', () => {
    const patterns = manifest.contributes.problemPatterns.map((p) => '$' + p.name);
    for (const matcher of manifest.contributes.problemMatchers) assert.ok(patterns.includes(matcher.pattern));
});
