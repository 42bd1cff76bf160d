// The templates shipped in the folder "filer", as the build converts them, laid over real files
// of their formats made by standard tools (ImageMagick, Python, this project's own launcher for
// PE, this test program itself for ELF).
#if defined(OVX_FILER_DIR)  // natively only: the tools that make the files run there

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "filer/FilerDefine.h"
#include "filer/FilerSession.h"
#include "tests/unit/filer/FilerTestSupport.h"

namespace ovx::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class TFixedMeasure final : public TFilerMeasure {
 public:
  int TextWidth(std::string_view utf8) const override { return 6 * static_cast<int>(utf8.size()); }
  int Height(TFilerControlKind) const override { return 20; }
};

// The file's first bytes (all the templates look at), or the whole of a smaller file.
Bytes ReadBytes(const fs::path& path, std::size_t limit = 1 << 16) {
  std::ifstream in(path, std::ios::binary);
  Bytes bytes(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// A scratch folder for the sample files, removed afterwards.
class TScratch {
 public:
  TScratch() {
    char name[] = "/tmp/ovx-filer-XXXXXX";
    folder = mkdtemp(name);
  }
  ~TScratch() { fs::remove_all(folder); }
  // Runs a shell command in the folder; true when it succeeded.
  bool Run(const std::string& command) const {
    return std::system(("cd '" + folder.string() + "' && " + command + " >/dev/null 2>&1").c_str()) == 0;
  }
  fs::path folder;
};

// A shipped template over a file: its fields by "page/label", each as the control would show it.
class TShownTemplate {
 public:
  TShownTemplate(const std::string& name, Bytes data) : document_(std::move(data)) {
    const std::string path = std::string(OVX_FILER_DIR) + "/" + name;
    TAnalyzeError error;
    AnalyzeFiler(path, program_.initialize, program_.edit, error, program_.finalize);
    EXPECT_FALSE(error.Error) << name << " line " << error.Line << ": " << error.Message;
    LayOutFilerProgram(program_, TFixedMeasure());
    TScriptedPrompt prompt;
    RereadFiler(program_, document_, prompt);
    for (const TFilerPage& page : program_.layout.pages) {
      std::string label;
      for (const TFilerControl& c : page.controls) {
        if (c.kind == fcFieldLabel) label = c.text;
        if (c.kind == fcBit) label = c.text;
        if (c.kind >= fcInteger && c.kind <= fcBit) fields_[page.title + "/" + label] = c.field;
      }
    }
  }

  // The number an integer field shows, or the value of the choice a select shows.
  std::int64_t Number(const std::string& key) const {
    const int i = Index(key);
    if (i < 0) return -1;
    const TFilerField& field = program_.layout.fields[i];
    const TFilerFieldValue& value = program_.values[i];
    if (!value.jumpEnabled) return -2;  // out of range
    if (field.kind == fcSelect) return value.selected < 0 ? -3 : field.items[value.selected].value;
    return field.kind == fcBit ? value.checked : value.integer;
  }
  std::string Text(const std::string& key) const {
    const int i = Index(key);
    return i < 0 ? "(no such field)" : program_.values[i].text;
  }
  TFilerProgram& Program() { return program_; }
  TVectorDocument& Document() { return document_; }
  int Index(const std::string& key) const {
    auto it = fields_.find(key);
    EXPECT_NE(it, fields_.end()) << key;
    return it == fields_.end() ? -1 : it->second;
  }

 private:
  TFilerProgram program_;
  TVectorDocument document_;
  std::map<std::string, int> fields_;
};

struct TExpected {
  std::string field;
  std::int64_t number;
};

void ExpectNumbers(const TShownTemplate& shown, const std::vector<TExpected>& expected) {
  for (const TExpected& e : expected) EXPECT_EQ(shown.Number(e.field), e.number) << e.field;
}

TEST(FilerShippedTemplates, EachHasTitleAndAuthor) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(OVX_FILER_DIR)) {
    TFilerDefine define;
    ASSERT_TRUE(ReadFilerDefine(entry.path().string(), define));
    EXPECT_FALSE(define.Title.empty()) << entry.path();
    EXPECT_EQ(define.Author, "Orvanta") << entry.path();
    ++count;
  }
  EXPECT_GE(count, 8);
}

TEST(FilerShippedTemplates, BitmapFromImageMagick) {
  TScratch scratch;
  ASSERT_TRUE(scratch.Run("convert -size 7x5 xc:red BMP3:a.bmp"));
  const Bytes file = ReadBytes(scratch.folder / "a.bmp");
  TShownTemplate shown("BMP.OVXF", file);
  EXPECT_EQ(shown.Text("ファイルヘッダ/識別子"), "BM");
  ExpectNumbers(shown, {{"ファイルヘッダ/ファイルサイズ", static_cast<std::int64_t>(file.size())},
                        {"ファイルヘッダ/画像データの位置", 54},
                        {"情報ヘッダ/ヘッダサイズ", 40},
                        {"情報ヘッダ/幅", 7},
                        {"情報ヘッダ/高さ", 5},
                        {"情報ヘッダ/プレーン数", 1},
                        {"情報ヘッダ/ビット数", 24},
                        {"情報ヘッダ/圧縮形式", 0}});
}

TEST(FilerShippedTemplates, PngFromImageMagick) {
  TScratch scratch;
  ASSERT_TRUE(scratch.Run("convert -size 7x5 xc:red -depth 8 PNG24:a.png"));
  TShownTemplate shown("PNG.OVXF", ReadBytes(scratch.folder / "a.png"));
  EXPECT_EQ(shown.Text("シグネチャ/形式名"), "PNG");
  EXPECT_EQ(shown.Text("IHDR/チャンク名"), "IHDR");
  ExpectNumbers(shown, {{"シグネチャ/先頭バイト", 0x89},
                        {"シグネチャ/改行 (CR LF)", 0x0D0A},
                        {"IHDR/チャンク長", 13},
                        {"IHDR/幅", 7},
                        {"IHDR/高さ", 5},
                        {"IHDR/ビット深度", 8},
                        {"IHDR/カラータイプ", 2},
                        {"IHDR/インターレース", 0}});
}

TEST(FilerShippedTemplates, GifFromImageMagick) {
  TScratch scratch;
  ASSERT_TRUE(scratch.Run("convert -size 7x5 xc:red a.gif"));
  TShownTemplate shown("GIF.OVXF", ReadBytes(scratch.folder / "a.gif"));
  EXPECT_EQ(shown.Text("ヘッダ/シグネチャ"), "GIF");
  EXPECT_EQ(shown.Text("ヘッダ/バージョン"), "89a");
  ExpectNumbers(shown, {{"論理画面記述子/画面の幅", 7},
                        {"論理画面記述子/画面の高さ", 5},
                        {"論理画面記述子/グローバルカラーテーブルあり", 1}});
}

TEST(FilerShippedTemplates, WaveFromPython) {
  TScratch scratch;
  ASSERT_TRUE(scratch.Run(
      "python3 -c \"import wave; w = wave.open('a.wav', 'wb'); w.setnchannels(2); w.setsampwidth(2); "
      "w.setframerate(22050); w.writeframes(bytes(40)); w.close()\""));
  TShownTemplate shown("WAV.OVXF", ReadBytes(scratch.folder / "a.wav"));
  EXPECT_EQ(shown.Text("RIFF ヘッダ/識別子"), "RIFF");
  EXPECT_EQ(shown.Text("RIFF ヘッダ/形式"), "WAVE");
  EXPECT_EQ(shown.Text("fmt チャンク/チャンク名"), "fmt");
  EXPECT_EQ(shown.Text("data チャンク/チャンク名"), "data");
  ExpectNumbers(shown, {{"RIFF ヘッダ/RIFF サイズ", 36 + 40},
                        {"fmt チャンク/フォーマットタグ", 1},
                        {"fmt チャンク/チャンネル数", 2},
                        {"fmt チャンク/サンプリング周波数 (Hz)", 22050},
                        {"fmt チャンク/データ速度 (バイト/秒)", 88200},
                        {"fmt チャンク/ブロックサイズ", 4},
                        {"fmt チャンク/量子化ビット数", 16},
                        {"data チャンク/データサイズ", 40}});
}

TEST(FilerShippedTemplates, ZipFromPython) {
  TScratch scratch;
  ASSERT_TRUE(scratch.Run(
      "python3 -c \"import zipfile; z = zipfile.ZipFile('a.zip', 'w', zipfile.ZIP_DEFLATED); "
      "z.writestr('hello.txt', 'hello ' * 20); z.close()\""));
  TShownTemplate shown("ZIP.OVXF", ReadBytes(scratch.folder / "a.zip"));
  EXPECT_EQ(shown.Text("ローカルファイルヘッダ/シグネチャ"), "PK");
  ExpectNumbers(shown, {{"ローカルファイルヘッダ/シグネチャ (種類)", 0x0403},
                        {"ローカルファイルヘッダ/圧縮方式", 8},
                        {"ローカルファイルヘッダ/圧縮前のサイズ", 120},
                        {"ローカルファイルヘッダ/ファイル名の長さ", 9},
                        {"ローカルファイルヘッダ/拡張フィールドの長さ", 0},
                        {"汎用フラグ/暗号化", 0}});
  EXPECT_EQ(shown.Text("ローカルファイルヘッダ/ファイル名 (先頭 16 バイト)").substr(0, 9), "hello.txt");
}

TEST(FilerShippedTemplates, ElfOfThisTestProgram) {
  TShownTemplate shown("ELF64.OVXF", ReadBytes("/proc/self/exe"));
  EXPECT_EQ(shown.Text("識別子/ELF"), "ELF");
  ExpectNumbers(shown, {{"識別子/マジック", 0x7F},
                        {"識別子/クラス", 2},
                        {"識別子/データ形式", 1},
                        {"ファイルヘッダ/マシン", 62},
                        {"ファイルヘッダ/ヘッダサイズ", 64},
                        {"ファイルヘッダ/プログラムヘッダのサイズ", 56},
                        {"ファイルヘッダ/セクションヘッダのサイズ", 64}});
}

TEST(FilerShippedTemplates, PeOfTheLauncher) {
  const fs::path launcher = fs::path(OVX_BUILD_ROOT) / "win64" / "ovx.exe";
  if (!fs::exists(launcher)) GTEST_SKIP() << "the 64-bit tree has not been built: " << launcher;
  TShownTemplate shown("PE.OVXF", ReadBytes(launcher));
  EXPECT_EQ(shown.Text("DOS ヘッダ/シグネチャ"), "MZ");
  EXPECT_EQ(shown.Text("PE ヘッダ (0x80)/PE シグネチャ"), "PE");
  ExpectNumbers(shown, {{"DOS ヘッダ/PE ヘッダの位置", 0x80},
                        {"PE ヘッダ (0x80)/マシン", 0x8664},
                        {"PE ヘッダ (0x80)/オプションヘッダのサイズ", 240},
                        {"ファイル特性 (0x80)/実行可能イメージ", 1},
                        {"ファイル特性 (0x80)/DLL", 0},
                        {"ファイル特性 (0x80)/32 ビットマシン", 0}});
}

// The worked example: every command of the language, read over an empty record and applied.
TEST(FilerShippedTemplates, WorkedExampleReadsAndApplies) {
  TShownTemplate shown("SAMPLE.OVXF", Bytes(64, 0));
  EXPECT_EQ(shown.Text("基本情報/識別子"), "MEMB");  // written by the initialisation list
  ExpectNumbers(shown, {{"登録日/年", 1900}, {"登録日/月", 1}, {"登録日/日", 1}});
  TFilerProgram& program = shown.Program();
  program.values[shown.Index("基本情報/会員番号")].integer = 1234;
  program.values[shown.Index("基本情報/氏名")].text = "山田";
  program.values[shown.Index("基本情報/有効")].checked = true;
  program.values[shown.Index("管理情報/チェック値")].integer = 0xABCD;
  TScriptedPrompt prompt;
  ASSERT_TRUE(ApplyFiler(program, shown.Document(), prompt));
  Bytes expected(64, 0);
  auto put = [&](std::size_t at, Bytes bytes) { std::copy(bytes.begin(), bytes.end(), expected.begin() + at); };
  put(0, {'M', 'E', 'M', 'B', 0xD2, 0x04, 0, 0, 0x8E, 0x52, 0x93, 0x63});
  put(12, Bytes(12, ' '));
  put(25, {0x81});
  put(28, {0x6C, 0x07, 1, 1, 0xAB, 0xCD});
  put(44, {0x6C, 0x07, 1, 1});
  put(56, {0xDE, 0xAD, 0xBE, 0xEF, 0xA5, 0xA5, 0x01, 0x02});
  EXPECT_EQ(shown.Document().target.data, expected);
}

TEST(FilerShippedTemplates, WorkedExampleUsesEveryCommand) {
  std::ifstream in(std::string(OVX_FILER_DIR) + "/SAMPLE.OVXF", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  for (const char* name :
       {"BIGENDIAN", "COMMAND", "COMMON", "COPY", "CLEAR", "DISABLE", "EDITBIT", "EDITINTEGER", "EDITSELECT",
        "EDITSTRING", "ENABLE", "FINALIZE", "HORIZONTALRULE", "INCLUDECOMMON", "INDENT", "INITIALIZE", "LABEL",
        "LITTLEENDIAN", "MARGIN", "MESSAGE", "PAGE", "SEGMENT", "TITLE(", "WRITEBIT", "WRITEINTEGER", "WRITEPATTERNBIN",
        "WRITEPATTERNHEX", "WRITESTRING"}) {
    const bool used = text.find(std::string("\n  ") + name) != std::string::npos ||
                      text.find(std::string("\n") + name) != std::string::npos;
    EXPECT_TRUE(used) << name;
  }
}

}  // namespace
}  // namespace ovx::test

#endif
