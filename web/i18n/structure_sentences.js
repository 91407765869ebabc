// The structure panel's sentences: why a structure gives no answers, and
// what the page says beside the answers it wrote, in the reader's words.

import { TABLE_IDS } from '../chemistry/hetero_tables.js';

// Words for a refusal code and its details.
export function refusalSentence(refusal, t) {
  const params = { ...refusal };
  if (refusal.kind) params.kind = t(`structure.kind.${refusal.kind}`);
  if (refusal.kinds) [params.first, params.second] = refusal.kinds.map((kind) => t(`structure.kind.${kind}`));
  if (refusal.numbers) [params.i, params.j] = refusal.numbers;
  if (TABLE_IDS.includes(refusal.table)) params.table = t(`structure.table.${refusal.table}`);
  if (refusal.group) params.group = t(`structure.group.${refusal.group}`);
  if (refusal.atom !== undefined) params.index = refusal.atom + 1;
  if (refusal.code === 'smiles-unreadable') {
    if (refusal.position === null) return t('structure.refusal.smiles-unreadable-somewhere');
    params.position = refusal.position + 1;
  }
  return t(`structure.refusal.${refusal.code}`, params);
}

export function noteSentence({ note, ...params }, t) {
  const sources = (list) => list.map((s) => t(`structure.source.${s}`)).join('; ');
  if (note === 'atom') {
    return t('structure.note.atom', {
      ...params,
      kind: t(`structure.kind.${params.kind}`),
      sources: sources(params.sources) || t('structure.source.carbon'),
    });
  }
  if (note === 'bond') return t('structure.note.bond', { ...params, sources: sources(params.sources) });
  if (note === 'left') return t(`structure.note.left.${params.reason}`, params);
  return t(`structure.note.${note}`, params);
}
