// Prints the records of an ADIF file as JSON lines, read by the npm package
// adif-parser-ts, in the form of `logreplay dump`: one object per record,
// upper-case field names in byte order, bytes read as Latin-1 and escaped
// from 0x7F up.
//   node adif_dump.js FILE      (adif-parser-ts found through NODE_PATH)
'use strict';
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');

const text = fs.readFileSync(process.argv[2], 'latin1');
const records = AdifParser.parseAdi(text).records || [];
const lines = records.map((record) => {
  const upper = {};
  for (const name of Object.keys(record).map((n) => n.toUpperCase()).sort()) {
    upper[name] = record[name.toLowerCase()];
  }
  return JSON.stringify(upper).replace(
      /[\u007f-\uffff]/g, (c) => '\\u' + c.charCodeAt(0).toString(16).padStart(4, '0'));
});
process.stdout.write(lines.map((line) => line + '\n').join(''));
