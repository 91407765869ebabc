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
};
