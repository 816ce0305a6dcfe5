#!/usr/bin/env node
// Writes the TextMate grammars of syntaxes/ from one description of the
// markup, so that the plain-text, CSV, TSV, PO and XLIFF grammars colour the
// same tags the same way. `npm run grammars` rewrites them; the tests fail
// when a committed grammar differs from what this script writes.
'use strict';

const fs = require('fs');
const path = require('path');

// Tag names as the parser reads them: the longest run of upper-case letters
// and '/', matched whole.
const switches = ['B', 'E', 'K', 'R', 'CR'];
const numeric = ['CE', 'F', 'G', 'S', 'SPW', 'SPH', 'W'];
const colours = ['EC', 'KC']; // three numbers; C takes three or six
const closing = ['/B', '/C', '/CE', '/E', '/EC', '/F', '/K', '/KC', '/S', '/SPW', '/SPH', '/W'];
const known = [...switches, ...numeric, ...colours, 'C', ...closing];

// Longest names first, so that an alternation never settles on a prefix.
const alternation = (names) =>
  [...names].sort((a, b) => b.length - a.length || a.localeCompare(b)).join('|');

const scope = (name) => `${name}.quenta`;
const arguments_ = {
  patterns: [
    { match: '[0-9]+', name: scope('constant.numeric.integer') },
    { match: ',', name: scope('punctuation.separator.arguments') },
  ],
};

// The markup patterns for one way of writing '<' and '>': as themselves in
// plain text, PO, CSV and XML's CDATA; as references in XML text.
function markup(lt, gt) {
  const tag = (nameScope, args) => {
    const captures = {
      1: { name: scope('punctuation.definition.tag.begin') },
      2: { name: scope(nameScope) },
    };
    if (args) {
      captures[3] = arguments_;
      captures[4] = { name: scope('punctuation.definition.tag.end') };
    } else {
      captures[3] = { name: scope('punctuation.definition.tag.end') };
    }
    return captures;
  };
  return {
    markup: {
      patterns: [
        { include: '#literal-angle-bracket' },
        { include: '#ignored-size' },
        { include: '#opening-tag' },
        { include: '#closing-tag' },
        { include: '#malformed-tag' },
        { include: '#unknown-tag' },
        { include: '#lone-angle-bracket' },
      ],
    },
    // '<<' writes one '<'.
    'literal-angle-bracket': { match: `${lt}${lt}`, name: scope('constant.character.escape') },
    // A size of 256 or more is ignored by the parser, silently.
    'ignored-size': {
      match: `(${lt})(S)(0*(?:25[6-9]|2[6-9][0-9]|[3-9][0-9]{2}|[1-9][0-9]{3,}))(${gt})`,
      name: scope('invalid.illegal.tag.ignored-size'),
      captures: tag('entity.name.tag', true),
    },
    'opening-tag': {
      patterns: [
        {
          match: `(${lt})(${alternation(switches)})(${gt})`,
          name: scope('meta.tag'),
          captures: tag('entity.name.tag', false),
        },
        {
          match: `(${lt})(${alternation(numeric)})([0-9]+)(${gt})`,
          name: scope('meta.tag'),
          captures: tag('entity.name.tag', true),
        },
        {
          match: `(${lt})(C)([0-9]+,[0-9]+,[0-9]+(?:,[0-9]+,[0-9]+,[0-9]+)?)(${gt})`,
          name: scope('meta.tag'),
          captures: tag('entity.name.tag', true),
        },
        {
          match: `(${lt})(${alternation(colours)})([0-9]+,[0-9]+,[0-9]+)(${gt})`,
          name: scope('meta.tag'),
          captures: tag('entity.name.tag', true),
        },
      ],
    },
    'closing-tag': {
      match: `(${lt})(${alternation(closing)})(${gt})`,
      name: scope('meta.tag.closing'),
      captures: tag('entity.name.tag', false),
    },
    // A tag name the parser knows, with arguments it cannot read: the window
    // shows "<error>". Blanks, digits and commas are taken with it, as the
    // writer meant them as its arguments (<S 32>, <C255, 0, 0>).
    'malformed-tag': {
      match: `(${lt})(${alternation(known)})(?![A-Z/])([0-9, \\t]*)(${gt})?`,
      name: scope('invalid.illegal.tag.malformed'),
      captures: tag('entity.name.tag', true),
    },
    // A name that is no tag (<XY>, </R>, <Outline>, or lower case: <r>) is
    // drawn as written.
    'unknown-tag': {
      match: `(${lt})([A-Za-z/][A-Za-z0-9/,]*)(${gt})?`,
      name: scope('invalid.illegal.tag.unknown'),
      captures: tag('entity.name.tag', false),
    },
    // A '<' followed by no name is drawn as text.
    'lone-angle-bracket': { match: lt, name: scope('invalid.deprecated.lone-angle-bracket') },
  };
}

const plainMarkup = markup('<', '>');
const xmlMarkup = markup('&lt;', '(?:&gt;|>)');

// printf placeholders of c-format PO entries, which the wrapper keeps whole.
const placeholder = {
  match: '%(?:%|<[A-Za-z0-9_]+>|(?:[0-9]+\\$)?[-+ #0\']*(?:[0-9]+|\\*)?(?:\\.(?:[0-9]+|\\*))?(?:hh|h|ll|l|L|q|j|z|t)?[diouxXeEfFgGaAcspn])',
  name: 'constant.other.placeholder.quenta',
};

const poString = {
  begin: '"',
  end: '"',
  beginCaptures: { 0: { name: 'punctuation.definition.string.begin.po.quenta' } },
  endCaptures: { 0: { name: 'punctuation.definition.string.end.po.quenta' } },
  name: 'string.quoted.double.po.quenta',
  patterns: [
    { match: '\\\\.', name: 'constant.character.escape.po.quenta' },
    { include: '#placeholder' },
    { include: '#markup' },
  ],
};

const grammars = {
  'quenta.tmLanguage.json': {
    name: 'Quenta script',
    scopeName: 'text.quenta',
    patterns: [{ include: '#markup' }],
    repository: plainMarkup,
  },
  'quenta-csv.tmLanguage.json': {
    name: 'Quenta script (CSV)',
    scopeName: 'text.quenta.csv',
    patterns: [
      {
        // A quoted cell: "" is one quote, and line breaks are part of it.
        begin: '(?:^|(?<=,))"',
        end: '"(?!")',
        beginCaptures: { 0: { name: 'punctuation.definition.string.begin.csv.quenta' } },
        endCaptures: { 0: { name: 'punctuation.definition.string.end.csv.quenta' } },
        name: 'string.quoted.double.csv.quenta',
        patterns: [{ match: '""', name: 'constant.character.escape.csv.quenta' }, { include: '#markup' }],
      },
      { match: ',', name: 'punctuation.separator.cell.csv.quenta' },
      { include: '#markup' },
    ],
    repository: plainMarkup,
  },
  'quenta-tsv.tmLanguage.json': {
    name: 'Quenta script (TSV)',
    scopeName: 'text.quenta.tsv',
    patterns: [
      {
        begin: '(?:^|(?<=\\t))"',
        end: '"(?!")',
        beginCaptures: { 0: { name: 'punctuation.definition.string.begin.tsv.quenta' } },
        endCaptures: { 0: { name: 'punctuation.definition.string.end.tsv.quenta' } },
        name: 'string.quoted.double.tsv.quenta',
        patterns: [{ match: '""', name: 'constant.character.escape.tsv.quenta' }, { include: '#markup' }],
      },
      { match: '\\t', name: 'punctuation.separator.cell.tsv.quenta' },
      { include: '#markup' },
    ],
    repository: plainMarkup,
  },
  'quenta-po.tmLanguage.json': {
    name: 'Quenta script (PO)',
    scopeName: 'source.quenta.po',
    patterns: [
      { match: '^#~.*$', name: 'comment.line.number-sign.obsolete.po.quenta' },
      {
        match: '^(#,)(.*)$',
        name: 'comment.line.number-sign.flag.po.quenta',
        captures: { 1: { name: 'punctuation.definition.comment.po.quenta' } },
      },
      { match: '^#.*$', name: 'comment.line.number-sign.po.quenta' },
      {
        match: '^(msgctxt|msgid_plural|msgid|msgstr)(?:(\\[)([0-9]+)(\\]))?(?=[ \\t]|$)',
        captures: {
          1: { name: 'keyword.other.po.quenta' },
          2: { name: 'punctuation.definition.index.begin.po.quenta' },
          3: { name: 'constant.numeric.integer.po.quenta' },
          4: { name: 'punctuation.definition.index.end.po.quenta' },
        },
      },
      poString,
    ],
    repository: { ...plainMarkup, placeholder },
  },
  // XLIFF is XML: the XML grammar as it is, and the markup injected into its
  // text (written with &lt;) and its CDATA (written as it is).
  'quenta-xliff.tmLanguage.json': {
    name: 'Quenta script (XLIFF)',
    scopeName: 'text.xml.quenta.xliff',
    patterns: [{ include: 'text.xml' }],
  },
  'quenta-xliff-text.injection.json': {
    scopeName: 'quenta.injection.xliff.text',
    injectionSelector: 'L:text.xml.quenta.xliff -meta.tag -comment -string -meta.embedded',
    patterns: [{ include: '#markup' }],
    repository: xmlMarkup,
  },
  'quenta-xliff-cdata.injection.json': {
    scopeName: 'quenta.injection.xliff.cdata',
    injectionSelector: 'L:text.xml.quenta.xliff string.unquoted.cdata',
    patterns: [{ include: '#markup' }],
    repository: plainMarkup,
  },
  // Another extension's PO grammar: the markup and placeholders in its
  // strings.
  'quenta-po-strings.injection.json': {
    scopeName: 'quenta.injection.po.strings',
    injectionSelector: 'L:source.po string.quoted.double -constant.character.escape',
    patterns: [{ include: '#placeholder' }, { include: '#markup' }],
    repository: { ...plainMarkup, placeholder },
  },
};

function render(grammar) {
  return JSON.stringify(grammar, null, 2) + '\n';
}

module.exports = { grammars, render, known };

if (require.main === module) {
  for (const [file, grammar] of Object.entries(grammars)) {
    fs.writeFileSync(path.join(__dirname, file), render(grammar));
  }
}
