// Starts `quenta lsp` for the script forms and hands it the editor's
// settings; everything a writer sees besides the colours comes from it.
'use strict';

const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

const languages = ['quenta', 'quenta-csv', 'quenta-tsv', 'quenta-po', 'quenta-xliff'];

let client;

function serverOptions(config) {
  const command = config.get('server.path') || 'quenta';
  const args = ['lsp', ...config.get('server.arguments', [])];
  // No transport named: the client then talks on standard input and output
  // without adding --stdio to the command line.
  return { command, args };
}

// What the server reads as its "quenta" settings: quenta.settings alone, since
// the program and the trace settings are the extension's own.
function serverSettings() {
  return vscode.workspace.getConfiguration('quenta').get('settings', {});
}

function clientOptions() {
  return {
    documentSelector: languages.flatMap((language) => [
      { scheme: 'file', language },
      { scheme: 'untitled', language },
    ]),
    // The settings over those of the quenta.toml in force; a change is sent
    // as workspace/didChangeConfiguration (below), and a workspace/
    // configuration request for the "quenta" section is answered with them.
    initializationOptions: serverSettings(),
    middleware: {
      workspace: {
        configuration: async (params, token, next) => {
          const answers = await next(params, token);
          if (!Array.isArray(answers)) return answers;
          return params.items.map((item, i) => (item.section === 'quenta' ? serverSettings() : answers[i]));
        },
      },
    },
    synchronize: {
      fileEvents: vscode.workspace.createFileSystemWatcher('**/quenta.toml'),
    },
    outputChannelName: 'Quenta',
  };
}

async function start() {
  const config = vscode.workspace.getConfiguration('quenta');
  client = new LanguageClient('quenta', 'Quenta', serverOptions(config), clientOptions());
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
    // A new program or new arguments take a new server; new settings are
    // sent to the one running.
    vscode.workspace.onDidChangeConfiguration(async (event) => {
      if (event.affectsConfiguration('quenta.server')) {
        await stop();
        await start();
      } else if (event.affectsConfiguration('quenta.settings') && client && client.isRunning()) {
        await client.sendNotification('workspace/didChangeConfiguration', { settings: { quenta: serverSettings() } });
      }
    }),
  );
  await start();
}

function deactivate() {
  return stop();
}

module.exports = { activate, deactivate };
