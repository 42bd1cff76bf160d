#include "filer/FilerParser.h"

#include <cstdint>
#include <unordered_map>

#include "charset/StrUty.h"
#include "filer/FilerChecks.h"
#include "filer/FilerCommands.h"
#include "filer/FilerInteger.h"
#include "filer/FilerText.h"
#include "filer/FilerTokenizer.h"

namespace ovx {

namespace {

constexpr std::string_view kBadCharacter = "トークンに不正な文字が含まれています.";
constexpr std::string_view kMisplaced = "不正な位置にある %s です.";
constexpr std::string_view kUnknownCommand = "コマンド名が不明です. \"%s\"";
constexpr std::string_view kNotInSection[] = {
    "編集部では使えないコマンドです. \"%s\"",
    "初期化部では使えないコマンドです. \"%s\"",
    "終了部では使えないコマンドです. \"%s\"",
    "共通ブロック定義部では使えないコマンドです. \"%s\"",
};
constexpr std::string_view kOpeningNeeded = "( が必要です.";
constexpr std::string_view kTooMany = "パラメータが多すぎます.";
constexpr std::string_view kTooFew = "パラメータが足りません.";
constexpr std::string_view kSeparatorNeeded = ") か , が必要です.";
constexpr std::string_view kDuplicateBlock = "共通ブロックの多重定義です. \"%s\"";
constexpr std::string_view kUndefinedBlock = "未定義の共通ブロックです. \"%s\"";
constexpr std::string_view kIncludeTooLarge = "共通ブロックの展開結果が大きすぎます. \"%s\"";
constexpr std::string_view kBadEnd = "ファイラー末尾が不正です.";
constexpr std::string_view kUnterminatedToken = "トークンが正常に終了していません.";
constexpr std::string_view kUnterminatedComment = "コメントが正常に終了していません.";
constexpr std::string_view kUnreadable = "ファイラーを読み込めませんでした.";

// What a line costs against kMaxIncludedEditBytes beside its text.
constexpr std::size_t kLineOverhead = 32;

enum TParseState : unsigned char { psCommand, psOpening, psParameter, psSeparator };

bool HasControlCharacter(std::string_view token) {
  for (char c : token) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return true;
  }
  return false;
}

struct TCommonBlock {
  TFilerCommandList lines;
  std::size_t weight = 0;
};

class TFilerParser {
 public:
  TFilerParser(TFilerCommandList& initialize, TFilerCommandList& edit, TFilerCommandList& finalize,
               TAnalyzeError& error)
      : initialize_(initialize), edit_(edit), finalize_(finalize), error_(error) {}

  // False once an error has been recorded.
  bool Feed(std::string_view token, int line);
  bool BetweenCommands() const { return state_ == psCommand; }

 private:
  bool OnCommand(std::string_view token, int line);
  bool OnParameter(std::string_view token, int line);
  bool OnSeparator(std::string_view token, int line);
  bool CloseCommand(int line);
  void Append(std::string line);
  bool Fail(int line, std::string message) {
    error_.Error = true;
    error_.Line = line;
    error_.Message = std::move(message);
    return false;
  }

  TFilerCommandList& initialize_;
  TFilerCommandList& edit_;
  TFilerCommandList& finalize_;
  TAnalyzeError& error_;

  TFilerSection section_ = fsEdit;
  TParseState state_ = psCommand;
  const TFilerCommand* command_ = nullptr;
  std::string line_;                  // the command line being built
  std::size_t firstParameterEnd_ = 0;  // where the first parameter ends in line_
  std::vector<std::int32_t> values_;  // integer value of each parameter so far (0 for strings)
  TCheckedParameter checked_;
  std::vector<TCommonBlock> blocks_;
  std::unordered_map<std::string, std::size_t> blockIndex_;
  std::size_t currentBlock_ = 0;
  std::size_t includedWeight_ = 0;  // what the copies of common blocks have added, never above the limit
};

bool TFilerParser::Feed(std::string_view token, int line) {
  if (HasControlCharacter(token)) return Fail(line, std::string(kBadCharacter));
  switch (state_) {
    case psCommand:
      return OnCommand(token, line);
    case psOpening:
      if (token != "(") return Fail(line, std::string(kOpeningNeeded));
      state_ = psParameter;
      return true;
    case psParameter:
      return OnParameter(token, line);
    case psSeparator:
      return OnSeparator(token, line);
  }
  return true;
}

bool TFilerParser::OnCommand(std::string_view token, int line) {
  if (!token.empty() && (token[0] == '(' || token[0] == ')' || token[0] == ',')) {
    return Fail(line, FillMessage(kMisplaced, token));
  }
  std::string name = SJisUpperCase(token);
  const TFilerCommand* command = FindFilerCommand(name);
  if (!command) return Fail(line, FillMessage(kUnknownCommand, name));
  if (!(command->sections & (1u << section_))) return Fail(line, FillMessage(kNotInSection[section_], name));
  if (command->name == "COMMAND") {
    section_ = fsEdit;
  } else if (command->name == "INITIALIZE") {
    section_ = fsInitialize;
  } else if (command->name == "FINALIZE") {
    section_ = fsFinalize;
  } else if (!command->signature.empty()) {
    command_ = command;
    line_.assign(command->name);
    values_.clear();
    state_ = psOpening;
  } else {
    Append(std::string(command->name));
  }
  return true;
}

bool TFilerParser::OnParameter(std::string_view token, int line) {
  const std::size_t position = values_.size();
  const char kind = SignatureKindAt(command_->signature, position);
  if (!kind) return Fail(line, std::string(kTooMany));
  // Parameters are kept TAB-separated: a TAB inside one would shift the ones after it. Only the
  // text of a string write may hold TABs, because its reader takes everything up to the pad.
  const bool tabAllowed = command_->name == "WRITESTRING" && position == 2;
  if (!tabAllowed && token.find('\t') != std::string_view::npos) return Fail(line, std::string(kBadCharacter));
  std::string message = kind == 'I' ? CheckIntegerParameter(command_->name, position + 1, token, values_, checked_)
                                    : CheckStringParameter(command_->name, position + 1, token, checked_);
  if (!message.empty()) return Fail(line, std::move(message));
  line_ += '\t';
  line_ += checked_.stored;
  if (position == 0) firstParameterEnd_ = line_.size();
  values_.push_back(checked_.value);
  state_ = psSeparator;
  return true;
}

bool TFilerParser::OnSeparator(std::string_view token, int line) {
  if (token == ",") {
    state_ = psParameter;
    return true;
  }
  if (token == ")") return CloseCommand(line);
  return Fail(line, std::string(kSeparatorNeeded));
}

bool TFilerParser::CloseCommand(int line) {
  const std::string_view signature = command_->signature;
  // Under '*' the last letter must occur once, so the letters are the minimum either way.
  const std::size_t letters = SignatureLetters(signature);
  if (values_.size() < letters) return Fail(line, std::string(kTooFew));
  if (!SignatureRepeats(signature) && values_.size() > letters) return Fail(line, std::string(kTooMany));
  state_ = psCommand;
  const std::size_t nameStart = command_->name.size() + 1;
  const std::string_view first =
      std::string_view(line_).substr(nameStart, firstParameterEnd_ - nameStart);  // the first parameter
  if (command_->name == "COMMON") {
    std::string name = SJisUpperCase(first);
    if (blockIndex_.count(name)) return Fail(line, FillMessage(kDuplicateBlock, first));
    blockIndex_.emplace(std::move(name), blocks_.size());
    currentBlock_ = blocks_.size();
    blocks_.emplace_back();
    section_ = fsCommon;
    return true;
  }
  if (command_->name == "INCLUDECOMMON") {
    auto found = blockIndex_.find(SJisUpperCase(first));
    if (found == blockIndex_.end()) return Fail(line, FillMessage(kUndefinedBlock, first));
    const TCommonBlock& block = blocks_[found->second];
    if (block.weight > kMaxIncludedEditBytes - includedWeight_) {
      return Fail(line, FillMessage(kIncludeTooLarge, first));
    }
    edit_.insert(edit_.end(), block.lines.begin(), block.lines.end());
    includedWeight_ += block.weight;
    return true;
  }
  Append(line_);
  return true;
}

void TFilerParser::Append(std::string line) {
  switch (section_) {
    case fsEdit:
      edit_.push_back(std::move(line));
      break;
    case fsInitialize:
      initialize_.push_back(std::move(line));
      break;
    case fsFinalize:
      finalize_.push_back(std::move(line));
      break;
    case fsCommon: {
      TCommonBlock& block = blocks_[currentBlock_];
      block.weight += line.size() + kLineOverhead;
      block.lines.push_back(std::move(line));
      break;
    }
  }
}

}  // namespace

void AnalyzeFilerText(std::string_view text, TFilerCommandList& initialize, TFilerCommandList& edit,
                      TAnalyzeError& error, TFilerCommandList& finalize) {
  initialize.clear();
  edit.clear();
  finalize.clear();
  error = TAnalyzeError{};
  TFilerParser parser(initialize, edit, finalize, error);
  TFilerTokenizer tokenizer(text);
  TFilerToken token;
  for (;;) {
    switch (tokenizer.Next(token)) {
      case fsToken:
        if (!parser.Feed(token.text, tokenizer.LineAt(token.offset))) return;
        break;
      case fsEnd:
        if (!parser.BetweenCommands()) {
          error = {true, tokenizer.LineAt(tokenizer.Size()), std::string(kBadEnd)};
        }
        return;
      case fsUnterminatedString:
        error = {true, tokenizer.LineAt(token.offset), std::string(kUnterminatedToken)};
        return;
      case fsUnterminatedComment:
        error = {true, tokenizer.LineAt(token.offset), std::string(kUnterminatedComment)};
        return;
    }
  }
}

void AnalyzeFiler(const std::string& fileName, TFilerCommandList& initialize, TFilerCommandList& edit,
                  TAnalyzeError& error, TFilerCommandList& finalize, TFileSystem& fs) {
  std::string text;
  if (LoadFilerText(fileName, fs, text) != 0) {
    initialize.clear();
    edit.clear();
    finalize.clear();
    error = {true, 0, std::string(kUnreadable)};
    return;
  }
  AnalyzeFilerText(text, initialize, edit, error, finalize);
}

}  // namespace ovx
