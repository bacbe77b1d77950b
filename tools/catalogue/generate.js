// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the current-CSS property catalogue (data/css3.txt) and the named value syntaxes
// (data/css3syntax.txt) from the open data of mdn-data and @mdn/browser-compat-data.
'use strict';

const fs = require('fs');
const path = require('path');

const properties = require('mdn-data/css/properties.json');
const atRules = require('mdn-data/css/at-rules.json');
const syntaxes = require('mdn-data/css/syntaxes.json');
const selectors = require('mdn-data/css/selectors.json');
const l10n = require('mdn-data/l10n/css.json');
const bcd = require('@mdn/browser-compat-data');

const dataDir = path.resolve(__dirname, '..', '..', 'data');
const version = (name) =>
  JSON.parse(fs.readFileSync(path.join(__dirname, 'node_modules', name, 'package.json'))).version;

const kGlobals = ['inherit', 'initial', 'unset', 'revert', 'revert-layer'];
const kBrowsers = ['chrome', 'edge', 'firefox', 'safari'];
// Data types that open one of the program's value pickers.
const kPickers = {
  color: ['<color>'],
  length: ['<length>'],
  'length-percentage': ['<length>', '<percentage>'],
  percentage: ['<percentage>'],
  url: ['<url>'],
  image: ['<url>'],
  'family-name': ['<font>'],
};
const kPickerOrder = ['<color>', '<length>', '<percentage>', '<url>', '<font>'];
// Descriptors whose at-rule makes them useful inside a block of a style sheet.
const kDescriptorRules = ['@font-face', '@page', '@property', '@counter-style',
  '@font-palette-values', '@view-transition'];

// English text of an mdn-data fact key, without markup; a literal value stays as it is.
function english(fact) {
  if (Array.isArray(fact)) {
    return `as each of its parts: ${fact.join(', ')}`;
  }
  const entry = l10n[fact];
  let text = entry ? entry['en-US'] : String(fact);
  // "lpc" reads "$1$, percentage or calc()", its first word being the length fact's.
  if (fact === 'lpc') {
    text = text.replace('$1$', l10n.length['en-US']);
  }
  // A tag's quoted attributes may hold ">" (a link's title names "<length>").
  return text.replace(/<(?:[^>"']|"[^"]*"|'[^']*')*>/g, '')
    // MDN's link macros ({{cssxref("display")}}, {{SVGElement("rect")}}) read as what they name.
    .replace(/\{\{\s*(\w+)\(\s*"([^"]*)"[^}]*\)\s*\}\}/g,
      (macro, kind, name) => (kind === 'SVGElement' ? `<${name}>` : name))
    .replace(/&nbsp;/g, ' ').replace(/\s+/g, ' ').trim();
}

// The keywords and picker placeholders a value syntax allows at its top level, following the
// named syntaxes and property references it uses; function arguments are not followed.
function valueWords(syntax, seen = new Set()) {
  const words = [];
  const pickers = new Set();
  let depth = 0;
  const token = /<'([^']+)'>|<([a-z0-9-]+)(\(\))?(?:\s*\[[^\]]*\])?>|'[^']*'|([a-zA-Z-][a-zA-Z0-9-]*)(\()?|(\()|(\))/g;
  let m;
  while ((m = token.exec(syntax)) !== null) {
    if (m[6]) {
      ++depth;
      continue;
    }
    if (m[7]) {
      depth = Math.max(0, depth - 1);
      continue;
    }
    if (m[4] && m[5]) {
      ++depth;  // a function name opens its argument list
      continue;
    }
    if (depth > 0) {
      continue;
    }
    let nested = null;
    if (m[1]) {
      const key = `'${m[1]}'`;
      if (!seen.has(key) && properties[m[1]]) {
        seen.add(key);
        nested = valueWords(properties[m[1]].syntax, seen);
      }
    } else if (m[2] && m[3]) {
      // a function's syntax offers no keywords of its own
    } else if (m[2]) {
      if (kPickers[m[2]]) {
        kPickers[m[2]].forEach((p) => pickers.add(p));
      } else if (!seen.has(m[2]) && syntaxes[m[2]]) {
        seen.add(m[2]);
        nested = valueWords(syntaxes[m[2]].syntax, seen);
      }
    } else if (m[4]) {
      words.push(m[4]);
    }
    if (nested) {
      words.push(...nested.words);
      nested.pickers.forEach((p) => pickers.add(p));
    }
  }
  return { words, pickers };
}

function valueList(syntax) {
  const { words, pickers } = valueWords(syntax);
  const keywords = [...new Set(words)].filter((w) => !kGlobals.includes(w));
  return [...keywords, ...kPickerOrder.filter((p) => pickers.has(p)), ...kGlobals].join('|');
}

// One browser's support as a field without blanks: the first version, followed by "+partial",
// "+prefix" or "+flag" where that applies; "no" where it is absent and "?" where it is unknown.
function supportField(compat, browser) {
  if (!compat || !compat.support || compat.support[browser] === undefined) {
    return '?';
  }
  const statements = [].concat(compat.support[browser]);
  const current = statements.filter((s) => !s.version_removed && typeof s.version_added === 'string');
  const plain = current.find((s) => !s.prefix && !s.alternative_name && !s.flags);
  const chosen = plain || current.find((s) => !s.flags) || current[0];
  if (!chosen) {
    return statements.some((s) => s.version_added === null) ? '?' : 'no';
  }
  let field = chosen.version_added.replace(/^[≤<=]+/, '');
  if (chosen.partial_implementation) {
    field += '+partial';
  }
  if (chosen.prefix || chosen.alternative_name) {
    field += '+prefix';
  }
  if (chosen.flags) {
    field += '+flag';
  }
  return field;
}

// A value the catalogue reader would otherwise lose its enclosing quotes from keeps them.
function iniValue(text) {
  const s = String(text).replace(/[\r\n]+/g, ' ').trim();
  return /^(["']).*\1$/.test(s) ? `"${s}"` : s;
}

// Groups that also list properties of other modules (anchor positioning lists the insets and
// margins): a property goes under another of its groups where it has one.
const kCrossCutting = ['CSS Anchor Positioning', 'CSS Logical Properties and Values'];

function category(groups) {
  const list = groups || [];
  const group = list.find((g) => !kCrossCutting.includes(g)) || list[0] || 'Miscellaneous';
  return group.replace(/^CSS /, '');
}

// Where the open data lags the CSS modules: overrides.ini (its head says how), applied
// before anything is written. An override the open data has caught up with, or whose text the
// open data changed under, is named on the console.
function readOverrides() {
  const list = [];
  let entry = null;
  for (const raw of fs.readFileSync(path.join(__dirname, 'overrides.ini'), 'utf8').split(/\r?\n/)) {
    const line = raw.trim();
    if (line === '' || line.startsWith(';')) {
      continue;
    }
    const head = line.match(/^\[(\w+) (.+)\]$/);
    if (head) {
      entry = { kind: head[1], name: head[2] };
      list.push(entry);
      continue;
    }
    const pair = line.match(/^(\w+)=(.*)$/);
    if (!pair || !entry) {
      throw new Error(`overrides.ini: cannot read "${line}"`);
    }
    entry[pair[1]] = pair[2].trim();
  }
  return list;
}

const squeeze = (text) => String(text || '').replace(/\s+/g, ' ').replace(/\[ /g, '[').replace(/ \]/g, ']').trim();
// The top-level alternatives of a syntax ("a | b( c | d )" gives "a" and "b( c | d )").
function alternatives(syntax) {
  const parts = [];
  let depth = 0;
  let start = 0;
  const text = String(syntax || '');
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (c === '(' || c === '[') {
      ++depth;
    } else if (c === ')' || c === ']') {
      --depth;
    } else if (c === '|' && depth === 0 && text[i + 1] !== '|' && text[i - 1] !== '|') {
      parts.push(squeeze(text.slice(start, i)));
      start = i + 1;
    }
  }
  parts.push(squeeze(text.slice(start)));
  return parts;
}

const aliases = new Map();
const extraDescriptors = new Map();
const extraSelectors = new Map();
function applyOverride(o) {
  if (!o.source) {
    throw new Error(`overrides.ini: [${o.kind} ${o.name}] names no source`);
  }
  if (o.kind === 'selectors') {
    const prefix = o.name === 'pseudo-classes' ? ':' : '::';
    const missing = o.add.split('|').filter((n) => !selectors[prefix + n] && !selectors[`${prefix}${n}()`]);
    if (missing.length === 0) {
      console.log(`overrides.ini [selectors ${o.name}]: no longer needed, the open data holds them`);
    }
    extraSelectors.set(o.name, missing);
    return;
  }
  if (o.kind === 'descriptors') {
    const rule = atRules[o.name];
    const missing = o.add.split('|').filter((n) => !(rule.descriptors || {})[n]);
    if (missing.length === 0) {
      console.log(`overrides.ini [descriptors ${o.name}]: no longer needed, the open data holds them`);
    }
    extraDescriptors.set(o.name, missing);
    return;
  }
  if (o.kind === 'alias') {
    if (!properties[o.use]) {
      throw new Error(`overrides.ini: [alias ${o.name}] uses ${o.use}, which the open data lacks`);
    }
    aliases.set(o.name, o.use);
    return;
  }
  let holder;
  let key = o.name;
  if (o.kind === 'syntax') {
    holder = syntaxes;
  } else if (o.kind === 'property') {
    holder = properties;
  } else if (o.kind === 'descriptor') {
    const [rule, name] = o.name.split(' ');
    holder = atRules[rule] && atRules[rule].descriptors;
    key = name;
  }
  if (!holder) {
    throw new Error(`overrides.ini: cannot place [${o.kind} ${o.name}]`);
  }
  const open = holder[key] ? holder[key].syntax : undefined;
  const note = (what) => console.log(`overrides.ini [${o.kind} ${o.name}]: ${what}`);
  if (o.add !== undefined) {
    if (open === undefined) {
      throw new Error(`overrides.ini: [${o.kind} ${o.name}] adds to a syntax the open data lacks`);
    }
    const have = alternatives(open);
    const missing = alternatives(o.add).filter((a) => !have.includes(a));
    if (missing.length === 0) {
      note('no longer needed, the open data holds it');
      return;
    }
    holder[key] = { ...holder[key], syntax: `${open} | ${missing.join(' | ')}` };
    return;
  }
  if (open !== undefined && squeeze(open) === squeeze(o.syntax)) {
    note('no longer needed, the open data says the same');
  } else if (open !== undefined && o.was === undefined) {
    note('the open data has a syntax of its own now: see whether it still lags');
  } else if (open !== undefined && squeeze(open) !== squeeze(o.was)) {
    note('the open data changed: see whether it still lags');
  }
  holder[key] = { ...(holder[key] || {}), syntax: o.syntax };
}
readOverrides().forEach(applyOverride);

// Every non-prefixed property, then the descriptors that are not also properties.
const entries = [];
for (const [name, p] of Object.entries(properties)) {
  if (name.startsWith('-')) {
    continue;
  }
  entries.push({ name, facts: p, category: category(p.groups),
    compat: bcd.css.properties[name] && bcd.css.properties[name].__compat });
}
// A name that still works beside the current one: its row has the current one's syntax.
for (const [name, use] of aliases) {
  const entry = entries.find((e) => e.name === name);
  if (entry) {
    entry.useInstead = use;
  } else {
    const p = properties[use];
    entries.push({ name, useInstead: use, category: category(p.groups),
      facts: { ...p, status: 'deprecated' },
      compat: bcd.css.properties[name] && bcd.css.properties[name].__compat });
  }
}
const known = new Set(entries.map((e) => e.name));
for (const rule of kDescriptorRules) {
  for (const [name, d] of Object.entries(atRules[rule].descriptors || {})) {
    if (known.has(name) || name.startsWith('-')) {
      continue;
    }
    known.add(name);
    const ruleCompat = bcd.css['at-rules'][rule.slice(1)];
    entries.push({ name, facts: d, category: `Descriptors of ${rule}`, atRule: rule,
      compat: ruleCompat && ruleCompat[name] && ruleCompat[name].__compat });
  }
}

// Level 2 properties that current CSS dropped stay, marked obsolete, so that sheets and
// pickers written for them keep their rows.
const css2 = fs.readFileSync(path.join(dataDir, 'css2.txt'), 'latin1');
for (const section of css2.split(/\r?\n(?=\[\d+\])/).slice(1)) {
  const field = (key) => (section.match(new RegExp(`^${key}=(.*)$`, 'm')) || [])[1];
  const name = field('name');
  if (!name || known.has(name)) {
    continue;
  }
  known.add(name);
  const value = field('value') || '';
  entries.push({ name, category: 'Obsolete CSS2', css2Value: value,
    facts: { syntax: value.startsWith('/') ? '' : value.split('|').join(' | '), status: 'obsolete',
      computed: value.startsWith('/') ? value.slice(1).split('/') : undefined,
      initial: ((field('info') || '').match(/Initial value: (.*?)\.?$/) || [])[1] || '' } });
}

// Shorthands name their parts; a part must come earlier, so parts are written first.
const byName = new Map(entries.map((e) => [e.name, e]));
const partsOf = (e) => (Array.isArray(e.facts.computed) ? e.facts.computed : [])
  .filter((n) => byName.has(n) && n !== e.name);
const ordered = [];
const placed = new Set();
function place(e, trail = new Set()) {
  if (placed.has(e.name) || trail.has(e.name)) {
    return;
  }
  trail.add(e.name);
  partsOf(e).forEach((n) => place(byName.get(n), trail));
  placed.add(e.name);
  ordered.push(e);
}
[...entries].sort((a, b) => a.name.localeCompare(b.name)).forEach((e) => place(e));

const categories = [...new Set(ordered.map((e) => e.category))].sort();
const out = [];
const mdnVersion = version('mdn-data');
const bcdVersion = version('@mdn/browser-compat-data');
out.push(
  '; css3.txt - the current CSS property catalogue of Quillmere, read from beside the program.',
  '; Generated by tools/catalogue/generate.js; do not edit by hand (see tools/catalogue/README.md).',
  `; Source: mdn-data ${mdnVersion} and @mdn/browser-compat-data ${bcdVersion}, both CC0 1.0`,
  '; (public domain dedication) by MDN contributors.',
  ';',
  '; The keys of css1.txt and css2.txt, with these in addition:',
  ';   syntax, initial, appliesto, inherited, percentages, animation  the value syntax and the',
  ';              facts about the property, in English',
  ';   status     standard, experimental, nonstandard or obsolete',
  ';   atrule     for a descriptor: the at-rule whose block it belongs in',
  ';   useinstead an old name that still works: the property to write instead',
  ';   supported  Chrome | Edge | Firefox | Safari: the first version, marked "+partial",',
  ';              "+prefix" or "+flag" where that applies; "no" for none, "?" for unknown',
  ';   "info" is absent: the program composes the description from the facts.',
  '',
  '[catalogue]',
  `source=mdn-data ${mdnVersion}, @mdn/browser-compat-data ${bcdVersion}`,
  'browsers=Chrome|Edge|Firefox|Safari',
  '',
  '[categories]',
  ...categories.map((c, i) => `${i}=${c}`),
  '',
  '; The pseudo-classes and pseudo-elements selectors may name, without their colons and',
  '; brackets (vendor-prefixed ones left out: a browser maker\'s own are never judged).',
  '[selectors]',
  ...['pseudo-classes', 'pseudo-elements'].map((kind) => {
    const prefix = kind === 'pseudo-classes' ? /^:[^:]/ : /^::/;
    const names = Object.keys(selectors).filter((n) => prefix.test(n))
      .map((n) => n.replace(/^::?/, '').replace(/\(\)$/, ''))
      .filter((n) => !n.startsWith('-'));
    return `${kind}=${[...new Set(names.concat(extraSelectors.get(kind) || []))].sort().join('|')}`;
  }),
  '',
  '; Every descriptor of these at-rules, also those that share a property\'s name.',
  '[descriptors]',
  ...kDescriptorRules.map((rule) => `${rule}=${Object.keys(atRules[rule].descriptors || {})
    .concat(extraDescriptors.get(rule) || []).filter((n) => !n.startsWith('-')).sort()
    .join('|')}`),
  '',
  '; The features @media and @container conditions test, with the value syntax of each: from',
  '; tools/catalogue/mediafeatures.ini, which names the CSS module of each.',
  '[media-features]',
  ...fs.readFileSync(path.join(__dirname, 'mediafeatures.ini'), 'utf8').split(/\r?\n/)
    .map((line) => line.trim()).filter((line) => /^[a-z][a-z0-9-]*=/.test(line)),
);
ordered.forEach((e, i) => {
  const f = e.facts;
  const parts = partsOf(e);
  out.push('', `[${i + 1}]`, `name=${e.name}`, `category=${categories.indexOf(e.category)}`);
  if (parts.length > 0) {
    out.push(`value=/${parts.join('/')}`);
  } else if (e.css2Value !== undefined) {
    const keywords = e.css2Value.split('|').filter((w) => w && !kGlobals.includes(w));
    out.push(`value=${[...keywords, ...kGlobals].join('|')}`);
  } else if (f.syntax) {
    out.push(`value=${valueList(f.syntax)}`);
  }
  if (f.syntax) {
    out.push(`syntax=${iniValue(f.syntax)}`);
  }
  const fact = (key, value) => {
    if (value !== undefined && value !== '') {
      out.push(`${key}=${iniValue(english(value))}`);
    }
  };
  fact('initial', f.initial);
  fact('appliesto', f.appliesto);
  if (f.inherited !== undefined) {
    out.push(`inherited=${f.inherited ? 'yes' : 'no'}`);
  }
  fact('percentages', f.percentages);
  fact('animation', f.animationType);
  out.push(`status=${f.status || 'standard'}`);
  if (e.atRule) {
    out.push(`atrule=${e.atRule}`);
  }
  if (e.useInstead) {
    out.push(`useinstead=${e.useInstead}`);
  }
  out.push(`supported=${kBrowsers.map((b) => supportField(e.compat, b)).join('|')}`);
});
fs.writeFileSync(path.join(dataDir, 'css3.txt'), `${out.join('\n')}\n`);

const syntaxOut = [
  '; css3syntax.txt - the named value syntaxes of current CSS, as the property syntaxes of',
  '; css3.txt refer to them ("<name>"). Generated by tools/catalogue/generate.js from',
  `; mdn-data ${mdnVersion} (css/syntaxes.json), CC0 1.0 by MDN contributors.`,
  '',
  '[syntaxes]',
  ...Object.keys(syntaxes).sort().map((n) => `${n}=${iniValue(syntaxes[n].syntax)}`),
];
fs.writeFileSync(path.join(dataDir, 'css3syntax.txt'), `${syntaxOut.join('\n')}\n`);
console.log(`css3.txt: ${ordered.length} properties in ${categories.length} categories`);
