'use strict';
// Shared by the editor tests: the extension's own files, a TextMate tokenizer loaded with its
// grammars, and kelc and zarn copied into a program folder of their own.
const fs = require('fs');
const os = require('os');
const path = require('path');
const childProcess = require('child_process');

const root = path.resolve(__dirname, '../..');
const extension = path.join(root, 'editors/vscode');
const manifest = JSON.parse(fs.readFileSync(path.join(extension, 'package.json'), 'utf8'));

let registry;
async function loadRegistry() {
    if (registry !== undefined) return registry;
    const oniguruma = require('vscode-oniguruma');
    const textmate = require('vscode-textmate');
    const wasm = fs.readFileSync(require.resolve('vscode-oniguruma/release/onig.wasm'));
    await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
    const grammarFiles = {};
    for (const g of manifest.contributes.grammars) grammarFiles[g.scopeName] = path.join(extension, g.path);
    registry = new textmate.Registry({
        onigLib: Promise.resolve({
            createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
            createOnigString: (text) => new oniguruma.OnigString(text),
        }),
        loadGrammar: async (scopeName) => {
            const file = grammarFiles[scopeName];
            if (file === undefined) return null;
            return textmate.parseRawGrammar(fs.readFileSync(file, 'utf8'), file);
        },
    });
    return registry;
}

// Every token of every line: {line (0-based), text, scopes}.
async function tokenize(scopeName, text) {
    const textmate = require('vscode-textmate');
    const grammar = await (await loadRegistry()).loadGrammar(scopeName);
    const tokens = [];
    let state = textmate.INITIAL;
    text.split(/\r?\n/).forEach((line, index) => {
        const result = grammar.tokenizeLine(line, state);
        for (const t of result.tokens)
            tokens.push({ line: index, text: line.slice(t.startIndex, t.endIndex), scopes: t.scopes });
        state = result.ruleStack;
    });
    return tokens;
}

// The scopes of the first token with this text, on the first line that contains `context`.
function scopesAt(tokens, lines, context, tokenText) {
    const lineIndex = lines.findIndex((l) => l.includes(context));
    if (lineIndex < 0) throw new Error(`no line contains ${context}`);
    const token = tokens.find((t) => t.line === lineIndex && t.text === tokenText);
    if (token === undefined) {
        const texts = tokens.filter((t) => t.line === lineIndex).map((t) => JSON.stringify(t.text));
        throw new Error(`no token ${JSON.stringify(tokenText)} on line ${lineIndex + 1}: ${texts.join(' ')}`);
    }
    return token.scopes;
}

// kelc finds zarn beside itself and writes its settings there, so each test gets its own copy.
function programFolder() {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'kel-editors-'));
    process.on('exit', () => fs.rmSync(folder, { recursive: true, force: true }));
    for (const [variable, name] of [['KEL_KELC', 'kelc'], ['KEL_ZARN', 'zarn']]) {
        const target = path.join(folder, name);
        fs.copyFileSync(process.env[variable], target);
        fs.chmodSync(target, 0o755);
    }
    return folder;
}

// Standard input stays closed, so kelc's pause after an error ends at once.
function run(program, args, cwd) {
    const result = childProcess.spawnSync(program, args, { cwd, encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });
    return { status: result.status, lines: (result.stdout + result.stderr).split(/\r?\n/) };
}

module.exports = { root, extension, manifest, tokenize, scopesAt, programFolder, run };
