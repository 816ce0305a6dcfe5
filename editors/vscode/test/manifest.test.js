// The committed grammars are what syntaxes/build.js writes, and package.json
// wires up every grammar and language the extension starts the server for.
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { grammars, render } = require('../syntaxes/build.js');

const root = path.join(__dirname, '..');
const manifest = JSON.parse(fs.readFileSync(path.join(root, 'package.json'), 'utf8'));

test('the committed grammars are what build.js writes (npm run grammars)', () => {
  for (const [file, grammar] of Object.entries(grammars)) {
    const committed = fs.readFileSync(path.join(root, 'syntaxes', file), 'utf8');
    assert.strictEqual(committed, render(grammar), `syntaxes/${file} is stale: run npm run grammars`);
  }
});

test('every grammar build.js writes is contributed, with its own scope name', () => {
  const byPath = new Map(manifest.contributes.grammars.map((g) => [path.normalize(g.path), g]));
  for (const [file, grammar] of Object.entries(grammars)) {
    const entry = byPath.get(path.normalize(`./syntaxes/${file}`));
    assert.ok(entry, `syntaxes/${file} is not in contributes.grammars`);
    assert.strictEqual(entry.scopeName, grammar.scopeName);
  }
});

test('every language the server is started for has a grammar', () => {
  const source = fs.readFileSync(path.join(root, 'src/extension.js'), 'utf8');
  const listed = JSON.parse(source.match(/const languages = (\[[^\]]*\]);/)[1].replace(/'/g, '"'));
  const languages = manifest.contributes.languages.map((l) => l.id);
  const withGrammar = manifest.contributes.grammars.map((g) => g.language).filter(Boolean);
  assert.deepStrictEqual([...listed].sort(), [...languages].sort());
  for (const id of languages) assert.ok(withGrammar.includes(id), `${id} has no grammar`);
});
