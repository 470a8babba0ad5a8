'use strict';
// kelc makes its own folder the current one, so the file names in its messages and in zarn's
// "File:" line are relative to that folder. The build task rewrites them to absolute names so
// that the problem matchers open the right file from any workspace.
const fs = require('fs');
const path = require('path');

// The program as kelc will see itself: "kelc" is looked up along PATH, links are followed.
function findProgram(name, env = process.env, platform = process.platform) {
    const candidates = [];
    if (name.includes('/') || name.includes('\\')) {
        candidates.push(path.resolve(name));
    } else {
        const suffixes = platform === 'win32' ? ['', '.exe'] : [''];
        for (const dir of (env.PATH || '').split(path.delimiter).filter(Boolean))
            for (const suffix of suffixes) candidates.push(path.join(dir, name + suffix));
    }
    for (const candidate of candidates) {
        try {
            if (fs.statSync(candidate).isFile()) return fs.realpathSync(candidate);
        } catch (_) {
            // not there: try the next one
        }
    }
    return undefined;
}

// A relative name is taken from the first folder that holds it; a name found nowhere is kept.
function absoluteName(name, folders) {
    if (path.isAbsolute(name)) return name;
    for (const folder of folders) {
        const candidate = path.resolve(folder, name);
        if (fs.existsSync(candidate)) return candidate;
    }
    return name;
}

// Lines that name one of the files of a build, all relative to kelc's folder.
const namingLines = ['Source: ', 'Dest: ', 'Preprocessor Output: ', 'ZARN error log: ', 'File: '];

// Messages quote file names as "name"(line:column); an include file is named as its directive
// wrote it, so the built script's folder is tried after kelc's.
function rewriteLine(line, kelcFolder, scriptFolder) {
    const label = namingLines.find((prefix) => line.startsWith(prefix));
    if (label !== undefined) return label + path.resolve(kelcFolder, line.slice(label.length));
    if (!line.startsWith('[')) return line;
    return line.replace(/"([^"]*)"\((\d+:\d+)\)/g,
                        (_, name, position) => `"${absoluteName(name, [kelcFolder, scriptFolder])}"(${position})`);
}

module.exports = { findProgram, rewriteLine };
