// What the extension asks of the language client: `quenta lsp` from the
// configured program, for every script language, with quenta.settings as the
// initialization options; a change of program starts a new server. VS Code
// and the client are stood in for by recorders.
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const Module = require('module');
const path = require('path');

function load(settings) {
  const made = [];
  const handlers = { commands: {}, configuration: [] };
  const vscode = {
    workspace: {
      getConfiguration: (section) => {
        assert.strictEqual(section, 'quenta');
        return { get: (key, fallback) => (key in settings ? settings[key] : fallback) };
      },
      createFileSystemWatcher: (glob) => ({ glob }),
      onDidChangeConfiguration: (handler) => {
        handlers.configuration.push(handler);
        return { dispose() {} };
      },
    },
    window: { showErrorMessage: (text) => made.push({ error: text }) },
    commands: {
      registerCommand: (name, handler) => {
        handlers.commands[name] = handler;
        return { dispose() {} };
      },
    },
  };
  class LanguageClient {
    constructor(id, name, server, client) {
      Object.assign(this, { id, name, server, client, started: false, stopped: false, sent: [] });
      made.push(this);
    }
    async start() {
      if (settings.failStart) throw new Error('spawn nowhere ENOENT');
      this.started = true;
    }
    async stop() {
      this.stopped = true;
    }
    isRunning() {
      return this.started && !this.stopped;
    }
    async sendNotification(method, params) {
      this.sent.push({ method, params });
    }
  }
  const fakes = { vscode, 'vscode-languageclient/node': { LanguageClient } };
  const original = Module._load;
  Module._load = function (request, ...rest) {
    return request in fakes ? fakes[request] : original.call(this, request, ...rest);
  };
  const file = path.join(__dirname, '../src/extension.js');
  delete require.cache[file];
  try {
    return { extension: require(file), made, handlers };
  } finally {
    Module._load = original;
  }
}

const context = () => ({ subscriptions: [] });

test('starts quenta lsp from PATH by default, for every script language', async () => {
  const { extension, made } = load({});
  await extension.activate(context());
  assert.strictEqual(made.length, 1);
  const [client] = made;
  assert.strictEqual(client.server.command, 'quenta');
  assert.deepStrictEqual(client.server.args, ['lsp']);
  assert.strictEqual(client.server.transport, undefined, 'stdio, with no --stdio added');
  assert.ok(client.started);
  const languages = new Set(client.client.documentSelector.map((s) => s.language));
  assert.deepStrictEqual([...languages].sort(), ['quenta', 'quenta-csv', 'quenta-po', 'quenta-tsv', 'quenta-xliff']);
  assert.deepStrictEqual(client.client.initializationOptions, {});
  assert.strictEqual(client.client.synchronize.fileEvents.glob, '**/quenta.toml');
});

test('the configured program, its arguments and the settings go to the server', async () => {
  const settings = { window: '480x96', maxLines: 2 };
  const { extension, made } = load({
    'server.path': '/opt/quenta/bin/quenta',
    'server.arguments': ['--verbose'],
    settings,
  });
  await extension.activate(context());
  const [client] = made;
  assert.strictEqual(client.server.command, '/opt/quenta/bin/quenta');
  assert.deepStrictEqual(client.server.args, ['lsp', '--verbose']);
  assert.deepStrictEqual(client.client.initializationOptions, settings);
});

test('the "quenta" settings the server gets are quenta.settings alone, when asked and when changed', async () => {
  const settings = { window: '480x96', maxLines: 2 };
  const { extension, made, handlers } = load({ 'server.path': 'quenta', settings });
  await extension.activate(context());
  const [client] = made;
  const next = async (params) => params.items.map((item) => `answer for ${item.section}`);
  const answers = await client.client.middleware.workspace.configuration(
    { items: [{ section: 'quenta' }, { section: 'files' }] }, null, next);
  assert.deepStrictEqual(answers, [settings, 'answer for files']);
  settings.window = '640x120';
  await handlers.configuration[0]({ affectsConfiguration: (section) => section === 'quenta.settings' });
  assert.deepStrictEqual(client.sent, [
    { method: 'workspace/didChangeConfiguration', params: { settings: { quenta: { window: '640x120', maxLines: 2 } } } },
  ]);
  assert.strictEqual(made.length, 1, 'new settings need no new server');
});

test('a change of the program restarts the server; other changes do not', async () => {
  const { extension, made, handlers } = load({});
  await extension.activate(context());
  const [change] = handlers.configuration;
  await change({ affectsConfiguration: (section) => section === 'files.associations' });
  assert.strictEqual(made.length, 1);
  assert.deepStrictEqual(made[0].sent, []);
  await change({ affectsConfiguration: (section) => section === 'quenta.server' });
  assert.strictEqual(made.length, 2);
  assert.ok(made[0].stopped);
  assert.ok(made[1].started);
  await handlers.commands['quenta.restartServer']();
  assert.strictEqual(made.length, 3);
  assert.ok(made[1].stopped);
  await extension.deactivate();
  assert.ok(made[2].stopped);
});

test('a program that cannot be started is reported with the setting to change', async () => {
  const { extension, made } = load({ 'server.path': 'nowhere', failStart: true });
  await extension.activate(context());
  const error = made.find((m) => m.error);
  assert.ok(error, 'an error message is shown');
  assert.match(error.error, /nowhere lsp/);
  assert.match(error.error, /quenta\.server\.path/);
});
