'use strict';
// The "kelc" task type: builds one script with kelc and shows its output with absolute file
// names, so that the kelc and zarn problem matchers can open every reported file.
const vscode = require('vscode');
const childProcess = require('child_process');
const path = require('path');
const { findProgram, rewriteLine } = require('./kelcOutput');

function runKelc(file, writeLine, finish) {
    let finished = false;
    const done = (status) => {
        if (!finished) finish(status);
        finished = true;
    };
    const setting = vscode.workspace.getConfiguration('kel').get('kelcPath', 'kelc');
    const kelc = findProgram(setting);
    if (kelc === undefined) {
        writeLine(`kelc not found: "${setting}" (set kel.kelcPath)`);
        done(1);
        return undefined;
    }
    // Standard input stays closed, so a pause after an error ends at once.
    const child = childProcess.spawn(kelc, [file], { cwd: path.dirname(kelc), stdio: ['ignore', 'pipe', 'pipe'] });
    const show = (line) => writeLine(rewriteLine(line, path.dirname(kelc), path.dirname(file)));
    const forward = (stream) => {
        let pending = '';
        stream.setEncoding('utf8');
        stream.on('data', (chunk) => {
            const lines = (pending + chunk).split(/\r?\n/);
            pending = lines.pop();
            lines.forEach(show);
        });
        stream.on('end', () => {
            if (pending !== '') show(pending);
        });
    };
    forward(child.stdout);
    forward(child.stderr);
    child.on('error', (error) => {
        writeLine(`kelc could not be started: ${error.message}`);
        done(1);
    });
    child.on('close', (status) => done(status === null ? 1 : status));
    return child;
}

function buildTask(definition, scope) {
    // A relative name in tasks.json means a file of the workspace folder.
    const folder = scope !== undefined && scope.uri !== undefined ? scope.uri.fsPath : '';
    const execution = new vscode.CustomExecution(async (resolved) => {
        const written = new vscode.EventEmitter();
        const closed = new vscode.EventEmitter();
        let child;
        return {
            onDidWrite: written.event,
            onDidClose: closed.event,
            open: () => {
                child = runKelc(path.resolve(folder, resolved.file), (line) => written.fire(line + '\r\n'),
                                (status) => closed.fire(status));
            },
            close: () => {
                if (child !== undefined) child.kill();
            },
        };
    });
    const name = definition.file === '${file}' ? 'build current script' : 'build ' + path.basename(definition.file);
    const task = new vscode.Task(definition, scope, name, 'kelc', execution,
                                 ['$kelc', '$zarn', '$kel-gnu']);
    task.group = vscode.TaskGroup.Build;
    return task;
}

function activate(context) {
    context.subscriptions.push(vscode.tasks.registerTaskProvider('kelc', {
        provideTasks: () => [buildTask({ type: 'kelc', file: '${file}' }, vscode.TaskScope.Workspace)],
        resolveTask: (task) => (task.definition.file ? buildTask(task.definition, task.scope) : undefined),
    }));
}

function deactivate() {}

module.exports = { activate, deactivate };
