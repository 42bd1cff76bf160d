// The templates shipped in the folder "filer", as the build converts them, laid over real files of
// their formats and awkward variants of them (shipped_samples.py, beside this file, makes them with
// ImageMagick, Python and the MinGW compilers): what they show, that an apply with nothing changed
// leaves the file as it was, and that a changed field writes its own bytes and no others.
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

std::string ReadText(const fs::path& path) {
  const Bytes bytes = ReadBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// A scratch folder for the sample files, removed afterwards.
class TScratch {
 public:
  TScratch() {
    char name[] = "/tmp/ovx-filer-XXXXXX";
    folder = mkdtemp(name);
  }
  ~TScratch() { fs::remove_all(folder); }
  // Runs a shell command in the folder: its exit status; what it wrote is kept in out and err.
  int Run(const std::string& command) {
    const int status = std::system(("cd '" + folder.string() + "' && (" + command + ") >.out 2>.err").c_str());
    out = ReadText(folder / ".out");
    err = ReadText(folder / ".err");
    return status;
  }
  fs::path folder;
  std::string out, err;
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
    Reread();
    keys_.resize(program_.layout.fields.size());
    for (const TFilerPage& page : program_.layout.pages) {
      std::string label;
      for (const TFilerControl& c : page.controls) {
        if (c.kind == fcFieldLabel) label = c.text;
        if (c.kind == fcBit) label = c.text;
        if (c.kind >= fcInteger && c.kind <= fcBit) fields_[keys_[c.field] = page.title + "/" + label] = c.field;
      }
    }
  }

  void Reread() {
    TScriptedPrompt prompt;
    RereadFiler(program_, document_, prompt);
  }
  void Apply() {
    TScriptedPrompt prompt;
    ASSERT_TRUE(ApplyFiler(program_, document_, prompt));
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
  // The text of the page's labels and message areas, one after the other.
  std::string Notices(const std::string& page) const {
    std::string text;
    for (const TFilerPage& p : program_.layout.pages)
      for (const TFilerControl& c : p.controls)
        if (p.title == page && (c.kind == fcLabel || c.kind == fcMessage)) text += c.text + "\n";
    return text;
  }
  TFilerProgram& Program() { return program_; }
  Bytes& Data() { return document_.target.data; }
  int Index(const std::string& key) const {
    auto it = fields_.find(key);
    EXPECT_NE(it, fields_.end()) << key;
    return it == fields_.end() ? -1 : it->second;
  }
  const std::string& Key(int field) const { return keys_[field]; }

 private:
  TFilerProgram program_;
  TVectorDocument document_;
  std::map<std::string, int> fields_;
  std::vector<std::string> keys_;
};

struct TExpected {
  std::string field;
  std::int64_t number;
};

struct TExpectedText {
  std::string field, start;  // what the text begins with: a short name runs on into other bytes
};

void ExpectNumbers(const TShownTemplate& shown, const std::vector<TExpected>& expected) {
  for (const TExpected& e : expected) EXPECT_EQ(shown.Number(e.field), e.number) << e.field;
}

// Integers as the file holds them: width bytes, zero-extended, in the field's byte order.
std::int32_t Decode(const Bytes& data, const TFilerField& field) {
  std::uint32_t value = 0;
  for (int i = 0; i < field.width; ++i)
    value |= std::uint32_t{data[field.address + i]} << 8 * (field.bigEndian ? field.width - 1 - i : i);
  return static_cast<std::int32_t>(value);
}

void Encode(std::int32_t value, const TFilerField& field, Bytes& data) {
  for (int i = 0; i < field.width; ++i)
    data[field.address + i] =
        static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> 8 * (field.bigEndian ? field.width - 1 - i : i));
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t count) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = 0; i < count; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
  }
  return ~crc;
}

// What a template's end list writes over the data an apply leaves: PNG puts the IHDR chunk's CRC
// (of its name and 13 data bytes) after them, big-endian.
void RunEndList(const std::string& name, Bytes& data) {
  if (name != "PNG.OVXF") return;
  const std::uint32_t crc = Crc32(data.data() + 12, 17);
  for (int i = 0; i < 4; ++i) data[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

struct TSample {
  std::string templateName, sample;
  std::vector<TExpected> numbers;
  std::vector<TExpectedText> texts = {};
};

// A PE image whose header lies where the template expects it.
TSample PortableSample(const std::string& templateName, const std::string& sample, const std::string& at,
                       std::int64_t offset) {
  const std::string header = "PE ヘッダ (" + at + ")/";
  return {templateName,
          sample,
          {{"DOS ヘッダ/PE ヘッダの位置", offset},
           {header + "マシン", 0x8664},
           {header + "オプションヘッダのサイズ", 240},
           {header + "オプションヘッダのマジック", 0x20B},
           {"ファイル特性 (" + at + ")/実行可能イメージ", 1},
           {"ファイル特性 (" + at + ")/DLL", 0}},
          {{"DOS ヘッダ/シグネチャ", "MZ"}, {header + "PE シグネチャ", "PE"}}};
}

const std::vector<TSample>& Samples() {
  static const std::vector<TSample> samples = {
      {"BMP.OVXF",
       "bmp-rgb24",
       {{"ファイルヘッダ/ファイルサイズ", 174},
        {"ファイルヘッダ/画像データの位置", 54},
        {"情報ヘッダ/ヘッダサイズ", 40},
        {"情報ヘッダ/幅", 7},
        {"情報ヘッダ/高さ", 5},
        {"情報ヘッダ/プレーン数", 1},
        {"情報ヘッダ/ビット数", 24},
        {"情報ヘッダ/圧縮形式", 0}},
       {{"ファイルヘッダ/識別子", "BM"}}},
      {"BMP.OVXF", "bmp-v5", {{"ファイルヘッダ/画像データの位置", 138}, {"情報ヘッダ/ヘッダサイズ", 124}}},
      {"BMP.OVXF", "bmp-rle8", {{"情報ヘッダ/ビット数", 8}, {"情報ヘッダ/圧縮形式", 1}}},
      {"BMP.OVXF", "bmp-top-down", {{"情報ヘッダ/幅", 7}, {"情報ヘッダ/高さ", -5}}},
      {"PNG.OVXF",
       "png-rgb",
       {{"シグネチャ/先頭バイト", 0x89},
        {"シグネチャ/改行 (CR LF)", 0x0D0A},
        {"シグネチャ/EOF と LF", 0x1A0A},
        {"IHDR/チャンク長", 13},
        {"IHDR/幅", 7},
        {"IHDR/高さ", 5},
        {"IHDR/ビット深度", 8},
        {"IHDR/カラータイプ", 2},
        {"IHDR/インターレース", 0}},
       {{"シグネチャ/形式名", "PNG"}, {"IHDR/チャンク名", "IHDR"}}},
      {"PNG.OVXF", "png-palette", {{"IHDR/ビット深度", 8}, {"IHDR/カラータイプ", 3}}},
      {"PNG.OVXF", "png-grey16", {{"IHDR/ビット深度", 16}, {"IHDR/カラータイプ", 0}}},
      {"PNG.OVXF", "png-rgba-interlaced", {{"IHDR/カラータイプ", 6}, {"IHDR/インターレース", 1}}},
      {"GIF.OVXF",
       "gif-89a",
       {{"論理画面記述子/画面の幅", 7},
        {"論理画面記述子/画面の高さ", 5},
        {"論理画面記述子/グローバルカラーテーブルあり", 1}},
       {{"ヘッダ/シグネチャ", "GIF"}, {"ヘッダ/バージョン", "89a"}}},
      {"GIF.OVXF", "gif-87a", {{"論理画面記述子/画面の幅", 7}}, {{"ヘッダ/バージョン", "87a"}}},
      {"GIF.OVXF",
       "gif-256",
       {{"論理画面記述子/画面の高さ", 256},
        {"論理画面記述子/パックフィールド", 0xF7},
        {"論理画面記述子/テーブルサイズ ビット 2", 1},
        {"論理画面記述子/テーブルサイズ ビット 0", 1}}},
      {"WAV.OVXF",
       "wav-pcm16",
       {{"RIFF ヘッダ/RIFF サイズ", 36 + 40},
        {"fmt チャンク/チャンクサイズ", 16},
        {"fmt チャンク/フォーマットタグ", 1},
        {"fmt チャンク/チャンネル数", 2},
        {"fmt チャンク/サンプリング周波数 (Hz)", 22050},
        {"fmt チャンク/データ速度 (バイト/秒)", 88200},
        {"fmt チャンク/ブロックサイズ", 4},
        {"fmt チャンク/量子化ビット数", 16},
        {"data チャンク/データサイズ", 40}},
       {{"RIFF ヘッダ/識別子", "RIFF"},
        {"RIFF ヘッダ/形式", "WAVE"},
        {"fmt チャンク/チャンク名", "fmt"},
        {"data チャンク/チャンク名", "data"}}},
      {"WAV.OVXF", "wav-pcm8", {{"fmt チャンク/チャンネル数", 1}, {"fmt チャンク/量子化ビット数", 8}}},
      {"WAV.OVXF",
       "wav-float",
       {{"fmt チャンク/チャンクサイズ", 18},
        {"fmt チャンク/フォーマットタグ", 3},
        {"fmt チャンク/量子化ビット数", 32},
        {"fmt 拡張部/拡張部のサイズ (cbSize)", 0}}},
      {"WAV.OVXF",
       "wav-extensible",
       {{"fmt チャンク/チャンクサイズ", 40},
        {"fmt チャンク/フォーマットタグ", 0xFFFE},
        {"fmt チャンク/量子化ビット数", 24},
        {"fmt 拡張部/拡張部のサイズ (cbSize)", 22},
        {"fmt 拡張部/有効ビット数 / ブロック内のサンプル数", 20},
        {"fmt 拡張部/チャンネルマスク", 3},
        {"fmt 拡張部/サブフォーマット (GUID の先頭 2 バイト)", 1}}},
      {"WAV.OVXF",
       "wav-ima-adpcm",
       {{"fmt チャンク/チャンクサイズ", 20},
        {"fmt チャンク/フォーマットタグ", 17},
        {"fmt チャンク/ブロックサイズ", 256},
        {"fmt 拡張部/拡張部のサイズ (cbSize)", 2},
        {"fmt 拡張部/有効ビット数 / ブロック内のサンプル数", 505}}},
      {"ZIP.OVXF",
       "zip-deflate",
       {{"ローカルファイルヘッダ/シグネチャ (種類)", 0x0403},
        {"ローカルファイルヘッダ/圧縮方式", 8},
        {"ローカルファイルヘッダ/圧縮前のサイズ", 120},
        {"ローカルファイルヘッダ/ファイル名の長さ", 9},
        {"ローカルファイルヘッダ/拡張フィールドの長さ", 0},
        {"汎用フラグ/暗号化", 0}},
       {{"ローカルファイルヘッダ/シグネチャ", "PK"}, {"ローカルファイルヘッダ/ファイル名 (表示のみ)", "hello.txt"}}},
      {"ZIP.OVXF",
       "zip-extra-short-name",
       {{"ローカルファイルヘッダ/圧縮方式", 0},
        {"ローカルファイルヘッダ/圧縮前のサイズ", 5},
        {"ローカルファイルヘッダ/ファイル名の長さ", 1},
        {"ローカルファイルヘッダ/拡張フィールドの長さ", 9}},
       {{"ローカルファイルヘッダ/ファイル名 (表示のみ)", "aUT"}}},
      {"ZIP.OVXF", "zip-utf8-name", {{"ローカルファイルヘッダ/ファイル名の長さ", 13}, {"汎用フラグ/ファイル名が UTF-8", 1}}},
      {"ZIP.OVXF", "zip-lzma", {{"ローカルファイルヘッダ/圧縮方式", 14}, {"ローカルファイルヘッダ/展開に必要なバージョン", 63}}},
      {"ZIP.OVXF",
       "zip-descriptor",
       {{"汎用フラグ/データ記述子あり", 1},
        {"ローカルファイルヘッダ/CRC-32", 0},
        {"ローカルファイルヘッダ/圧縮後のサイズ", 0}}},
      {"ELF64.OVXF",
       "elf-x86-64",
       {{"識別子/マジック", 0x7F},
        {"識別子/クラス", 2},
        {"識別子/データ形式", 1},
        {"ファイルヘッダ/マシン", 62},
        {"ファイルヘッダ/ヘッダサイズ", 64},
        {"ファイルヘッダ/プログラムヘッダのサイズ", 56},
        {"ファイルヘッダ/セクションヘッダのサイズ", 64}},
       {{"識別子/ELF", "ELF"}}},
      {"ELF64.OVXF", "elf-ppc64le", {{"ファイルヘッダ/マシン", 21}}},
      {"ELF64.OVXF", "elf-loongarch", {{"ファイルヘッダ/マシン", 258}}},
      {"ELF64.OVXF", "elf-s390x", {{"識別子/データ形式", 2}}},  // the page says to take ELF64BE
      {"ELF64BE.OVXF",
       "elf-s390x",
       {{"識別子/クラス", 2},
        {"識別子/データ形式", 2},
        {"ファイルヘッダ/ファイル形式", 2},
        {"ファイルヘッダ/マシン", 22},
        {"ファイルヘッダ/エントリポイント (上位)", 0},
        {"ファイルヘッダ/エントリポイント (下位)", 0x1000400},
        {"ファイルヘッダ/プログラムヘッダの位置 (下位)", 64},
        {"ファイルヘッダ/ヘッダサイズ", 64},
        {"ファイルヘッダ/プログラムヘッダの数", 1}},
       {{"識別子/ELF", "ELF"}}},
      {"ELF64BE.OVXF",
       "elf-ppc64",
       {{"ファイルヘッダ/マシン", 21},
        {"ファイルヘッダ/エントリポイント (上位)", 1},
        {"ファイルヘッダ/エントリポイント (下位)", 0xA00},
        {"ファイルヘッダ/フラグ", 1}}},
      PortableSample("PE.OVXF", "pe64", "0x80", 0x80),
      {"PE.OVXF",
       "pe32",
       {{"PE ヘッダ (0x80)/マシン", 0x14C},
        {"PE ヘッダ (0x80)/オプションヘッダのマジック", 0x10B},
        {"ファイル特性 (0x80)/32 ビットマシン", 1}}},
      {"PE.OVXF", "pe-armnt", {{"PE ヘッダ (0x80)/マシン", 0x1C4}}},
      {"PE.OVXF", "pe64-at-E8", {{"DOS ヘッダ/PE ヘッダの位置", 0xE8}}},  // the page says to take PE_0xE8
      PortableSample("PE/PE_0xE8.OVXF", "pe64-at-E8", "0xE8", 0xE8),
      PortableSample("PE/PE_0xF0.OVXF", "pe64-at-F0", "0xF0", 0xF0),
      PortableSample("PE/PE_0xF8.OVXF", "pe64-at-F8", "0xF8", 0xF8),
      PortableSample("PE/PE_0x100.OVXF", "pe64-at-100", "0x100", 0x100),
  };
  return samples;
}

std::string Name(const TSample& s) { return s.templateName + " over " + s.sample; }

// The sample files, made once for all the tests below.
class FilerShippedSamples : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = new TScratch;
    const fs::path maker = fs::path(__FILE__).parent_path() / "shipped_samples.py";
    made_ = scratch_->Run("python3 '" + maker.string() + "' .") == 0;
  }
  static void TearDownTestSuite() {
    delete scratch_;
    scratch_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(made_) << scratch_->err; }

  static Bytes Sample(const std::string& name) { return ReadBytes(scratch_->folder / name); }

  static TScratch* scratch_;
  static bool made_;
};

TScratch* FilerShippedSamples::scratch_ = nullptr;
bool FilerShippedSamples::made_ = false;

// Every number shows the bytes of the file, whatever they are: nothing clamps or picks a choice
// the bytes do not hold.
TEST_F(FilerShippedSamples, ShowTheFileAsItIs) {
  for (const TSample& s : Samples()) {
    const Bytes file = Sample(s.sample);
    TShownTemplate shown(s.templateName, file);
    ExpectNumbers(shown, s.numbers);
    for (const TExpectedText& t : s.texts)
      EXPECT_EQ(shown.Text(t.field).substr(0, t.start.size()), t.start) << Name(s) << ": " << t.field;
    const TFilerProgram& program = shown.Program();
    for (std::size_t i = 0; i < program.layout.fields.size(); ++i) {
      const TFilerField& field = program.layout.fields[i];
      const TFilerFieldValue& value = program.values[i];
      if (!value.jumpEnabled || (field.kind != fcInteger && field.kind != fcSelect)) continue;
      const std::int32_t shownNumber = field.kind == fcInteger ? value.integer : field.items[value.selected].value;
      EXPECT_EQ(shownNumber, Decode(file, field)) << Name(s) << ": " << shown.Key(static_cast<int>(i));
    }
  }
}

TEST_F(FilerShippedSamples, ApplyWithNothingChangedLeavesTheFileAsItWas) {
  for (const TSample& s : Samples()) {
    const Bytes file = Sample(s.sample);
    TShownTemplate shown(s.templateName, file);
    shown.Apply();
    EXPECT_EQ(shown.Data(), file) << Name(s);
  }
}

// Each field in turn is changed (an integer in every byte, a string to one letter, a bit turned
// over) and applied: its own bytes take the new value, and no other byte changes but those the
// template's end list writes.
TEST_F(FilerShippedSamples, ApplyWritesTheChangedFieldAndNothingElse) {
  for (const TSample& s : Samples()) {
    const Bytes file = Sample(s.sample);
    TShownTemplate shown(s.templateName, file);
    TFilerProgram& program = shown.Program();
    int changed = 0;
    for (std::size_t i = 0; i < program.layout.fields.size(); ++i) {
      shown.Data() = file;
      shown.Reread();
      const TFilerField& field = program.layout.fields[i];
      TFilerFieldValue& value = program.values[i];
      if (!value.enabled) continue;
      Bytes expected = file;
      if (field.kind == fcInteger) {
        value.integer ^= field.width == 1 ? 0x5A : field.width == 2 ? 0x5AA5 : 0x5AA5C33C;
        Encode(value.integer, field, expected);
      } else if (field.kind == fcSelect) {
        value.selected = (value.selected + 1) % static_cast<int>(field.items.size());
        Encode(field.items[value.selected].value, field, expected);
      } else if (field.kind == fcString) {
        value.text = "Q";
        std::fill_n(expected.begin() + field.address, field.width, field.pad);
        expected[field.address] = 'Q';
      } else {
        value.checked = !value.checked;
        expected[field.address] ^= static_cast<std::uint8_t>(1u << field.bit);
      }
      value.changed = true;
      shown.Apply();
      RunEndList(s.templateName, expected);
      EXPECT_EQ(shown.Data(), expected) << Name(s) << ": " << shown.Key(static_cast<int>(i));
      ++changed;
    }
    EXPECT_GT(changed, 0) << Name(s);
  }
}

// A PNG whose width was changed and applied keeps a valid IHDR chunk: ImageMagick reads its header
// (-ping: the pixels were made for the old width) and the new width without complaint. The same
// change without the end list's CRC is refused.
TEST_F(FilerShippedSamples, PngWithANewWidthIsStillReadable) {
  for (const char* sample : {"png-rgb", "png-palette", "png-grey16", "png-rgba-interlaced"}) {
    const Bytes file = Sample(sample);
    TShownTemplate shown("PNG.OVXF", file);
    TFilerFieldValue& width = shown.Program().values[shown.Index("IHDR/幅")];
    width.integer = 9;
    width.changed = true;
    shown.Apply();
    WriteBytes(scratch_->folder / "edited.png", shown.Data());
    EXPECT_EQ(scratch_->Run("identify -ping -format %w edited.png"), 0) << sample << ": " << scratch_->err;
    EXPECT_EQ(scratch_->out, "9") << sample;
    EXPECT_EQ(scratch_->err, "") << sample;

    Bytes unfixed = file;
    unfixed[19] = 9;
    WriteBytes(scratch_->folder / "unfixed.png", unfixed);
    EXPECT_NE(scratch_->Run("identify -ping -format %w unfixed.png"), 0) << sample;
  }
}

// What a template cannot know about the file it is laid over is said on the page where it
// matters, and fields whose bytes may run past what they stand for are shown, never written.
TEST(FilerShippedTemplates, PagesSayWhatTheyAssume) {
  struct TNotice {
    std::string templateName, page, words;
  };
  std::vector<TNotice> notices = {
      {"ELF64.OVXF", "識別子", "リトルエンディアン (データ形式 1)"},
      {"ELF64BE.OVXF", "識別子", "ビッグエンディアン (データ形式 2)"},
      {"WAV.OVXF", "fmt チャンク", "最初のチャンク"},
      {"WAV.OVXF", "fmt 拡張部", "サイズが 18 以上"},
      {"WAV.OVXF", "data チャンク", "16 バイト (通常の PCM)"},
      {"BMP.OVXF", "情報ヘッダ", "40 以上"},
      {"ZIP.OVXF", "ローカルファイルヘッダ", "書き込みません"},
      {"PNG.OVXF", "IHDR", "CRC を計算し直して"},
  };
  for (const auto& [file, at] : std::vector<std::pair<std::string, std::string>>{
           {"PE.OVXF", "0x80"}, {"PE/PE_0xE8.OVXF", "0xE8"}, {"PE/PE_0xF0.OVXF", "0xF0"},
           {"PE/PE_0xF8.OVXF", "0xF8"}, {"PE/PE_0x100.OVXF", "0x100"}}) {
    notices.push_back({file, "DOS ヘッダ", "PE ヘッダの位置が"});
    notices.push_back({file, "PE ヘッダ (" + at + ")", "「PE ヘッダの位置」"});
    notices.push_back({file, "ファイル特性 (" + at + ")", "「PE ヘッダの位置」"});
  }
  for (const TNotice& n : notices) {
    const TShownTemplate shown(n.templateName, Bytes(512, 0));
    EXPECT_NE(shown.Notices(n.page).find(n.words), std::string::npos) << n.templateName << " / " << n.page;
  }
  for (const auto& [file, key] : std::vector<std::pair<std::string, std::string>>{
           {"ZIP.OVXF", "ローカルファイルヘッダ/ファイル名 (表示のみ)"}, {"PNG.OVXF", "IHDR/CRC (表示のみ)"}}) {
    TShownTemplate shown(file, Bytes(512, 0));
    EXPECT_FALSE(shown.Program().layout.fields[shown.Index(key)].editable) << file << ": " << key;
  }
}

TEST(FilerShippedTemplates, EachHasTitleAndAuthor) {
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(OVX_FILER_DIR)) {
    if (entry.is_directory()) continue;
    TFilerDefine define;
    ASSERT_TRUE(ReadFilerDefine(entry.path().string(), define));
    EXPECT_FALSE(define.Title.empty()) << entry.path();
    EXPECT_EQ(define.Author, "Orvanta") << entry.path();
    ++count;
  }
  EXPECT_GE(count, 13);
}

// The worked example: every command of the language, read over an empty record and applied.
TEST(FilerShippedTemplates, WorkedExampleReadsAndApplies) {
  TShownTemplate shown("SAMPLE.OVXF", Bytes(64, 0));
  EXPECT_EQ(shown.Text("基本情報/識別子"), "MEMB");  // written by the initialisation list
  ExpectNumbers(shown, {{"登録日/年", 1900}, {"登録日/月", 1}, {"登録日/日", 1}});
  TFilerProgram& program = shown.Program();
  auto change = [&](const std::string& key) -> TFilerFieldValue& {
    TFilerFieldValue& value = program.values[shown.Index(key)];
    value.changed = true;
    return value;
  };
  change("基本情報/会員番号").integer = 1234;
  change("基本情報/氏名").text = "山田";
  change("基本情報/有効").checked = true;
  change("管理情報/チェック値").integer = 0xABCD;
  shown.Apply();
  // The date was only shown at its bounds, never changed: its bytes and their copy stay zero.
  Bytes expected(64, 0);
  auto put = [&](std::size_t at, Bytes bytes) { std::copy(bytes.begin(), bytes.end(), expected.begin() + at); };
  put(0, {'M', 'E', 'M', 'B', 0xD2, 0x04, 0, 0, 0x8E, 0x52, 0x93, 0x63});
  put(12, Bytes(12, ' '));
  put(25, {0x81});
  put(32, {0xAB, 0xCD});
  put(56, {0xDE, 0xAD, 0xBE, 0xEF, 0xA5, 0xA5, 0x01, 0x02});
  EXPECT_EQ(shown.Data(), expected);
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
