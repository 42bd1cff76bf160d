// The command table and the grouped command list.
#include <gtest/gtest.h>

#include <set>

#include "shell/OvxGlobals.h"

namespace ovx {
namespace {

struct TExpectedCommand {
  const char* group;  // empty: not in the command list
  TCommandId id;
  const char* keyword;
  const char* name;
  const char* description;
};

// Every command in command-list order, the unlisted one last.
const TExpectedCommand ExpectedCommands[] = {
    {"カーソル移動", 10001, "UP", "上", "一行上へ移動"},
    {"カーソル移動", 10002, "DOWN", "下", "一行下へ移動"},
    {"カーソル移動", 10003, "LEFT", "左", "8ビット分左へ移動"},
    {"カーソル移動", 10004, "LEFTEX", "左4bit", "4ビット分左へ移動"},
    {"カーソル移動", 10005, "RIGHT", "右", "8ビット分右へ移動"},
    {"カーソル移動", 10006, "RIGHTEX", "右4bit", "4ビット分右へ移動"},
    {"カーソル移動", 10007, "PAGEUP", "Pｱｯﾌﾟ", "ページアップ"},
    {"カーソル移動", 10008, "PAGEDOWN", "Pﾀﾞｳﾝ", "ページダウン"},
    {"カーソル移動", 11001, "UPSEL", "上範", "一行上へ移動(範囲選択)"},
    {"カーソル移動", 11002, "DOWNSEL", "下範", "一行下へ移動(範囲選択)"},
    {"カーソル移動", 11003, "LEFTSEL", "左範", "8ビット分左へ移動(範囲選択)"},
    {"カーソル移動", 11004, "LEFTEXSEL", "左範4bit", "4ビット分左へ移動(範囲選択)"},
    {"カーソル移動", 11005, "RIGHTSEL", "右", "8ビット分右へ移動(範囲選択)"},
    {"カーソル移動", 11006, "RIGHTEXSEL", "右範4bit", "4ビット分右へ移動(範囲選択)"},
    {"カーソル移動", 11007, "PAGEUPSEL", "Pｱｯﾌﾟ範", "ページアップ(範囲選択)"},
    {"カーソル移動", 11008, "PAGEDOWNSEL", "Pﾀﾞｳﾝ範", "ページダウン(範囲選択)"},
    {"カーソル移動", 10101, "UPHIGH", "上速", "一行上へ移動(高速)"},
    {"カーソル移動", 10102, "DOWNHIGH", "下速", "一行下へ移動(高速)"},
    {"カーソル移動", 10103, "LEFTHIGH", "左8bit速", "8ビット分左へ移動(高速)"},
    {"カーソル移動", 10104, "RIGHTHIGH", "右8bit速", "8ビット分右へ移動(高速)"},
    {"カーソル移動", 10105, "PAGEUPHIGH", "Pｱｯﾌﾟ速", "ページアップ(高速)"},
    {"カーソル移動", 10106, "PAGEDOWNHIGH", "Pﾀﾞｳﾝ速", "ページダウン(高速)"},
    {"ジャンプ", 12001, "FILETOP", "先頭", "ファイルの先頭へジャンプ"},
    {"ジャンプ", 12002, "FILEEND", "末尾", "ファイルの末尾へジャンプ"},
    {"ジャンプ", 12003, "PARATOP", "行頭", "行の先頭へジャンプ"},
    {"ジャンプ", 12004, "PARAEND", "行末", "行の末尾へジャンプ"},
    {"ジャンプ", 13001, "FILETOPSEL", "先頭範", "ファイルの先頭へジャンプ(範囲選択)"},
    {"ジャンプ", 13002, "FILEENDSEL", "最後範", "ファイルの末尾へジャンプ(範囲選択)"},
    {"ジャンプ", 13003, "PARATOPSEL", "行頭範", "行の先頭へジャンプ(範囲選択)"},
    {"ジャンプ", 13004, "PARAENDSEL", "行末範", "行の末尾へジャンプ(範囲選択)"},
    {"アドレスジャンプ", 92007, "ADDRESSJUMP", "ｼﾞｬﾝﾌﾟ", "指定アドレスへジャンプ"},
    {"範囲選択", 14001, "SELECT", "選択", "範囲選択の開始・終了"},
    {"範囲選択", 14002, "SELECTALL", "全選択", "ファイル全体を範囲選択"},
    {"範囲選択", 14003, "SELECTTOP", "先頭選択", "ファイル先頭から範囲選択"},
    {"範囲選択", 14004, "SELECTEND", "末尾選択", "ファイル末尾から範囲選択"},
    {"範囲選択", 14005, "SELECTSWAP", "選択入替", "範囲選択位置とカーソル位置の入れ替え"},
    {"編集", 15001, "CUT", "切取", "クリップボードへコピーして削除"},
    {"編集", 15002, "COPY", "ｺﾋﾟｰ", "クリップボードへコピー"},
    {"編集", 15003, "COPYSEL", "ｺﾋﾟｰ範", "クリップボードへコピーして範囲選択解除"},
    {"編集", 15004, "PASTE", "張付", "クリップボードから張り付け"},
    {"編集", 15005, "DELETE", "削除", "カーソル位置を削除"},
    {"編集", 15006, "BACKSPACE", "前方削除", "カーソル直前を削除"},
    {"アンドゥ・リドゥ", 16001, "UNDO", "元に戻す", "元に戻す"},
    {"アンドゥ・リドゥ", 16002, "REDO", "やり直し", "やり直す"},
    {"アンドゥ・リドゥ", 91001, "HISTORYFLUSH", "履歴消", "履歴を消去"},
    {"ファイル", 90001, "NEW", "新規", "新規作成"},
    {"ファイル", 90002, "OPEN", "開く", "ファイルを開く"},
    {"ファイル", 90003, "SAVE", "保存", "ファイルを保存"},
    {"ファイル", 90004, "ALLSAVE", "全保存", "全ファイルを保存"},
    {"ファイル", 90005, "SAVEANOTHER", "別名保", "別名で保存"},
    {"ファイル", 90006, "SAVEREPRODUCT", "複製保", "複製を保存"},
    {"ファイル", 90011, "TEXTOUT", "ﾃｷｽﾄ出力", "全体もしくは指定範囲をテキスト出力"},
    {"ファイル", 90007, "CLOSE", "終了", "ファイルの編集を終了"},
    {"ファイル", 90008, "ALLCLOSE", "全終了", "全てのファイルの編集を終了"},
    {"ファイル", 90009, "SAVECLOSE", "保存終", "ファイルを保存して終了"},
    {"ファイル", 90010, "ALLSAVECLOSE", "全保存終", "全てのファイルを保存して終了"},
    {"定型入力", 91101, "INPUTINTEGER", "整数入", "整数型定型入力"},
    {"定型入力", 91102, "INPUTSTRING", "文字列入", "文字列型定型入力"},
    {"定型入力", 91103, "INPUTCHAR", "文字入", "キャラクタ型定型入力"},
    {"演算", 91201, "BITNOT", "Bit反転", "ビットの真理値を反転"},
    {"演算", 91202, "BITREVERSE", "Bit逆転", "ビットの配置を逆転"},
    {"演算", 91203, "BITROLLR", "Bit右ﾛｰﾙ", "ビットの配置を右に1ビットローテート"},
    {"演算", 91204, "BITROLLL", "Bit左ﾛｰﾙ", "ビットの配置を左に1ビットローテート"},
    {"演算", 91205, "BITROLL", "Bitﾛｰﾙ", "ビットの配置をローテート"},
    {"演算", 91302, "BYTEREVERSE", "Byte逆転", "バイトの配置を逆転"},
    {"演算", 91303, "BYTEROLLR", "Byte右ﾛｰﾙ", "バイトの配置を右に1バイトローテート"},
    {"演算", 91304, "BYTEROLLL", "Byte左ﾛｰﾙ", "バイトの配置を左に1バイトローテート"},
    {"演算", 91305, "BYTEROLL", "Byteﾛｰﾙ", "バイトの配置をローテート"},
    {"演算", 91401, "INTINC", "ｲﾝｸﾘﾒﾝﾄ", "インクリメント(+1)"},
    {"演算", 91402, "INTDEC", "ﾃﾞｸﾘﾒﾝﾄ", "デクリメント(-1)"},
    {"検索", 92001, "SEARCH", "検索", "検索"},
    {"検索", 92002, "REPLACE", "置換", "置換"},
    {"検索", 92003, "SEARCHNEXT", "下再検索", "下方向へ再検索"},
    {"検索", 92004, "SEARCHPREV", "上再検索", "上方向へ再検索"},
    {"検索", 92005, "COMPARENEXT", "下相違点", "下方向へ比較相違領域を検索"},
    {"検索", 92006, "COMPAREPREV", "上相違点", "上方向へ比較相違領域を検索"},
    {"検索", 92008, "ALLCODESEARCH", "全ｺｰﾄﾞ検索", "全コード検索"},
    {"表示", 93001, "VIEWTOOLBAR", "ﾂｰﾙﾊﾞｰ", "ツールバー表示のON/OFF"},
    {"表示", 93002, "VIEWFUNCTIONBAR", "ﾌｧﾝｸｼｮﾝﾊﾞｰ", "ファンクションバー表示のON/OFF"},
    {"表示", 93003, "VIEWSTATUSBAR", "ｽﾃｰﾀｽﾊﾞｰ", "ステータスバー表示のON/OFF"},
    {"表示", 93004, "VIEWINFORMATION", "情報ﾊﾟﾈﾙ", "情報パネル表示のON/OFF"},
    {"表示", 93005, "VIEWCOMPARE", "大小ﾏｰｸ", "大小比較マーク表示のON/OFF"},
    {"表示", 93006, "VIEWCARETMARKER", "ｷｬﾚｯﾄﾏｰｶ", "キャレットマーカのON/OFF"},
    {"比較", 94001, "COMPAREFILE", "ﾌｧｲﾙ比", "指定ファイルと比較"},
    {"比較", 94002, "COMPAREWINDOW", "窓比", "別ウィンドウと比較"},
    {"比較", 94003, "COMPAREPRESENT", "現状比", "ディスク上の現状と比較/現状のリロード"},
    {"比較", 94004, "COMPAREQUIT", "比解除", "比較解除"},
    {"ウィンドウ", 95001, "WINDOWNEXT", "窓順次", "順次切り替え"},
    {"ウィンドウ", 95002, "WINDOWLIST", "窓選択", "ウィンドウ一覧"},
    {"ウィンドウ", 95003, "WINDOWJUSTIFY", "窓最適", "サイズの最適化"},
    {"ウィンドウ", 95004, "WINDOWJUSTIFYV", "窓最適縦", "縦幅一杯に最適化"},
    {"ツール", 96004, "FILER", "ﾌｧｲﾗｰ", "ファイラーツール"},
    {"ツール", 96005, "RELATIVEJUMP", "相対J", "相対ジャンプツール"},
    {"ヘルプ", 97001, "HELP", "ﾍﾙﾌﾟ", "ヘルプ"},
    {"メニュー", 90000, "FILEMENU", "ﾌｧｲﾙM", "ファイルメニュー"},
    {"メニュー", 91000, "EDITMENU", "編集M", "編集メニュー"},
    {"メニュー", 91100, "INPUTMENU", "定型入M", "定型入力メニュー"},
    {"メニュー", 91200, "BITOPEMENU", "Bit演M", "ビット演算メニュー"},
    {"メニュー", 91300, "BYTEOPEMENU", "Byte演M", "バイト演算メニュー"},
    {"メニュー", 91400, "INTOPEMENU", "整数演M", "整数演算メニュー"},
    {"メニュー", 92000, "SEARCHMENU", "検索M", "検索メニュー"},
    {"メニュー", 93000, "VIEWMENU", "表示M", "表示メニュー"},
    {"メニュー", 93100, "CHECKSUMMENU", "CｻﾑM", "チェックサムメニュー"},
    {"メニュー", 93200, "BYTEORDERMENU", "ByteｵｰﾀﾞM", "バイトオーダーメニュー"},
    {"メニュー", 93300, "CHARASETMENU", "文字ｺｰﾄﾞM", "文字コードメニュー"},
    {"メニュー", 94000, "COMPAREMENU", "比較M", "比較メニュー"},
    {"メニュー", 95000, "WINDOWMENU", "窓M", "ウィンドウメニュー"},
    {"メニュー", 96000, "TOOLMENU", "ﾂｰﾙM", "ツールメニュー"},
    {"メニュー", 97000, "HELPMENU", "ﾍﾙﾌﾟM", "ヘルプメニュー"},
    {"メニュー", 98001, "SELECTFILEMENU", "ﾌｧｲﾙ選", "編集ファイルの選択メニュー"},
    {"メニュー", 99999, "MENU", "ﾒﾆｭｰﾊﾞｰ", "メニューバー"},
    {"メニュー", 40001, "POPUPMENU", "ﾎﾟｯﾌﾟｱｯﾌﾟ", "ポップアップメニューを表示"},
    {"ユーザーメニュー", 18001, "USERMENU1", "ﾕｰｻﾞﾒﾆｭｰ1", "ユーザーメニューセット(1)"},
    {"ユーザーメニュー", 18002, "USERMENU2", "ﾕｰｻﾞﾒﾆｭｰ2", "ユーザーメニューセット(2)"},
    {"ユーザーメニュー", 18003, "USERMENU3", "ﾕｰｻﾞﾒﾆｭｰ3", "ユーザーメニューセット(3)"},
    {"ユーザーメニュー", 18004, "USERMENU4", "ﾕｰｻﾞﾒﾆｭｰ4", "ユーザーメニューセット(4)"},
    {"ユーザーメニュー", 18005, "USERMENU5", "ﾕｰｻﾞﾒﾆｭｰ5", "ユーザーメニューセット(5)"},
    {"環境設定・動作モード", 96001, "OPTION", "環境", "環境オプション"},
    {"環境設定・動作モード", 96002, "LUMPSETTING", "一括設定", "動作モードの一括設定"},
    {"環境設定・動作モード", 96003, "SHORTCUTMAINTE", "ｼｮｰﾄｶｯﾄ", "ショートカットメンテナンス"},
    {"環境設定・動作モード", 17001, "INPUTAREA", "入力領域", "バイナリ、文字領域間で移動"},
    {"環境設定・動作モード", 17002, "INPUTMODE", "挿入/上書", "挿入と上書の切り替え"},
    {"環境設定・動作モード", 17004, "EXPANDTENKEY", "拡ﾃﾝｷｰ", "拡張テンキーの有効/無効"},
    {"環境設定・動作モード", 17003, "CHARASET", "ｷｬﾗｾｯﾄ", "表示キャラセットの変更"},
    {"環境設定・動作モード", 17005, "CHECKSUM", "ﾁｪｯｸｻﾑ", "チェックサム形式の変更"},
    {"環境設定・動作モード", 93101, "CHECKSUMSIMPLE", "単純ｻﾑ", "単純サム"},
    {"環境設定・動作モード", 93102, "CHECKSUMASCII", "ｱｽｷｰｻﾑ", "アスキー形式サム"},
    {"環境設定・動作モード", 93201, "BYTEORDERLITTLE", "ﾘﾄﾙｴﾝﾃﾞｨｱﾝ", "リトルエンディアン"},
    {"環境設定・動作モード", 93202, "BYTEORDERBIG", "ﾋﾞｯｸﾞｴﾝﾃﾞｨｱﾝ", "ビッグエンディアン"},
    {"環境設定・動作モード", 93301, "CHARASETASCII", "ASCII", "ASCIIコードで表示"},
    {"環境設定・動作モード", 93302, "CHARASETSJIS", "SJIS", "ShiftJISコードで表示"},
    {"環境設定・動作モード", 93303, "CHARASETJIS", "JIS", "JISコードで表示"},
    {"環境設定・動作モード", 93304, "CHARASETEUC", "EUC-jp", "日本語EUCで表示"},
    {"環境設定・動作モード", 93305, "CHARASETUNICODE", "Unicode", "Unicodeで表示"},
    {"その他", 97004, "VERSION", "ﾊﾞｰｼﾞｮﾝ", "バージョン情報"},
    {"その他", 97002, "WEBPAGEBM", "BMｳｪﾌﾞ", "Brightmoor のウェブページ"},
    {"その他", 96006, "GARBAGE", "屑収集", "ガーベージコレクション"},
    {"", 97003, "WEBPAGE", "Ovxｳｪﾌﾞ", ""},
};

TEST(CommandTable, HoldsEveryCommandInListOrder) {
  const auto& table = CommandTable();
  ASSERT_EQ(table.size(), 138u);
  ASSERT_EQ(std::size(ExpectedCommands), 138u);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const TExpectedCommand& expected = ExpectedCommands[i];
    SCOPED_TRACE(expected.keyword);
    EXPECT_EQ(table[i].id, expected.id);
    EXPECT_STREQ(table[i].keyword, expected.keyword);
    EXPECT_STREQ(table[i].name, expected.name);
    EXPECT_STREQ(table[i].description, expected.description);
  }
}

TEST(CommandTable, LooksUpEveryCommandByIdAndKeyword) {
  for (const TExpectedCommand& expected : ExpectedCommands) {
    SCOPED_TRACE(expected.keyword);
    EXPECT_EQ(CommandKeyword(expected.id), expected.keyword);
    EXPECT_EQ(CommandName(expected.id), expected.name);
    EXPECT_EQ(CommandDescription(expected.id), expected.description);
    EXPECT_EQ(CommandFromKeyword(expected.keyword), expected.id);
  }
}

TEST(CommandTable, IdsAndKeywordsAreUnique) {
  std::set<TCommandId> ids;
  std::set<std::string> keywords;
  for (const TCommandInfo& command : CommandTable()) {
    EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    EXPECT_TRUE(keywords.insert(command.keyword).second) << command.keyword;
  }
}

TEST(CommandTable, NamedConstantsMatchTheTable) {
  EXPECT_EQ(cmUP, 10001);
  EXPECT_EQ(cmDELETE, 15005);
  EXPECT_EQ(cmPOPUPMENU, 40001);
  EXPECT_EQ(cmWEBPAGE, 97003);
  EXPECT_EQ(cmMENU, 99999);
}

TEST(CommandTable, UnknownIdsGiveEmptyTexts) {
  for (TCommandId id : {NoCommand, 0, 10000, 10009, 90012, 99998, 100000}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(CommandKeyword(id), "");
    EXPECT_EQ(CommandName(id), "");
    EXPECT_EQ(CommandDescription(id), "");
  }
}

TEST(CommandTable, KeywordLookupIgnoresLetterCaseOnly) {
  struct Case {
    const char* text;
    TCommandId id;
  } cases[] = {
      {"selectall", 14002},  {"SelectAll", 14002}, {"SELECTALL", 14002}, {"webpage", 97003},
      {"usermenu5", 18005},  {"", NoCommand},      {"SELECTALL ", NoCommand},
      {" SELECTALL", NoCommand}, {"SELECT ALL", NoCommand}, {"SELECTAL", NoCommand},
      {"NOSUCHCOMMAND", NoCommand}, {"14002", NoCommand}, {".編集", NoCommand},
      {"ＵＰ", NoCommand},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandFromKeyword(c.text), c.id) << '"' << c.text << '"';
}

TEST(CommandList, GroupsEveryListedCommandOnceUnderItsCaption) {
  std::vector<TCommandGroup> expected;
  for (const TExpectedCommand& command : ExpectedCommands) {
    if (*command.group == '\0') continue;
    if (expected.empty() || expected.back().caption != command.group) expected.push_back({command.group, {}});
    expected.back().commands.push_back(command.id);
  }
  const auto& list = CommandList();
  ASSERT_EQ(list.size(), expected.size());
  ASSERT_EQ(list.size(), 19u);
  std::size_t listed = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(list[i].caption, expected[i].caption);
    EXPECT_EQ(list[i].commands, expected[i].commands) << expected[i].caption;
    listed += list[i].commands.size();
  }
  EXPECT_EQ(listed, 137u);
}

TEST(CommandList, BuiltInTextIsCaptionsAndKeywordsOnly) {
  std::string_view text = BuiltInCommandListText();
  EXPECT_EQ(text.substr(0, std::string_view(".カーソル移動\nUP\n").size()), ".カーソル移動\nUP\n");
  EXPECT_EQ(text.find('\r'), std::string_view::npos);
  EXPECT_EQ(text.find("WEBPAGE\n"), std::string_view::npos);
  EXPECT_NE(text.find("\nWEBPAGEBM\n"), std::string_view::npos);
}

TEST(CommandList, ParserSkipsWhatNamesNoCommand) {
  struct Case {
    const char* name;
    std::string_view text;
    std::vector<TCommandGroup> groups;
  } cases[] = {
      {"crlf and bom", "\xEF\xBB\xBF.A\r\nUP\r\ndown\r\n.B\r\n", {{"A", {10001, 10002}}, {"B", {}}}},
      {"unknown keyword", ".A\nUP\nNOPE\nDOWN", {{"A", {10001, 10002}}}},
      {"keyword before any caption", "UP\n.A\nDOWN\n", {{"A", {10002}}}},
      {"empty lines", "\n\n.A\n\nUP\n\n", {{"A", {10001}}}},
      {"empty caption", ".\nUP\n", {{"", {10001}}}},
      {"nothing", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto groups = ParseCommandList(c.text);
    ASSERT_EQ(groups.size(), c.groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
      EXPECT_EQ(groups[i].caption, c.groups[i].caption);
      EXPECT_EQ(groups[i].commands, c.groups[i].commands);
    }
  }
}

}  // namespace
}  // namespace ovx
