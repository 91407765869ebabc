// ページの言葉（日本語）。ここのキーはすべて en.js にもある。
export default {
  // page
  'page.title': 'orbcalc：ヒュッケル分子軌道法',
  'page.heading': 'orbcalc',
  'page.intro': '単純ヒュッケル分子軌道法の計算プログラムです。コンソール版のプログラムそのものを' +
                'このページの中で動かしています。下の欄で質問に答えるか、回答ファイルを実行してください。',
  'page.footer': '出力は Shift_JIS の端末と同じように表示します。「出力を保存」では、コンソール版が書き出すのと' +
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
  'status.loadFailed': 'プログラムを読み込めませんでした（{reason}）。このページは Web サーバーを通して' +
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
  'levels.explain': 'E = α + xβ（β < 0）なので、最も結合性の準位が一番下にあります。矢印が電子です。' +
                    '準位を選ぶ（クリック、または Tab と Enter）と、その軌道を描きます。',
  'levels.partlyFilled': '最高被占準位（{mark}）は一部しか占有されていないので、HOMO–LUMO ギャップはありません。',
  'levels.saveSvg': '準位図を保存（SVG）',
  'levels.savePng': '準位図を保存（PNG）',
  'problem.no-atoms': '図は描けません：原子がありません。',
  'problem.electron-count': '図は描けません：{electrons} 個の電子は {atoms} 個の軌道に入りません。' +
                            '電子数は 0 から {most} までです。',
  'problem.not-finite': '図は描けません：根または係数に有限でない値（+Inf、-Inf、NaN）があり、' +
                        '表は解を表していません。',
  'problem.not-converged': '図は描けません：反復が収束しないまま止まりました（標準エラーの警告を参照）。' +
                           '根と係数は解ではありません。',

  // orbital
  'orbital.title': '分子上の軌道',
  'orbital.heading': 'ψ{number}：E = {energy}、電子 {electrons} 個',
  'orbital.energyPlus': 'α + {x}β',
  'orbital.energyMinus': 'α − {x}β',
  'orbital.legend': '円の面積は係数の二乗に比例します。塗りつぶしは正の係数、白抜きは負の係数です。' +
                    '原子番号は表と同じです。',
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
  'properties.noDelocalisation': '非局在化エネルギーは示しません：ケクレ構造をもち、各炭素に π電子が 1 個ある' +
                                 '炭化水素についてだけ求めます。',
  'properties.noGap': 'HOMO–LUMO ギャップは示しません：最高被占準位が一部しか占有されていないか、空の準位がありません。',
  'properties.shared': '一部だけ占有された縮退準位の電子は、これらの和では縮退した軌道に均等に分けています。' +
                       'そのため、縮退軌道の中での係数の選び方によって値が変わることはありません。',
  'properties.drawing': '原子上の π電子密度 q_r と結合上の結合次数 p_rs',
  'properties.saveCsv': '性質を保存（CSV）',
};
