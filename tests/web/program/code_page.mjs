// The page's code page as the build makes it: the source table cp932.txt
// packed into the binary table the page loads.
import { readFileSync } from 'node:fs';

import { Cp932 } from '../../../web/program/cp932.js';
import { packCp932 } from '../../../web/tools/cp932_pack.mjs';

export const sourceTable = readFileSync(new URL('../../../web/program/cp932.txt', import.meta.url), 'utf8');
export const codePage = new Cp932(packCp932(sourceTable));
