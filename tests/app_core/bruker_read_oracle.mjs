// A third-party reader of Bruker folders as a second, independent oracle of
// the tests: the npm package installed by tools/install-deps.sh into
// tools/bruker_oracle from its committed package.json and package-lock.json.
// Usage: node bruker_read_oracle.mjs <folder>... (one start for many
// folders: the package takes seconds to load).
// Prints for each folder "folder <path>", then "meta KEY value" for the
// acquisition parameters the tests compare, "data <blocks> <points>" and
// "point <block> <k> <re> <im>" for every sample (numbers in JavaScript's
// shortest round-trip form), or "error <text>" when the package refuses
// the folder. Exit code 3 when the package is not installed.
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const require = createRequire(join(here, '../../tools/bruker_oracle/package.json'));
let converter, filelist;
try {
  converter = require('brukerconverter');
  filelist = require('filelist-utils');
} catch (e) {
  console.log('error not installed: ' + e.message.split('\n')[0]);
  process.exit(3);
}

const first = (v) => (Array.isArray(v) ? v[0] : v);
for (const folder of process.argv.slice(2)) {
  const lines = [`folder ${folder}`];
  try {
    const collection = await filelist.fileCollectionFromPath(folder);
    const results = await converter.convertFileCollection(collection, {
      converter: { keepSpectra: true },
    });
    if (results.length !== 1) throw new Error(`${results.length} experiments found`);
    const { meta, spectra } = results[0];
    for (const key of ['TD', 'SW_h', 'SFO1', 'DECIM', 'DSPFVS', 'GRPDLY', 'BYTORDA', 'DTYPA', 'NUC1']) {
      if (meta[key] !== undefined) lines.push(`meta ${key} ${first(meta[key])}`);
    }
    // A second dimension: its TD (the block count) as the package read it.
    if (Array.isArray(meta.TD) && meta.TD.length > 1) lines.push(`meta TD2 ${meta.TD[1]}`);
    const points = spectra.length ? spectra[0].nbPoints : 0;
    lines.push(`data ${spectra.length} ${points}`);
    spectra.forEach((s, b) => {
      const { re, im } = s.data;
      for (let k = 0; k < s.nbPoints; ++k) lines.push(`point ${b} ${k} ${re[k]} ${im[k]}`);
    });
  } catch (e) {
    lines.splice(1);
    lines.push('error ' + String(e.message).split('\n')[0]);
  }
  process.stdout.write(lines.join('\n') + '\n');
}
