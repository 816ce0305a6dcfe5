// Tokenizes example lines of each script form with the grammars as VS Code
// loads them (vscode-textmate, Oniguruma) and checks the scopes that the
// tags, their arguments and the mistakes get.
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const textmate = require('vscode-textmate');
const oniguruma = require('vscode-oniguruma');

const root = path.join(__dirname, '..');
const manifest = JSON.parse(fs.readFileSync(path.join(root, 'package.json'), 'utf8'));
const contributed = manifest.contributes.grammars;

// The XML grammar VS Code ships and a PO grammar of another extension, as
// the grammars this one extends or injects into.
const hosts = {
  'text.xml': path.join(root, 'node_modules/tm-grammars/grammars/xml.json'),
  'source.po': path.join(root, 'node_modules/tm-grammars/grammars/po.json'),
};

function grammarFile(scopeName) {
  const own = contributed.find((g) => g.scopeName === scopeName);
  return own ? path.join(root, own.path) : hosts[scopeName];
}

const registry = new textmate.Registry({
  onigLib: (async () => {
    const wasm = fs.readFileSync(path.join(root, 'node_modules/vscode-oniguruma/release/onig.wasm'));
    await oniguruma.loadWASM(wasm.buffer.slice(wasm.byteOffset, wasm.byteOffset + wasm.byteLength));
    return {
      createOnigScanner: (patterns) => new oniguruma.OnigScanner(patterns),
      createOnigString: (s) => new oniguruma.OnigString(s),
    };
  })(),
  loadGrammar: async (scopeName) => {
    const file = grammarFile(scopeName);
    if (!file) return null;
    return textmate.parseRawGrammar(fs.readFileSync(file, 'utf8'), file);
  },
  // Injections as package.json wires them.
  getInjections: (scopeName) =>
    contributed.filter((g) => (g.injectTo || []).includes(scopeName)).map((g) => g.scopeName),
});

// Tokenizes the lines (state carried from line to line) and gives the scopes
// of the token holding the first character of the nth occurrence of needle.
async function scopesAt(scopeName, text, needle, occurrence = 1) {
  const grammar = await registry.loadGrammar(scopeName);
  assert.ok(grammar, `grammar ${scopeName} loads`);
  let state = textmate.INITIAL;
  let seen = 0;
  for (const line of text.split('\n')) {
    const result = grammar.tokenizeLine(line, state);
    state = result.ruleStack;
    let from = 0;
    for (;;) {
      const at = line.indexOf(needle, from);
      if (at < 0) break;
      from = at + 1;
      if (++seen === occurrence) {
        const token = result.tokens.find((t) => t.startIndex <= at && at < t.endIndex);
        return token.scopes;
      }
    }
  }
  assert.fail(`${JSON.stringify(needle)} occurs fewer than ${occurrence} times in ${JSON.stringify(text)}`);
}

const tagBegin = 'punctuation.definition.tag.begin.quenta';
const tagEnd = 'punctuation.definition.tag.end.quenta';
const tagName = 'entity.name.tag.quenta';
const number = 'constant.numeric.integer.quenta';
const separator = 'punctuation.separator.arguments.quenta';
const opening = 'meta.tag.quenta';
const closing = 'meta.tag.closing.quenta';
const malformed = 'invalid.illegal.tag.malformed.quenta';
const unknown = 'invalid.illegal.tag.unknown.quenta';
const ignoredSize = 'invalid.illegal.tag.ignored-size.quenta';
const lone = 'invalid.deprecated.lone-angle-bracket.quenta';
const literal = 'constant.character.escape.quenta';
const placeholder = 'constant.other.placeholder.quenta';
// Any scope of this extension but the plain grammar's root.
const anyQuenta = /^(?!text\.quenta$).+\.quenta$/;

// [grammar, text, needle, occurrence, scopes it must have, scopes it must not]
// A scope of "must not" that is a RegExp excludes every scope it matches.
const cases = [
  // Plain text: each tag form, its parts and arguments.
  ['text.quenta', '<S32>Big</S> word', '<', 1, [opening, tagBegin], [malformed]],
  ['text.quenta', '<S32>Big</S> word', 'S', 1, [opening, tagName], []],
  ['text.quenta', '<S32>Big</S> word', '32', 1, [opening, number], []],
  ['text.quenta', '<S32>Big</S> word', '>', 1, [opening, tagEnd], []],
  ['text.quenta', '<S32>Big</S> word', 'Big', 1, ['text.quenta'], [anyQuenta]],
  ['text.quenta', '<S32>Big</S> word', '/S', 1, [closing, tagName], [opening]],
  ['text.quenta', '<S32>Big</S> word', ' word', 1, [], [anyQuenta]],
  ['text.quenta', '<C255,0,0>red</C>', ',', 1, [opening, separator], []],
  ['text.quenta', '<C255,0,0>red</C>', '0', 2, [opening, number], []],
  ['text.quenta', '<C255,255,255,0,0,255>sky</C>', '255>', 1, [opening, number], [malformed]],
  ['text.quenta', '<EC0,0,0><KC64,64,64>x</KC></EC>', 'EC', 1, [opening, tagName], []],
  ['text.quenta', '<EC0,0,0><KC64,64,64>x</KC></EC>', 'KC', 1, [opening, tagName], []],
  ['text.quenta', '<EC0,0,0><KC64,64,64>x</KC></EC>', '/KC', 1, [closing, tagName], []],
  ['text.quenta', '<EC0,0,0><KC64,64,64>x</KC></EC>', '/EC', 1, [closing, tagName], []],
  ['text.quenta', '<B><E><K>x</K></E></B>', 'E', 1, [opening, tagName], []],
  ['text.quenta', '<B><E><K>x</K></E></B>', '/B', 1, [closing, tagName], []],
  ['text.quenta', 'one<R>two<CR>three', 'R', 1, [opening, tagName], []],
  ['text.quenta', 'one<R>two<CR>three', 'CR', 1, [opening, tagName], []],
  ['text.quenta', '<G12> <F1> <W5> <CE320> <SPW2> <SPH8>', 'G', 1, [opening, tagName], []],
  ['text.quenta', '<G12> <F1> <W5> <CE320> <SPW2> <SPH8>', '12', 1, [opening, number], []],
  ['text.quenta', '<G12> <F1> <W5> <CE320> <SPW2> <SPH8>', 'F1', 1, [opening], []],
  ['text.quenta', '<G12> <F1> <W5> <CE320> <SPW2> <SPH8>', 'W5', 1, [opening], []],
  ['text.quenta', '<G12> <F1> <W5> <CE320> <SPW2> <SPH8>', 'CE', 1, [opening, tagName], []],
  ['text.quenta', '<G12> <F1> <W5> <CE320> <SPW2> <SPH8>', 'SPW', 1, [opening, tagName], []],
  ['text.quenta', '<G12> <F1> <W5> <CE320> <SPW2> <SPH8>', 'SPH', 1, [opening, tagName], []],
  ['text.quenta', '</SPW></SPH></CE></F></W></C>', '/SPH', 1, [closing, tagName], []],
  ['text.quenta', '</SPW></SPH></CE></F></W></C>', '/W', 1, [closing, tagName], []],
  ['text.quenta', '嵐<B>の夜</B>', 'B', 1, [opening, tagName], []],
  ['text.quenta', '嵐<B>の夜</B>', 'の夜', 1, [], [anyQuenta]],
  // Arguments the parser cannot read: the window shows <error>.
  ['text.quenta', 'Ren: <S 32>The storm</S>', '<S', 1, [malformed], [opening]],
  ['text.quenta', 'Ren: <S 32>The storm</S>', '32', 1, [malformed, number], []],
  ['text.quenta', 'Ren: <S 32>The storm</S>', '>T', 1, [malformed, tagEnd], []],
  ['text.quenta', 'Ren: <S 32>The storm</S>', 'The', 1, [], [anyQuenta]],
  ['text.quenta', 'a<C255, 0, 0>b', '<C', 1, [malformed], []],
  ['text.quenta', 'a<C255,0>b', '<C', 1, [malformed], [opening]],
  ['text.quenta', 'a<C255,0,0,>b', '<C', 1, [malformed], [opening]],
  ['text.quenta', 'a<C255,0,0,1,2>b', '<C', 1, [malformed], [opening]],
  ['text.quenta', 'a<EC1,2,3,4>b', '<EC', 1, [malformed], [opening]],
  ['text.quenta', 'a<S>b', '<S', 1, [malformed], [opening]],
  ['text.quenta', 'a<CR5>b', 'CR', 1, [malformed, tagName], [opening]],
  ['text.quenta', 'open <B', 'B', 1, [malformed], []],
  ['text.quenta', '<Bold>', 'B', 1, [malformed], []],
  // A size of 256 or more is ignored; 255 is the largest taken.
  ['text.quenta', '<S300>x', '300', 1, [ignoredSize, number], []],
  ['text.quenta', '<S256>x', 'S', 1, [ignoredSize, tagName], []],
  ['text.quenta', '<S0256>x', 'S', 1, [ignoredSize], []],
  ['text.quenta', '<S255>x', 'S', 1, [opening], [ignoredSize]],
  ['text.quenta', '<S1000>x', 'S', 1, [ignoredSize], []],
  // Names that are no tags are drawn as written.
  ['text.quenta', 'Look <r>at this', '<r>', 1, [unknown], [opening]],
  ['text.quenta', 'x</R>y', '/R', 1, [unknown, tagName], [closing]],
  ['text.quenta', 'x</CR>y', '/CR', 1, [unknown], [closing]],
  ['text.quenta', 'x<XY12>y', '12', 1, [unknown], []],
  ['text.quenta', 'x<SPWX>y', 'SPWX', 1, [unknown], [opening, malformed]],
  ['text.quenta', 'x<Outline>y', 'Outline', 1, [unknown], []],
  ['text.quenta', 'x<B/>y', 'B/', 1, [unknown], [opening, malformed]],
  // '<<' writes '<'; a '<' before no name is drawn as text.
  ['text.quenta', '<<B> is a tag', '<<', 1, [literal], []],
  ['text.quenta', '<<B> is a tag', 'B', 1, [], [opening, malformed]],
  ['text.quenta', 'if a < b', '<', 1, [lone], []],
  ['text.quenta', 'end<', '<', 1, [lone], []],
  // printf placeholders are PO's, not plain text's.
  ['text.quenta', '100%d sure', '%d', 1, [], [placeholder]],

  // CSV: cells quoted or not, "" inside quotes, a cell over two lines.
  ['text.quenta.csv', '2,Ren,"Ren: <S 32>The storm</S> ""so"""', '<S', 1, ['string.quoted.double.csv.quenta', malformed], []],
  ['text.quenta.csv', '2,Ren,"Ren: <S 32>The storm</S> ""so"""', '/S', 1, ['string.quoted.double.csv.quenta', closing], []],
  ['text.quenta.csv', '2,Ren,"Ren: <S 32>The storm</S> ""so"""', '""', 1, ['constant.character.escape.csv.quenta'], []],
  ['text.quenta.csv', '2,Ren,"Ren: <S 32>The storm</S> ""so"""', ',', 1, ['punctuation.separator.cell.csv.quenta'], []],
  ['text.quenta.csv', '4,Ren,<B>Ren: Then we leave tonight.', 'B', 1, [opening, tagName], ['string.quoted.double.csv.quenta']],
  ['text.quenta.csv', '1,"<C255,0,0>one\ntwo</C>",x', '/C', 1, ['string.quoted.double.csv.quenta', closing], []],
  ['text.quenta.csv', '1,"<C255,0,0>one\ntwo</C>",x', 'x', 1, [], ['string.quoted.double.csv.quenta']],
  // TSV.
  ['text.quenta.tsv', '1\tAya\t<C255,200,0>Aya</C>: Good <r>morning', 'C', 1, [opening, tagName], []],
  ['text.quenta.tsv', '1\tAya\t<C255,200,0>Aya</C>: Good <r>morning', '\t', 1, ['punctuation.separator.cell.tsv.quenta'], []],
  ['text.quenta.tsv', '1\tAya\t<C255,200,0>Aya</C>: Good <r>morning', '<r', 1, [unknown], []],

  // PO, this extension's own grammar: strings, escapes and placeholders.
  ['source.quenta.po', 'msgid "x"\nmsgstr "Ren: <S 32>The storm</S>"', 'msgstr', 1, ['keyword.other.po.quenta'], []],
  ['source.quenta.po', 'msgid "x"\nmsgstr "Ren: <S 32>The storm</S>"', '<S', 1, ['string.quoted.double.po.quenta', malformed], []],
  ['source.quenta.po', 'msgid "x"\nmsgstr "Ren: <S 32>The storm</S>"', '/S', 1, ['string.quoted.double.po.quenta', closing], []],
  ['source.quenta.po', 'msgstr ""\n"%d coins <G1>\\n"\n"%1$s %%"', '%d', 1, [placeholder], []],
  ['source.quenta.po', 'msgstr ""\n"%d coins <G1>\\n"\n"%1$s %%"', 'G', 1, [opening, tagName], []],
  ['source.quenta.po', 'msgstr ""\n"%d coins <G1>\\n"\n"%1$s %%"', '\\n', 1, ['constant.character.escape.po.quenta'], [opening]],
  ['source.quenta.po', 'msgstr ""\n"%d coins <G1>\\n"\n"%1$s %%"', '%1$s', 1, [placeholder], []],
  ['source.quenta.po', 'msgstr ""\n"%d coins <G1>\\n"\n"%1$s %%"', '%%', 1, [placeholder], []],
  ['source.quenta.po', 'msgstr[1] "<R>"', '1', 1, ['constant.numeric.integer.po.quenta'], []],
  ['source.quenta.po', 'msgstr[1] "<R>"', 'R', 1, [opening, tagName], []],
  ['source.quenta.po', '# a <B> in a comment', 'B', 1, ['comment.line.number-sign.po.quenta'], [opening]],
  ['source.quenta.po', '#, fuzzy, c-format', 'fuzzy', 1, ['comment.line.number-sign.flag.po.quenta'], []],
  ['source.quenta.po', 'msgid "say \\"<B>\\""', 'B', 1, [opening], []],
  // Another extension's PO grammar, with the markup injected into strings.
  ['source.po', 'msgid "x"\nmsgstr "Look <r>at %s <C255,0,0>this</C>"', '<r', 1, ['string.quoted.double.po', unknown], []],
  ['source.po', 'msgid "x"\nmsgstr "Look <r>at %s <C255,0,0>this</C>"', '%s', 1, [placeholder], []],
  ['source.po', 'msgid "x"\nmsgstr "Look <r>at %s <C255,0,0>this</C>"', ',', 1, [opening, separator], []],
  ['source.po', 'msgid "x"\nmsgstr "Look <r>at %s <C255,0,0>this</C>"', 'msgstr', 1, [], [anyQuenta]],

  // XLIFF: tags written with &lt; in text, as they are in CDATA; XML's own
  // elements, attributes and comments are left to the XML grammar.
  ['text.xml.quenta.xliff', '<target state="translated">&lt;C255,200,0&gt;Aya&lt;/C&gt;: Hi &lt;S 32&gt;x</target>', '&lt;C', 1, [opening, tagBegin], []],
  ['text.xml.quenta.xliff', '<target state="translated">&lt;C255,200,0&gt;Aya&lt;/C&gt;: Hi &lt;S 32&gt;x</target>', '200', 1, [opening, number], []],
  ['text.xml.quenta.xliff', '<target state="translated">&lt;C255,200,0&gt;Aya&lt;/C&gt;: Hi &lt;S 32&gt;x</target>', '&gt;Aya', 1, [opening, tagEnd], []],
  ['text.xml.quenta.xliff', '<target state="translated">&lt;C255,200,0&gt;Aya&lt;/C&gt;: Hi &lt;S 32&gt;x</target>', '/C', 1, [closing, tagName], []],
  ['text.xml.quenta.xliff', '<target state="translated">&lt;C255,200,0&gt;Aya&lt;/C&gt;: Hi &lt;S 32&gt;x</target>', '&lt;S', 1, [malformed], []],
  ['text.xml.quenta.xliff', '<target state="translated">&lt;C255,200,0&gt;Aya&lt;/C&gt;: Hi &lt;S 32&gt;x</target>', 'target', 1, ['entity.name.tag.localname.xml'], [anyQuenta]],
  ['text.xml.quenta.xliff', '<target state="translated">&lt;C255,200,0&gt;Aya&lt;/C&gt;: Hi &lt;S 32&gt;x</target>', 'translated', 1, ['string.quoted.double.xml'], [anyQuenta]],
  ['text.xml.quenta.xliff', '<source>&lt;B>bold&lt;/B></source>', 'B', 1, [opening, tagName], []],
  ['text.xml.quenta.xliff', '<source>&lt;B>bold&lt;/B></source>', '/B', 1, [closing, tagName], []],
  ['text.xml.quenta.xliff', '<source>a &lt;&lt;b and &lt; c &amp; d</source>', '&lt;&lt;', 1, [literal], []],
  ['text.xml.quenta.xliff', '<source>a &lt;&lt;b and &lt; c &amp; d</source>', '&lt; c', 1, [lone], []],
  ['text.xml.quenta.xliff', '<source>a &lt;&lt;b and &lt; c &amp; d</source>', '&amp;', 1, [], [anyQuenta]],
  ['text.xml.quenta.xliff', '<target>Look <g id="1">&lt;r&gt;here</g></target>', 'g id', 1, ['entity.name.tag.localname.xml'], [anyQuenta]],
  ['text.xml.quenta.xliff', '<target>Look <g id="1">&lt;r&gt;here</g></target>', '&lt;r', 1, [unknown], []],
  ['text.xml.quenta.xliff', '<source><![CDATA[<B>bold</B> <S 32>]]></source>', 'B', 1, [opening, tagName], []],
  ['text.xml.quenta.xliff', '<source><![CDATA[<B>bold</B> <S 32>]]></source>', '<S', 1, [malformed], []],
  ['text.xml.quenta.xliff', '<!-- &lt;B&gt; is bold -->', 'B', 1, ['comment.block.xml'], [opening]],
  ['text.xml.quenta.xliff', '<trans-unit id="&lt;B&gt;">', 'B', 1, ['string.quoted.double.xml'], [opening]],
];

for (const [scopeName, text, needle, occurrence, present, absent] of cases) {
  test(`${scopeName}: ${JSON.stringify(needle)} #${occurrence} in ${JSON.stringify(text)}`, async () => {
    const scopes = await scopesAt(scopeName, text, needle, occurrence);
    for (const s of present) {
      assert.ok(scopes.includes(s), `expected ${s} in ${scopes.join(' ')}`);
    }
    for (const s of absent) {
      const hit = s instanceof RegExp ? scopes.filter((x) => s.test(x)) : scopes.filter((x) => x === s);
      assert.deepStrictEqual(hit, [], `unexpected ${hit.join(' ')} in ${scopes.join(' ')}`);
    }
  });
}
