// Template text → (line, message) for every message the parser and tokenizer can give.
#include <gtest/gtest.h>

#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

struct TErrorCase {
  const char* name;
  std::string text;
  int line;
  std::string message;
};

const std::string I = "INITIALIZE\n";

const TErrorCase kErrorCases[] = {
    // tokenizer
    {"EndAfterString", "LABEL(\"x\"", 2, "ファイラー末尾が不正です."},
    {"EndAfterCommandName", "LABEL", 2, "ファイラー末尾が不正です."},
    {"EndAfterComma", "EDITBIT(\"a\",1,\n", 3, "ファイラー末尾が不正です."},
    {"UnterminatedString", "LABEL(\n\"abc", 2, "トークンが正常に終了していません."},
    {"UnterminatedComment", "ENABLE\n{ comment\n\n", 2, "コメントが正常に終了していません."},
    // control characters
    {"StringSpanningLines", "LABEL(\"a\nb\")", 1, "トークンに不正な文字が含まれています."},
    {"NulInsideWord", std::string("LA\0BEL", 6), 1, "トークンに不正な文字が含まれています."},
    {"EscapeInString", "\n\nLABEL(\"\x1b[0m\")", 3, "トークンに不正な文字が含まれています."},
    // command state
    {"OpenAfterCompleteCommand", "LABEL(\"a\") (", 1, "不正な位置にある ( です."},
    {"EmptyParenthesesOfPlainCommand", "HORIZONTALRULE()", 1, "不正な位置にある ( です."},
    {"CommaAsCommand", "\n,", 2, "不正な位置にある , です."},
    {"StringStartingWithParenthesis", "\"(abc\"", 1, "不正な位置にある (abc です."},
    {"UnknownCommandUpperCased", "ENABLE\nlabell(\"a\")", 2, "コマンド名が不明です. \"LABELL\""},
    {"EmptyStringAsCommand", "\"\"", 1, "コマンド名が不明です. \"\""},
    {"WriteInEditSection", "WRITEINTEGER(0,1,0)", 1, "編集部では使えないコマンドです. \"WRITEINTEGER\""},
    {"FieldInInitSection", I + "editbit(\"a\",0,0)", 2, "初期化部では使えないコマンドです. \"EDITBIT\""},
    {"IncludeInEndSection", "FINALIZE\nINCLUDECOMMON(A)", 2, "終了部では使えないコマンドです. \"INCLUDECOMMON\""},
    {"InitializeInCommonBlock", "COMMON(A)\nINITIALIZE", 2, "共通ブロック定義部では使えないコマンドです. \"INITIALIZE\""},
    {"IncludeInCommonBlock", "COMMON(A) LABEL(x) COMMON(B) INCLUDECOMMON(A)", 1,
     "共通ブロック定義部では使えないコマンドです. \"INCLUDECOMMON\""},
    {"WriteInCommonBlock", "COMMON(A) CLEAR(0,1,0)", 1, "共通ブロック定義部では使えないコマンドです. \"CLEAR\""},
    {"DisableInInitSection", I + "DISABLE", 2, "初期化部では使えないコマンドです. \"DISABLE\""},
    // opening and separator states
    {"MissingOpening", "LABEL \"a\"", 1, "( が必要です."},
    {"MissingOpeningBeforeCommand", "PAGE\nENABLE", 2, "( が必要です."},
    {"MissingSeparator", "LABEL(\"a\" \"b\")", 1, ") か , が必要です."},
    {"ClosingTakenAsParameter", "LABEL() ENABLE", 1, ") か , が必要です."},
    // parameter counts
    {"TooManyParameters", "LABEL(\"a\",\n\"b\")", 2, "パラメータが多すぎます."},
    {"TooManyForSegment", "SEGMENT(1,2)", 1, "パラメータが多すぎます."},
    {"TooFewParameters", "EDITBIT(\"a\",1\n)", 2, "パラメータが足りません."},
    {"SelectWithoutChoice", "EDITSELECT(\"s\",0,1)", 1, "パラメータが足りません."},
    {"ClosingParenthesisTakenAsLabel", "EDITSTRING())", 1, "パラメータが足りません."},
    // integers
    {"NegativeInteger", "SEGMENT(-1)", 1, "正の整数値を指定して下さい. \"-1\""},
    {"HexDigitInDecimal", "SEGMENT(1A)", 1, "正の整数値を指定して下さい. \"1A\""},
    {"BadHexDigit", "SEGMENT(0x1G)", 1, "正の整数値を指定して下さい. \"0x1G\""},
    {"FortyDigits", "SEGMENT(1234567890123456789012345678901234567890)", 1,
     "整数値が 32 ビットの範囲を越えています. \"1234567890123456789012345678901234567890\""},
    {"DecimalAboveInt32", "SEGMENT(2147483648)", 1, "整数値が 32 ビットの範囲を越えています. \"2147483648\""},
    {"NineHexDigits", "SEGMENT(0x100000000)", 1, "整数値が 32 ビットの範囲を越えています. \"0x100000000\""},
    // common blocks
    {"DuplicateBlockAnyCase", "COMMON(blk)\nCOMMON(BLK)", 2, "共通ブロックの多重定義です. \"BLK\""},
    {"UndefinedBlock", "INCLUDECOMMON(nothing)", 1, "未定義の共通ブロックです. \"nothing\""},
    {"BlockUsedBeforeDefined", "INCLUDECOMMON(A)\nCOMMON(A)", 1, "未定義の共通ブロックです. \"A\""},
    // command-specific checks
    {"CopySameAddress", I + "COPY(0x10,16,4)", 2, "コピー元とコピー先が同一です."},
    {"CopySizeZero", I + "COPY(0,1,0)", 2, "転送サイズは 1 以上を指定して下さい."},
    {"ClearSizeZero", I + "CLEAR(0,0,0)", 2, "クリアサイズは 1 以上を指定して下さい."},
    {"ClearValueTooLarge", I + "CLEAR(0,1,256)", 2, "クリア数値は 0 ～ 255 までの範囲の整数値で指定して下さい."},
    {"ClearValueNegativeHex", I + "CLEAR(0,1,0xFFFFFFFF)", 2, "クリア数値は 0 ～ 255 までの範囲の整数値で指定して下さい."},
    {"EditBitPosition", "EDITBIT(\"b\",0,0x8)", 1, "ビット位置が不正です. ビット位置には 0 ～ 7 を指定して下さい. \"8\""},
    {"EditIntegerWidth", "EDITINTEGER(\"i\",0,3,0,1)", 1, "データ幅が不正です. データ幅には 1,2,4 のみ指定できます. \"3\""},
    {"EditIntegerMinMax", "EDITINTEGER(\"i\",0,1,0x10,015)", 1, "範囲が不正です. 最大値が最小値未満に設定されています. \"15\""},
    {"EditIntegerMinMaxSigned", "EDITINTEGER(\"i\",0,4,0,0x80000000)", 1,
     "範囲が不正です. 最大値が最小値未満に設定されています. \"-2147483648\""},
    {"EditSelectWidth", "EDITSELECT(\"s\",0,0,\"1=>a\")", 1, "データ幅が不正です. データ幅には 1,2,4 のみ指定できます. \"0\""},
    {"EditSelectNoArrow", "EDITSELECT(\"s\",0,1,\"1=>a\",\"2-b\")", 1, "選択肢の指定方法が不正です. \"2-b\""},
    {"EditSelectBadValue", "EDITSELECT(\"s\",0,1,\"x=>a\")", 1, "選択肢の指定方法が不正です. \"x=>a\""},
    {"EditStringLengthZero", "EDITSTRING(\"s\",0,0,32)", 1, "文字列長に 0 を指定することは出来ません."},
    {"EditStringPad", "EDITSTRING(\"s\",0,4,300)", 1, "余剰キャラクタには 0 ～ 255 の文字コードを指定して下さい."},
    {"IndentTooWide", "INDENT(801)", 1, "インデント、マージン幅は 0 ～ 800 ピクセルの範囲で指定します. \"801\""},
    {"MarginHexTooWide", "MARGIN(0x400)", 1, "インデント、マージン幅は 0 ～ 800 ピクセルの範囲で指定します. \"0x400\""},
    {"IndentNotNumber", "INDENT(auto)", 1, "インデント、マージン幅にはオート \"*\" か整数値が必要です. \"auto\""},
    {"MarginNegative", "MARGIN(\"-5\")", 1, "インデント、マージン幅にはオート \"*\" か整数値が必要です. \"-5\""},
    {"MessageTooNarrow", "MESSAGE(49,100,\"a\")", 1, "メッセージエリアの大きさは縦横共に 50～800 ピクセルの範囲で指定します. \"49\""},
    {"MessageTooTall", "MESSAGE(100,801,\"a\")", 1, "メッセージエリアの大きさは縦横共に 50～800 ピクセルの範囲で指定します. \"801\""},
    {"MessageNotNumber", "MESSAGE(*,100,\"a\")", 1, "メッセージエリアの大きさは縦横共に 50～800 ピクセルの範囲で指定します. \"*\""},
    {"WriteBitPosition", I + "WRITEBIT(0,9,1)", 2, "ビット位置が不正です. ビット位置には 0 ～ 7 を指定して下さい. \"9\""},
    {"WriteBitValue", I + "WRITEBIT(0,7,2)", 2, "ビットデータが不正です. ビットデータには 0,1 のみ指定できます. \"2\""},
    {"WriteIntegerWidth", I + "WRITEINTEGER(0,8,1)", 2, "データ幅が不正です. データ幅には 1,2,4 のみ指定できます. \"8\""},
    {"PatternBinSize", I + "WRITEPATTERNBIN(0,0,\"1\")", 2, "パターン書き込みサイズは 1 以上を指定して下さい."},
    {"PatternBinEmpty", I + "WRITEPATTERNBIN(0,1,\"\")", 2, "パターンに空の文字列を指定することは出来ません."},
    {"PatternBinDigits", I + "WRITEPATTERNBIN(0,1,0120)", 2,
     "パターンには 0 と 1 のみからなる 2 進数パターンを指定して下さい. \"0120\""},
    {"PatternHexSize", I + "WRITEPATTERNHEX(0,0,ff)", 2, "パターン書き込みサイズは 1 以上を指定して下さい."},
    {"PatternHexEmpty", I + "WRITEPATTERNHEX(0,1,\"\")", 2, "パターンに空の文字列を指定することは出来ません."},
    {"PatternHexDigits", I + "WRITEPATTERNHEX(0,1,0x12)", 2,
     "パターンには 0 ～ F のみからなる 16 進数パターンを指定して下さい. \"0x12\""},
    {"WriteStringLengthZero", I + "WRITESTRING(0,0,\"a\",32)", 2, "文字列長に 0 を指定することは出来ません."},
    {"WriteStringPad", I + "WRITESTRING(0,1,\"a\",256)", 2, "余剰キャラクタには 0 ～ 255 の文字コードを指定して下さい."},
    // hostile sizes and separators: each would crash or write outside its field
    {"ClearNegativeSize", I + "CLEAR(0,0x80000000,0)", 2, "クリアサイズは 1 以上を指定して下さい."},
    {"PatternNegativeSize", I + "WRITEPATTERNHEX(0,0xFFFFFFFF,ff)", 2, "パターン書き込みサイズは 1 以上を指定して下さい."},
    {"WriteStringHugeLength", I + "WRITESTRING(0,0x7FFFFFFF,\"abc\",0)", 2,
     "文字列長は 1 ～ 65536 の範囲で指定して下さい. \"2147483647\""},
    {"EditStringNegativeLength", "EDITSTRING(\"a\",0,0xFFFFFFFF,32)", 1, "文字列長は 1 ～ 65536 の範囲で指定して下さい. \"-1\""},
    {"EditStringLowestLength", "EDITSTRING(\"a\",0,0x80000000,32)", 1,
     "文字列長は 1 ～ 65536 の範囲で指定して下さい. \"-2147483648\""},
    {"TabInLabelWouldShiftParameters", "EDITINTEGER(\"a\t0\",8,1,0,0)", 1, "トークンに不正な文字が含まれています."},
    {"TabInChoice", "EDITSELECT(s,0,1,\"1=>a\tb\")", 1, "トークンに不正な文字が含まれています."},
    {"MessageWithoutHeight", "MESSAGE(\"100\")", 1, "パラメータが足りません."},
    {"Crc32SizeZero", I + "WRITECRC32(0,0,4)", 2, "CRC の計算サイズは 1 以上を指定して下さい."},
    // lines: 1 + the LFs before the token, whatever the line-break convention
    {"ThirdLineCrLf", "ENABLE\r\nENABLE\r\nBOGUS", 3, "コマンド名が不明です. \"BOGUS\""},
    {"ThirdLineCr", "ENABLE\rENABLE\rBOGUS", 3, "コマンド名が不明です. \"BOGUS\""},
    {"LineAfterMultiLineComment", "{\n\n}\n# x\nBOGUS", 5, "コマンド名が不明です. \"BOGUS\""},
};

class FilerParseError : public testing::TestWithParam<TErrorCase> {};

TEST_P(FilerParseError, ReportsLineAndMessage) {
  const TErrorCase& c = GetParam();
  TParsed r = Parse(c.text);
  EXPECT_TRUE(r.error.Error);
  EXPECT_EQ(r.error.Line, c.line);
  EXPECT_EQ(r.error.Message, c.message);
}

INSTANTIATE_TEST_SUITE_P(Golden, FilerParseError, testing::ValuesIn(kErrorCases),
                         [](const testing::TestParamInfo<TErrorCase>& info) { return std::string(info.param.name); });

TEST(FilerParse, ListsHoldWhatWasParsedBeforeAnError) {
  TParsed r = Parse("LABEL(\"a\")\nINITIALIZE\nCLEAR(0,1,0)\nBOGUS");
  EXPECT_TRUE(r.error.Error);
  EXPECT_EQ(r.edit, TFilerCommandList{"LABEL\ta"});
  EXPECT_EQ(r.initialize, TFilerCommandList{"CLEAR\t0\t1\t0"});
}

}  // namespace
}  // namespace ovx::test
