// Starts `quenta lsp` for the script forms and hands it the editor's
// settings; everything a writer sees besides the colours comes from it.
'use strict';

const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

const languages = ['quenta', 'quenta-csv', 'quenta-tsv', 'quenta-po', 'quenta-xliff'];

let client;

function serverOptions(config) {
  const command = config.get('server.path') || 'quenta';
  const args = ['lsp', ...config.get('server.arguments', [])];
  return { command, args, transport: TransportKind.stdio };
}

function clientOptions(config) {
  return {
    documentSelector: languages.flatMap((language) => [
      { scheme: 'file', language },
      { scheme: 'untitled', language },
    ]),
    // The quenta.toml keys, as the server reads them from the settings file;
    // later changes reach it as workspace/didChangeConfiguration, and its
    // workspace/configuration requests are answered from the same section.
    initializationOptions: config.get('settings', {}),
    synchronize: {
      configurationSection: 'quenta',
      fileEvents: vscode.workspace.createFileSystemWatcher('**/quenta.toml'),
    },
    outputChannelName: 'Quenta',
  };
}

async function start() {
  const config = vscode.workspace.getConfiguration('quenta');
  client = new LanguageClient('quenta', 'Quenta', serverOptions(config), clientOptions(config));
  try {
    await client.start();
  } catch (error) {
    const path = config.get('server.path') || 'quenta';
    vscode.window.showErrorMessage(
      `Quenta: cannot start "${path} lsp" (${error.message}). Set quenta.server.path to the quenta program.`,
    );
  }
}

async function stop() {
  if (client) {
    const running = client;
    client = undefined;
    await running.stop().catch(() => {});
  }
}

async function activate(context) {
  context.subscriptions.push(
    vscode.commands.registerCommand('quenta.restartServer', async () => {
      await stop();
      await start();
    }),
    // A new program or new arguments take a new server.
    vscode.workspace.onDidChangeConfiguration(async (event) => {
      if (event.affectsConfiguration('quenta.server')) {
        await stop();
        await start();
      }
    }),
  );
  await start();
}

function deactivate() {
  return stop();
}

module.exports = { activate, deactivate };
