// ページの言葉（日本語）。ここのキーはすべて en.js にもある。
export default {
  // page
  'page.title': 'orbcalc：ヒュッケル分子軌道法',
  'page.heading': 'orbcalc',
  'page.intro':
    '単純ヒュッケル分子軌道法の計算プログラムです。コンソール版のプログラムそのものを' +
    'このページの中で動かしています。下の欄で質問に答えるか、回答ファイルを実行してください。',
  'page.footer':
    '出力は Shift_JIS の端末と同じように表示します。「出力を保存」では、コンソール版が書き出すのと' +
    '同じバイト列（Shift_JIS、CR LF）をそのまま保存します。入力した回答は Shift_JIS で' +
    'プログラムに渡します。データがこのページの外へ送られることはありません。',
  'language.label': '言語',
  'language.ja': '日本語',
  'language.en': 'English',

  // toolbar
  'toolbar.label': '回答ファイルと出力',
  'toolbar.example': '例題',
  'toolbar.runExample': '例題を実行',
  'toolbar.open': '回答ファイルを開く…',
  'toolbar.saveAnswers': '回答を保存',
  'toolbar.saveOutput': '出力を保存',
  'toolbar.undo': '最後の回答を取り消す',
  'toolbar.restart': '最初からやり直す',

  // console
  'console.label': 'コンソール：プログラムの出力とあなたの回答',
  'console.moreBytes': ' …（残り {count} バイトは表示していません）',
  'answer.label': '回答',
  'answer.send': '送信',
  'answer.endInput': '入力の終わり',
  'answer.keys': 'Enter で回答を送信します。空の行で Ctrl+D を押すと、端末と同じく入力を終えます。',
  'answer.notEncodable': '「{character}」(U+{code}) は Shift_JIS (コードページ 932) で表せません',
  'diagnostics.title': '診断メッセージ（標準エラー出力）',

  // status
  'status.loading': 'プログラムを読み込んでいます…',
  'status.loadFailed':
    'プログラムを読み込めませんでした（{reason}）。このページは Web サーバーを通して' +
    '開いてください（例：python3 -m http.server -d フォルダー）。',
  'status.pageFailed': 'ページでエラーが起きました：{reason}',
  'status.waiting': '回答を待っています：{prompt}',
  'status.finished': '終了しました：終了ステータス {status}（{meaning}）。',
  'status.finishedWithDiagnostic': '終了しました：終了ステータス {status}（{meaning}）。診断メッセージを下に示します。',
  'status.notSent': '送信しませんでした：{reason}。',
  'status.meaning.0': '正常終了',
  'status.meaning.1': '作業用メモリーを確保できなかった',
  'status.meaning.2': '実行時エラー',
  'status.meaning.4': 'エラー報告中の失敗',
  'status.meaning.95': 'プロセッサー例外',
  'status.meaning.other': '異常終了',

  // structure
  'structure.summary': '構造から始める：SMILES を入力するか分子を描く',
  'structure.smiles': 'SMILES',
  'structure.read': '読み込む',
  'structure.table': 'ヘテロ原子パラメータ',
  'structure.table.streitwieser': 'Streitwieser (1961)',
  'structure.table.van-catledge': 'Van-Catledge (1980)（Rauk の表）',
  'structure.name': '化合物名',
  'structure.editor': '分子エディタ',
  'structure.drawing': 'π電子系と原子番号',
  'structure.renumber': '原子の番号を付け直す',
  'structure.renumberCancel': '番号の付け直しをやめる',
  'structure.renumberHint':
    '{count} 個のうち {next} 番にする原子を選んでください（クリック、または Tab で移って Enter。Esc でやめる）。',
  'structure.answers': 'プログラムへの回答（実行する前に編集できます）',
  'structure.run': 'この回答で実行',
  'structure.copyLink': 'リンクをコピー',
  'structure.link': 'この計算へのリンク',
  'structure.atom.numbered': '原子 {number}、{element}',
  'structure.atom.unnumbered': 'まだ番号のない原子、{element}',
  'structure.kind.carbon': '炭素',
  'structure.kind.carbocation': 'カルボカチオンの炭素（空の p 軌道）',
  'structure.kind.carbanion': 'カルボアニオンの炭素（満たされた p 軌道）',
  'structure.kind.carbon-radical': 'ラジカル炭素（電子 1 個）',
  'structure.kind.n-pyridine': 'π電子 1 個の窒素（ピリジン型）',
  'structure.kind.n-pyrrole': 'π電子 2 個の窒素（ピロール型・アニリン型）',
  'structure.kind.n-plus': '正電荷の窒素 N⁺（ピリジニウム型）',
  'structure.kind.o-carbonyl': 'π電子 1 個の酸素（カルボニル）',
  'structure.kind.o-ether': 'π電子 2 個の酸素（フラン・エーテル・ヒドロキシ）',
  'structure.kind.o-plus': '正電荷の酸素 O⁺（ピリリウム型）',
  'structure.kind.s-thione': 'π電子 1 個の硫黄（チオカルボニル）',
  'structure.kind.s-thiophene': 'π電子 2 個の硫黄（チオフェン型）',
  'structure.kind.f': 'フッ素',
  'structure.kind.cl': '塩素',
  'structure.kind.br': '臭素',
  'structure.kind.i': 'ヨウ素',
  'structure.kind.b': 'ホウ素（空の p 軌道）',
  'structure.group.cumulene': '集積二重結合（アレン・ケテン。二つのπ結合が直交する）',
  'structure.group.charge': 'このモデルに種類のない電荷または原子価',
  'structure.group.nitro': 'ニトロ基または N-オキシド',
  'structure.group.hypervalent': 'スルホキシドまたはスルホン',
  'structure.group.radical': '炭素以外のラジカル、またはカルベン',
  'structure.group.element': 'ここにヒュッケル・パラメータのない元素',
  'structure.refusal.molfile-unreadable': 'molfile を読み取れませんでした。',
  'structure.refusal.smiles-unreadable': 'この SMILES は読めません。{position} 文字目に問題があります。',
  'structure.refusal.smiles-unreadable-somewhere': 'この SMILES は読めません。',
  'structure.refusal.no-pi':
    'この分子にはπ電子系がありません（二重結合・三重結合・芳香環も、それに隣接する電荷やラジカルの炭素もありません）。',
  'structure.refusal.too-many': 'π電子系の原子が {count} 個あります。プログラムが扱えるのは {limit} 個までです。',
  'structure.refusal.kind-missing':
    '{table} のパラメータには、π原子 {number}（{kind}）の値がありません。もう一方の表を選ぶか、分子を変えてください。',
  'structure.refusal.bond-missing':
    '{table} のパラメータには、原子 {i} と {j} の結合（{first} と {second}）の値がありません。',
  'structure.refusal.group': '原子 {index}（{symbol}）は{group}の一部で、ここでの単純ヒュッケル法では扱えません。',
  'structure.refusal.unknown-table': 'そのようなパラメータの表はありません。',
  'structure.refusal.name-unencodable':
    '化合物名に Shift_JIS（コードページ 932）で書けない「{character}」があります。名前を変えてください。',
  'structure.refusal.answers-unencodable': '回答に Shift_JIS（コードページ 932）で書けない「{character}」があります。',
  'structure.refusal.link-too-long':
    'このリンクは長すぎます（「#」の後が {limit} 文字を超えています）。何も実行していません。',
  'structure.refusal.link-malformed':
    'このリンクは壊れています。「#」の後がこのページの書いた回答や構造ではありません。何も実行していません。',
  'structure.refusal.link-unknown-table':
    'このリンクは、このページにないパラメータの表を指しています。何も実行していません。',
  'structure.refusal.link-order': 'このリンクの番号付けは分子に合いません。何も実行していません。',
  'structure.note.system': 'π電子系：原子 {atoms} 個、結合 {bonds} 本、π電子 {electrons} 個。',
  'structure.note.atom': '原子 {number}：{kind}、π電子 {electrons} 個、h = {h}（{sources}）。',
  'structure.note.bond': '結合 {i}–{j}：k = {k}（{sources}）。',
  'structure.note.left.hydrogen': '除外：原子として描かれた水素 {count} 個。',
  'structure.note.left.saturated': '除外：飽和した原子 {count} 個（p 軌道なし）。',
  'structure.note.left.not-conjugated': '除外：π電子系につながっていない原子 {count} 個。',
  'structure.note.hydrogens': '水素（{count} 個）はπ電子系に含めません。',
  'structure.note.components': 'π電子系は {count} つの離れた部分からなり、まとめて解きます。',
  'structure.source.carbon': '炭素：定義により h = 0',
  'structure.source.streitwieser-1961':
    'A. Streitwieser, Molecular Orbital Theory for Organic Chemists, Wiley 1961, p. 135',
  'structure.source.coulson': 'Python パッケージ coulson のパラメータ表で確認',
  'structure.source.shokhirev': 'N. V. Shokhirev, F. A. Walker の HMO パラメータ表（2003）で確認',
  'structure.source.van-catledge-1980':
    'F. A. Van-Catledge, J. Org. Chem. 45, 4801 (1980)（A. Rauk, Orbital Interaction Theory of Organic Chemistry の表）',
  'structure.source.moha-rauk': 'theochem/ModelHamiltonian にある Rauk の表の写しで確認',
  // levels
  'pictures.title': '結果の図',
  'levels.title': 'エネルギー準位図',
  'levels.energy': 'E',
  'levels.alpha': 'α',
  'levels.x': 'x = {x}',
  'levels.homo': 'HOMO',
  'levels.lumo': 'LUMO',
  'levels.somo': 'SOMO',
  'levels.gap': 'ギャップ {gap}|β|',
  'levels.orbitalLabel': '軌道 {number}：x = {x}、電子 {electrons} 個',
  'levels.explain':
    'E = α + xβ（β < 0）なので、最も結合性の準位が一番下にあります。矢印が電子です。' +
    '準位を選ぶ（クリック、または Tab と Enter）と、その軌道を描きます。',
  'levels.partlyFilled': '最高被占準位（{mark}）は一部しか占有されていないので、HOMO–LUMO ギャップはありません。',
  'levels.saveSvg': '準位図を保存（SVG）',
  'levels.savePng': '準位図を保存（PNG）',
  'problem.no-atoms': '図は描けません：原子がありません。',
  'problem.electron-count':
    '図は描けません：{electrons} 個の電子は {atoms} 個の軌道に入りません。' + '電子数は 0 から {most} までです。',
  'problem.not-finite':
    '図は描けません：根または係数に有限でない値（+Inf、-Inf、NaN）があり、' + '表は解を表していません。',
  'problem.not-converged':
    '図は描けません：反復が収束しないまま止まりました（標準エラーの警告を参照）。' + '根と係数は解ではありません。',

  // orbital
  'orbital.title': '分子上の軌道',
  'orbital.heading': 'ψ{number}：E = {energy}、電子 {electrons} 個',
  'orbital.energyPlus': 'α + {x}β',
  'orbital.energyMinus': 'α − {x}β',
  'orbital.legend':
    '円の面積は係数の二乗に比例します。塗りつぶしは正の係数、白抜きは負の係数です。' + '原子番号は表と同じです。',
  'orbital.previous': '前の軌道',
  'orbital.next': '次の軌道',
  'orbital.all': 'すべての軌道を一覧',
  'orbital.saveSvg': '軌道を保存（SVG）',
  'orbital.savePng': '軌道を保存（PNG）',
  'orbital.layingOut': '分子の配置を計算しています…',
  'molecule.heteroAtom': '{number}（h = {h}）',
  'molecule.heteroH': 'h = {h}',

  // properties
  'properties.title': 'π電子の性質',
  'properties.quantity': '量',
  'properties.bondAtoms': '{i}–{j}',
  'properties.atoms': '原子',
  'properties.value': '値',
  'properties.unit': '単位',
  'properties.piEnergy': 'π電子エネルギー E_π',
  'properties.piEnergyValue': '{electrons}α + {beta}β',
  'properties.delocalisation': '非局在化エネルギー E_π − E_π（孤立した二重結合）',
  'properties.gap': 'HOMO–LUMO ギャップ',
  'properties.density': 'π電子密度 q_r',
  'properties.bondOrder': 'π結合次数 p_rs',
  'properties.freeValence': '自由原子価 F_r = √3 − Σ p_rs',
  'properties.unitBeta': 'β',
  'properties.unitAbsBeta': '|β|',
  'properties.unitElectrons': '電子',
  'properties.unitNone': '—',
  'properties.noDelocalisation':
    '非局在化エネルギーは示しません：ケクレ構造をもち、各炭素に π電子が 1 個ある' + '炭化水素についてだけ求めます。',
  'properties.noGap':
    'HOMO–LUMO ギャップは示しません：最高被占準位が一部しか占有されていないか、空の準位がありません。',
  'properties.shared':
    '一部だけ占有された縮退準位の電子は、これらの和では縮退した軌道に均等に分けています。' +
    'そのため、縮退軌道の中での係数の選び方によって値が変わることはありません。',
  'properties.drawing': '原子上の π電子密度 q_r と結合上の結合次数 p_rs',
  'properties.netCharge': '正味の π 電荷（原子が持ち込む π 電子数 − q_r）',
  'properties.unitCharge': 'e',
  'properties.saveCsv': '性質を保存（CSV）',
  'reactivity.title': '反応する位置',
  'reactivity.choose': '指数',
  'reactivity.computing': '指数を計算しています（局在化エネルギーには原子ごとにプログラムを1回ずつ実行します）…',
  'reactivity.legend':
    '円の面積は各原子での値の大きさを表し、値が負のときは白抜きにしています。値は原子の横に示します。' +
    '破線の輪は最も反応しやすい原子です（f と S は最大、L は最小。π原子 3 個と結合した原子は除きます）。',
  'reactivity.drawing': '各原子の{name}',
  'reactivity.formula': '定義：{formula}',
  'reactivity.unit': '単位：{unit}',
  'reactivity.source': '出典：{source}',
  'reactivity.siteLargest': '{name} で最も反応しやすい位置（最大値）：{atoms}、{value} {unit}。',
  'reactivity.siteSmallest': '{name} で最も反応しやすい位置（最小値）：{atoms}、{value} {unit}。',
  'reactivity.oneAtom': '原子 {atoms}',
  'reactivity.manyAtoms': '原子 {atoms}',
  'reactivity.noSite': '置換を受けられる原子には {name} の値がありません。',
  'reactivity.someAtoms':
    '— の原子では {name} は定義されません。その原子を除いた残りに、その数の電子が入りきらないためです。',
  'reactivity.name.frontier_e': 'フロンティア電子密度 f_E（求電子攻撃）',
  'reactivity.name.frontier_n': 'フロンティア電子密度 f_N（求核攻撃）',
  'reactivity.name.frontier_r': 'フロンティア電子密度 f_R（ラジカル攻撃）',
  'reactivity.name.superdeloc_e': '超非局在化能 S_E（求電子）',
  'reactivity.name.superdeloc_n': '超非局在化能 S_N（求核）',
  'reactivity.name.superdeloc_r': '超非局在化能 S_R（ラジカル）',
  'reactivity.name.localisation_plus': '局在化エネルギー L⁺（求電子）',
  'reactivity.name.localisation_radical': '局在化エネルギー L·（ラジカル）',
  'reactivity.name.localisation_minus': '局在化エネルギー L⁻（求核）',
  'reactivity.formula.frontier_e': 'f_E(r) = (2/|H|) Σ_{j∈H} c_rj²（H は電子の入った最も高い準位の組）',
  'reactivity.formula.frontier_n': 'f_N(r) = (2/|L|) Σ_{j∈L} c_rj²（L は空きのある最も低い準位の組）',
  'reactivity.formula.frontier_r': 'f_R(r) = (f_E(r) + f_N(r))/2',
  'reactivity.formula.superdeloc_e': 'S_E(r) = Σ_j n_j c_rj² / x_j（電子の入った軌道について）',
  'reactivity.formula.superdeloc_n': 'S_N(r) = Σ_k (2 − n_k) c_rk² / (−x_k)（空きのある軌道について）',
  'reactivity.formula.superdeloc_r': 'S_R(r) = (S_E(r) + S_N(r))/2',
  'reactivity.formula.localisation_plus': 'L⁺(r) = X(分子, N) − X(原子 r を除いた残り, N − 2)、X = Σ n_j x_j',
  'reactivity.formula.localisation_radical': 'L·(r) = X(分子, N) − X(原子 r を除いた残り, N − 1)、X = Σ n_j x_j',
  'reactivity.formula.localisation_minus': 'L⁻(r) = X(分子, N) − X(原子 r を除いた残り, N)、X = Σ n_j x_j',
  'reactivity.unit.frontier': '電子',
  'reactivity.unit.superdeloc': '1/|β|',
  'reactivity.unit.localisation': '|β|',
  'reactivity.source.frontier': '福井謙一・米澤貞次郎・新宮春男, J. Chem. Phys. 20, 722 (1952)',
  'reactivity.source.superdeloc': '福井謙一・米澤貞次郎・永田親義, Bull. Chem. Soc. Jpn. 27, 423 (1954)',
  'reactivity.source.localisation':
    'G. W. Wheland, J. Am. Chem. Soc. 64, 900 (1942)。原子 r を除いた残りの準位は、' +
    'その原子を削除し他の h と k はそのままにした回答でプログラムを実行して求めています',
  'reactivity.reason.no-electrons': '{name} は定義されません：電子の入った軌道がありません。',
  'reactivity.reason.no-room': '{name} は定義されません：すべての軌道が満たされています。',
  'reactivity.reason.non-bonding': '{name} は定義されません：重みをかける軌道 {orbitals} が非結合性（x = 0）です。',
  'reactivity.reason.electron-count':
    '{name} はどの原子でも定義されません：原子を除いた残りに、その数の電子が入りきりません。',
  'reactivity.polarisability.title': '原子–原子分極率 π_rs = ∂q_r/∂h_s',
  'reactivity.polarisability.legend':
    'π_rs = 4 Σ_{j 占有} Σ_{k 空} c_rj c_sj c_rk c_sk / (x_j − x_k)、単位は 1/β' +
    '（β < 0 なので π_rr > 0）。C. A. Coulson, H. C. Longuet-Higgins, Proc. R. Soc. A 191, 39 (1947)。' +
    '背景との違いがはっきりしたセルほど値の絶対値が大きく、破線の枠は負の値です。セルにフォーカスするかポインタを重ねると値が出ます。',
  'reactivity.polarisability.cell': 'π_{r},{s} = {value}（1/β）',
  'reactivity.polarisability.openShell':
    '分極率は閉殻（どの準位も満杯か空）の場合だけ示します。' + 'この分子では最高被占準位が一部だけ占有されています。',
  'change.title': 'h や k を変えると準位はどう変わるか',
  'change.explain':
    '原子（その h）か結合（その k）を選んで新しい値を設定すると、プログラムが変更後の回答を実行し、' +
    '図は元の準位と新しい準位を、実行結果の順に一つずつ結びます。新しい準位の横には、' +
    '元の係数による一次の見積もり δx_j ≈ c_rj² δh または 2 c_rj c_sj δk とその誤差を示します。',
  'change.target': '変更',
  'change.value': '新しい値',
  'change.atom': '原子 {number} の h（現在 {h}）',
  'change.bond': '結合 {i}–{j} の k（現在 {k}）',
  'change.before': '変更前',
  'change.after': '変更後',
  'change.heading': '変更前後の準位',
  'change.level': 'x = {x}（一次の見積もり {estimate}、誤差 {error}）',
  'change.levelOnly': 'x = {x}',
  'change.degenerate':
    '縮退した準位の組の中では一次の見積もりは定義されません。分裂する組は実行結果のとおりに描いています。',
  'change.failed': '変更後の回答では、プログラムが収束した準位を出しませんでした。',
  'change.save': '変更後の回答を保存',
  'change.run': '変更後の回答をコンソールで実行',
};
