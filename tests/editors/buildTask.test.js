'use strict';
// The extension's "kelc" task type, run outside the editor: a stand-in for the editor's API
// records what the extension registers, then the task builds real scripts with kelc.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const Module = require('module');
const { manifest, programFolder } = require('./support');
const { problemsIn } = require('./problemMatcher');

const settings = { kelcPath: 'kelc' };
const providers = {};

class EventEmitter {
    constructor() {
        this.listeners = [];
        this.event = (listener) => this.listeners.push(listener);
    }
    fire(value) {
        for (const listener of this.listeners) listener(value);
    }
}

const editorApi = {
    workspace: { getConfiguration: () => ({ get: (key, fallback) => settings[key] ?? fallback }) },
    tasks: {
        registerTaskProvider: (type, provider) => {
            providers[type] = provider;
            return { dispose() {} };
        },
    },
    CustomExecution: class { constructor(callback) { this.callback = callback; } },
    Task: class {
        constructor(definition, scope, name, source, execution, problemMatchers) {
            Object.assign(this, { definition, scope, name, source, execution, problemMatchers });
        }
    },
    EventEmitter,
    TaskGroup: { Build: 'build' },
    TaskScope: { Workspace: 'workspace' },
};

const load = Module._load;
Module._load = function (request, ...rest) {
    return request === 'vscode' ? editorApi : load.call(this, request, ...rest);
};
require('../../editors/vscode/extension').activate({ subscriptions: [] });

// Runs a task as the editor would and gives its status and its terminal lines.
async function runTask(task, file) {
    const terminal = await task.execution.callback({ ...task.definition, file });
    const written = [];
    terminal.onDidWrite((text) => written.push(text));
    const status = await new Promise((resolve) => {
        terminal.onDidClose(resolve);
        terminal.open();
    });
    return { status, lines: written.join('').split('\r\n') };
}

function scriptFolder(files) {
    const programs = programFolder();
    settings.kelcPath = path.join(programs, 'kelc');
    const scripts = path.join(programs, 'mod');
    fs.mkdirSync(scripts);
    for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(scripts, name), text);
    return scripts;
}

test('one build task for the current script, in the build group, with every contributed matcher', () => {
    const tasks = providers.kelc.provideTasks();
    assert.strictEqual(tasks.length, 1);
    const [task] = tasks;
    assert.deepStrictEqual(task.definition, { type: 'kelc', file: '${file}' });
    assert.strictEqual(task.name, 'build current script');
    assert.strictEqual(task.group, 'build');
    const contributed = manifest.contributes.problemMatchers.map((m) => '$' + m.name);
    assert.deepStrictEqual([...task.problemMatchers].sort(), [...contributed].sort());
    assert.ok(manifest.contributes.taskDefinitions.some((d) => d.type === 'kelc'));
});

test('a clean script builds to its COB file and the task ends with status 0', async () => {
    const scripts = scriptFolder({ 'good.kel': 'piece base;\nCreate()\n{\n  turn base to y-axis <90> now;\n}\n' });
    const [task] = providers.kelc.provideTasks();
    const { status, lines } = await runTask(task, path.join(scripts, 'good.kel'));
    assert.strictEqual(status, 0, lines.join('\n'));
    assert.ok(fs.existsSync(path.join(scripts, 'good.cob')));
    assert.ok(lines.includes('Source: ' + path.join(scripts, 'good.kel')), lines.join('\n'));
});

test('errors name the script by its absolute path, so the matcher opens it from any workspace', async () => {
    const scripts = scriptFolder({ 'bad.kel': 'piece base;\nCreate()\n{\n  foo = 3;\n}\n' });
    // As a tasks.json entry of the script's workspace folder would give it.
    const task = providers.kelc.resolveTask({
        definition: { type: 'kelc', file: 'bad.kel' },
        scope: { uri: { fsPath: scripts } },
    });
    assert.strictEqual(task.name, 'build bad.kel');
    const { status, lines } = await runTask(task, 'bad.kel');
    assert.strictEqual(status, 1);
    const problems = problemsIn(lines, 'kelc');
    assert.ok(problems.length > 0, lines.join('\n'));
    assert.ok(problems.every((p) => p.file === path.join(scripts, 'bad.kel')));
});

test('a kelc that cannot be found is said in the terminal, and the task fails', async () => {
    const [task] = providers.kelc.provideTasks();
    settings.kelcPath = path.join(programFolder(), 'no-such-kelc');
    const { status, lines } = await runTask(task, 'any.kel');
    assert.strictEqual(status, 1);
    assert.match(lines[0], /^kelc not found: ".*no-such-kelc" \(set kel\.kelcPath\)$/);
});

test('a bare program name is looked up along PATH, and a link leads to the folder kelc lies in', () => {
    const { findProgram } = require('../../editors/vscode/kelcOutput');
    const programs = programFolder();
    const bin = path.join(programs, 'bin');
    fs.mkdirSync(bin);
    fs.symlinkSync(path.join(programs, 'kelc'), path.join(bin, 'kelc'));
    const env = { PATH: [path.join(programs, 'missing'), bin].join(path.delimiter) };
    assert.strictEqual(findProgram('kelc', env, 'linux'), fs.realpathSync(path.join(programs, 'kelc')));
    assert.strictEqual(findProgram('zarn-not-here', env, 'linux'), undefined);
});
