#include "tests/e2e/monkey/MonkeyActions.h"

#include <algorithm>
#include <optional>

#include "app/TrayMenuIds.h"
#include "tests/e2e/E2eDriver.h"
#include "tests/e2e/monkey/MonkeyMenu.h"

namespace ovx::e2e::monkey {

const wchar_t* const kSessionFiles[3] = {L"a.bin", L"b.bmp", L"c.dll"};

namespace {

// The notification-area menu's fixed commands, as app/win32/AppResources.h numbers them;
// its help item is left out.
constexpr unsigned kTrayNew = 6101, kTrayOpen = 6102, kTrayOption = 6104, kTrayAllQuit = 6105, kTrayVersion = 6106;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::wstring Num(long long n) { return std::to_wstring(n); }

TAction Make(const char* verb, const std::wstring& target, std::vector<std::wstring> args = {}) {
  return TAction{verb, target, std::move(args)};
}

struct TChord {
  WORD vk;
  UINT mods;
};
// Keys that save, close, or open a tool window, a dialog or a popup menu.
const TChord kSaveChords[] = {{'S', MOD_CONTROL}, {'S', MOD_CONTROL | MOD_SHIFT}, {'E', MOD_CONTROL},
                              {'E', MOD_CONTROL | MOD_SHIFT}, {VK_F12, 0}};
const TChord kToolChords[] = {
    {'F', MOD_CONTROL},        {'R', MOD_CONTROL},          {VK_F5, 0},
    {VK_F2, 0},                {VK_F9, 0},                  {VK_F5, MOD_SHIFT},
    {VK_F6, MOD_SHIFT},        {VK_F7, MOD_SHIFT},          {VK_F8, MOD_SHIFT},
    {VK_F9, MOD_SHIFT},        {VK_F5, MOD_CONTROL | MOD_SHIFT}, {VK_F6, MOD_CONTROL | MOD_SHIFT},
    {'C', MOD_CONTROL},        {'V', MOD_CONTROL},          {'X', MOD_CONTROL},
    {'A', MOD_CONTROL},        {VK_OEM_COMMA, MOD_CONTROL}, {VK_OEM_PERIOD, MOD_CONTROL | MOD_SHIFT},
    {VK_NEXT, MOD_CONTROL | MOD_SHIFT}, {VK_NEXT, MOD_CONTROL}, {VK_F11, 0},
    {'N', MOD_CONTROL},        {'O', MOD_CONTROL},          {'Q', MOD_CONTROL},
    {'Q', MOD_CONTROL | MOD_SHIFT}, {VK_INSERT, MOD_SHIFT}, {VK_F4, 0},
};
const TChord kPopupChords[] = {{VK_APPS, 0}, {VK_ESCAPE, 0}, {VK_F10, 0}, {VK_F1, MOD_SHIFT}};

bool IsSaveChord(WORD vk, UINT mods) {
  for (const TChord& c : kSaveChords)
    if (c.vk == vk && c.mods == mods) return true;
  return false;
}
bool IsCloseChord(WORD vk, UINT mods) {
  return (vk == 'Q' && (mods & MOD_CONTROL)) || (vk == 'E' && (mods & MOD_CONTROL));
}

const wchar_t* const kSaveNames[] = {L"a.bin", L"b.bmp", L"c.dll", L"s1.bin", L"s2.bin"};
const wchar_t* const kTextNames[] = {L"out1.txt", L"out2.txt"};
const wchar_t* const kTemplatePrefixes[] = {L"BM", L"WA", L"ZI", L"PN", L"GI", L"EL", L"PE"};

bool Contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

// Buttons a click may press: never a help button; in the options and shortcut dialogs only
// OK and Cancel, so the key template and the undo budget stay as the session set them.
std::vector<HWND> Pressable(HWND dialog) {
  const std::wstring caption = Caption(dialog);
  const bool guarded = Contains(caption, L"オプション") || Contains(caption, L"ショートカット");
  std::vector<HWND> buttons;
  for (HWND b : ChildrenOf(dialog, L"Button")) {
    const std::wstring text = TextOfWindow(b);
    if (text.empty() || Contains(text, L"ヘルプ") || Contains(text, L"Help")) continue;
    if (guarded && !(Contains(text, L"OK") || Contains(text, L"キャンセル"))) continue;
    buttons.push_back(b);
  }
  return buttons;
}

std::wstring RandomText(std::mt19937_64& random) {
  static const wchar_t* const kTexts[] = {L"0",  L"1",    L"FF",  L"10",   L"-1",    L"7FFFFFFF", L"abc", L"0x10",
                                          L"12", L"+4",   L"-8",  L"あい", L"ZZZZ",  L"",         L"256", L"65536",
                                          L"3",  L"1234", L"0A",  L"*",    L"12345678901234567890"};
  return kTexts[random() % std::size(kTexts)];
}

}  // namespace

std::string FormatAction(const TAction& action) {
  std::string line = action.verb + "\t" + Utf8(action.target);
  for (const std::wstring& a : action.args) line += "\t" + Utf8(a);
  return line;
}

bool ParseAction(const std::string& line, TAction& action) {
  if (line.empty() || line[0] == '#') return false;
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  if (!parts.empty() && !parts.back().empty() && parts.back().back() == '\r') parts.back().pop_back();
  action = TAction{parts[0], parts.size() > 1 ? Wide(parts[1]) : L"", {}};
  for (size_t i = 2; i < parts.size(); ++i) action.args.push_back(Wide(parts[i]));
  return !action.verb.empty();
}

TAction TMonkeyHands::Choose(const TWorld& world) {
  if (!world.process) return Make("start", L"");
  if (world.menu) {
    // A popup menu opened by a key: walked and closed, never chosen from (it may hold help).
    static const WORD keys[] = {VK_DOWN, VK_UP, VK_RIGHT, VK_LEFT, VK_ESCAPE, VK_ESCAPE};
    return Make("menukey", L"", {Num(keys[Pick(std::size(keys))])});
  }
  std::vector<HWND> waits, tools;
  for (HWND h : world.others) (IsWait(h) ? waits : tools).push_back(h);
  // Two things at once: a wait is answered most of the time, not always.
  if (!waits.empty() && Chance(65)) return ChooseForDialog(waits[Pick(static_cast<int>(waits.size()))]);
  if (!tools.empty() && Chance(25)) return ChooseForDialog(tools[Pick(static_cast<int>(tools.size()))]);
  if (world.editors.empty()) {
    if (!world.others.empty()) return ChooseForDialog(world.others[Pick(static_cast<int>(world.others.size()))]);
    return Make("tray", L"", {Num(kTrayNew)});
  }
  HWND editor = world.editors.front();
  if (Chance(15)) editor = world.editors[Pick(static_cast<int>(world.editors.size()))];
  return ChooseForEditor(world, editor);
}

TAction TMonkeyHands::ChooseForEditor(const TWorld& world, HWND editor) {
  const std::wstring name = EditorName(editor);
  const int r = Pick(1000);
  auto chord = [&](const TChord& c) { return Make("chord", name, {Num(c.vk), Num(c.mods)}); };
  if (r < 200) {  // hex digits
    static const wchar_t kHex[] = L"0123456789ABCDEFabcdef";
    std::wstring digits;
    for (int i = Pick(4) + 1; i > 0; --i) digits += kHex[Pick(22)];
    return Make("keys", name, {digits});
  }
  if (r < 240) {  // characters (in the character area after a Tab)
    static const wchar_t* const kChars[] = {L"x", L"Hi", L"あ", L"漢字", L"~", L" ", L"{Tab}"};
    return Make("keys", name, {kChars[Pick(std::size(kChars))]});
  }
  if (r < 400) {
    static const wchar_t* const kMoves[] = {L"{Left}", L"{Right}", L"{Up}",   L"{Down}", L"{PgUp}",
                                            L"{PgDn}", L"{Home}",  L"{End}",  L"{Down}{Down}{Right}"};
    return Make("keys", name, {kMoves[Pick(std::size(kMoves))]});
  }
  if (r < 460) {
    static const TChord kSelect[] = {{VK_LEFT, MOD_SHIFT}, {VK_RIGHT, MOD_SHIFT}, {VK_UP, MOD_SHIFT},
                                     {VK_DOWN, MOD_SHIFT}, {VK_NEXT, MOD_SHIFT}, {VK_HOME, MOD_CONTROL},
                                     {VK_END, MOD_CONTROL}, {VK_END, MOD_CONTROL | MOD_SHIFT}};
    return chord(kSelect[Pick(std::size(kSelect))]);
  }
  if (r < 540) {
    static const wchar_t* const kEdits[] = {L"{Ins}", L"{Del}", L"{Back}", L"{Del}{Del}"};
    return Make("keys", name, {kEdits[Pick(std::size(kEdits))]});
  }
  if (r < 620) return chord(Chance(65) ? TChord{'Z', MOD_CONTROL} : TChord{'Y', MOD_CONTROL});
  if (r < 760) return ChooseMenuWalk(editor);
  if (r < 830) return chord(kToolChords[Pick(std::size(kToolChords))]);
  if (r < 860) return chord(kSaveChords[Pick(std::size(kSaveChords))]);
  if (r < 875) return chord(kPopupChords[Pick(std::size(kPopupChords))]);
  if (r < 920) {  // to another window of the process
    std::vector<HWND> all = world.editors;
    all.insert(all.end(), world.others.begin(), world.others.end());
    HWND to = all[Pick(static_cast<int>(all.size()))];
    if (ClassOf(to) == L"TOvnxBinaryFormWClass") return Make("front", EditorName(to));
    return Make("front", L"", {Caption(to)});
  }
  if (r < 940) {
    if (!world.others.empty() && Chance(50)) return Make("close", L"", {Caption(world.others[Pick(static_cast<int>(world.others.size()))])});
    return Make("close", EditorName(world.editors[Pick(static_cast<int>(world.editors.size()))]));
  }
  if (r < 965) {
    static const unsigned kTray[] = {kTrayNew, kTrayOpen, kTrayOption, kTrayAllQuit, kTrayVersion,
                                     kTrayWindowFirstId, kTrayWindowFirstId + 1, kTrayWindowFirstId + 2,
                                     kTrayMoreWindowsId, kTrayHistoryFirstId, kTrayHistoryFirstId + 1};
    return Make("tray", L"", {Num(kTray[Pick(std::size(kTray))])});
  }
  return Make("launch", L"", {Chance(80) ? kSessionFiles[Pick(3)] : L"s1.bin"});
}

TAction TMonkeyHands::ChooseMenuWalk(HWND editor) {
  const std::vector<TMenuHead>& heads = MenuHeads();
  const TMenuHead& head = heads[Pick(static_cast<int>(heads.size()))];
  // The Window menu lists the windows after its own items.
  const int extra = head.letter == L'W' ? 3 : 0;
  const int down = Pick(static_cast<int>(head.entries.size()) + extra);
  int subDown = -1;
  if (down < static_cast<int>(head.entries.size()) && head.entries[static_cast<size_t>(down)].submenu)
    subDown = Pick(std::max(head.entries[static_cast<size_t>(down)].subItems, 3));
  return Make("menu", EditorName(editor), {std::wstring(1, head.letter), Num(down), Num(subDown)});
}

TAction TMonkeyHands::ChooseForDialog(HWND dialog) {
  const std::wstring caption = Caption(dialog);
  if (IsFileDialog(dialog)) {
    if (Chance(25)) return Make("click", caption, {L"キャンセル"});
    const bool text = Contains(caption, L"出力");
    return Make("file", caption, {text ? kTextNames[Pick(2)] : kSaveNames[Pick(std::size(kSaveNames))]});
  }
  if (Contains(caption, L"ファイラーを開く") && Chance(60))
    return Make("dkeys", caption, {std::wstring(kTemplatePrefixes[Pick(std::size(kTemplatePrefixes))]) + L"{Enter}"});
  const bool guarded = Contains(caption, L"オプション") || Contains(caption, L"ショートカット");
  const int r = Pick(100);
  std::vector<HWND> buttons = Pressable(dialog);
  if (r < 50 && !buttons.empty())
    return Make("click", caption, {TextOfWindow(buttons[static_cast<size_t>(Pick(static_cast<int>(buttons.size())))])});
  std::vector<HWND> edits = ChildrenOf(dialog, L"Edit");
  if (r < 80 && !edits.empty() && !guarded)
    return Make("field", caption, {Num(Pick(static_cast<int>(edits.size()))), RandomText(random_)});
  if (r < 92 && !guarded) {
    static const wchar_t* const kKeys[] = {L"{Tab}", L"{Enter}", L"{Esc}", L"1", L"{Down}", L" ", L"{Tab}{Enter}"};
    return Make("dkeys", caption, {kKeys[Pick(std::size(kKeys))]});
  }
  return Make("close", L"", {caption});
}

namespace {

// A window of the process other than an editor window, by caption.
HWND Other(const TWorld& world, const TAction& action, size_t arg) {
  return action.args.size() > arg ? FindOther(world, action.args[arg]) : nullptr;
}

void Settle() { Sleep(40); }

}  // namespace

TEffects TMonkeyHands::Perform(const TAction& action, const TWorld& world) {
  TEffects effects;
  const std::string& verb = action.verb;
  HWND editor = FindEditor(world, action.target);
  HWND dialog = FindOther(world, action.target);
  auto arg = [&](size_t i) { return i < action.args.size() ? action.args[i] : std::wstring(); };
  auto argNum = [&](size_t i) { return _wtoi(arg(i).c_str()); };

  if (verb == "start") {
    std::wstring files;
    for (const wchar_t* f : kSessionFiles) files += L"\"" + DataFolder() + f + L"\" ";
    TProcess p = StartEditor(files);
    if (p.handle) CloseHandle(p.handle);
    WaitUntil([] { return !EditorWindows().empty() || FindTopWindow(L"#32770") != nullptr; }, kWaitMs);
  } else if (verb == "keys") {
    if (!(effects.performed = editor != nullptr)) return effects;
    TypeKeys(editor, arg(0));
  } else if (verb == "chord") {
    if (!(effects.performed = editor != nullptr)) return effects;
    const WORD vk = static_cast<WORD>(argNum(0));
    const UINT mods = static_cast<UINT>(argNum(1));
    PressShortcut(editor, vk, mods);
    effects.maySave = IsSaveChord(vk, mods);
    effects.mayClose = IsCloseChord(vk, mods);
  } else if (verb == "menu") {
    if (!(effects.performed = editor != nullptr)) return effects;
    const wchar_t letter = arg(0).empty() ? L'F' : arg(0)[0];
    const int down = argNum(1), subDown = argNum(2);
    const TMenuHead* head = MenuHeadOf(letter);
    std::optional<TMenuItem> item;
    if (head && down < static_cast<int>(head->entries.size())) item = head->entries[static_cast<size_t>(down)].item;
    effects.maySave = effects.mayClose = letter == L'F';
    effects.mayFlush = item == miMM_HistoryFlush;
    if (!PressShortcut(editor, letter, MOD_ALT) || !WaitForOpenMenu(editor, 1500)) return effects;
    for (int i = 0; i < down; ++i) TypeKey(VK_DOWN);
    if (subDown >= 0) {
      TypeKey(VK_RIGHT);
      for (int i = 0; i < subDown; ++i) TypeKey(VK_DOWN);
    }
    if (item && IsForbidden(*item)) {
      TypeKey(VK_ESCAPE);
      TypeKey(VK_ESCAPE);
      TypeKey(VK_ESCAPE);
    } else {
      TypeKey(VK_RETURN);
    }
  } else if (verb == "menukey") {
    TypeKey(static_cast<WORD>(argNum(0)));
  } else if (verb == "click") {
    if (!(effects.performed = dialog != nullptr)) return effects;
    effects.maySave = effects.mayClose = true;
    for (HWND b : Pressable(dialog))
      if (TextOfWindow(b) == arg(0)) {
        PostMessageW(b, BM_CLICK, 0, 0);
        break;
      }
  } else if (verb == "field") {
    if (!(effects.performed = dialog != nullptr)) return effects;
    std::vector<HWND> edits = ChildrenOf(dialog, L"Edit");
    const size_t i = static_cast<size_t>(argNum(0));
    if (i < edits.size()) {
      const std::wstring text = arg(1);
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(edits[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000, &ignored);
    }
  } else if (verb == "dkeys") {
    if (!(effects.performed = dialog != nullptr)) return effects;
    effects.maySave = effects.mayClose = true;
    if (!TypeKeys(dialog, arg(0))) PressKeys(dialog, arg(0));
  } else if (verb == "file") {
    if (!(effects.performed = dialog != nullptr)) return effects;
    effects.maySave = effects.mayClose = true;
    ConfirmFileDialog(dialog, DataFolder() + arg(0));
  } else if (verb == "front") {
    HWND to = editor ? editor : Other(world, action, 0);
    if (!(effects.performed = to != nullptr)) return effects;
    SetForegroundWindow(to);
  } else if (verb == "close") {
    HWND to = editor ? editor : Other(world, action, 0);
    if (!(effects.performed = to != nullptr)) return effects;
    effects.mayClose = true;
    PostMessageW(to, WM_CLOSE, 0, 0);
  } else if (verb == "tray") {
    effects.mayClose = true;
    PostMessageW(MainProcessWindow(), WM_COMMAND, static_cast<WPARAM>(argNum(0)), 0);
  } else if (verb == "launch") {
    TProcess p = StartLauncher(L"\"" + DataFolder() + arg(0) + L"\"");
    WaitForExit(p, 3000);
    if (p.handle) CloseHandle(p.handle);
  } else if (verb == "shot") {  // written into a script by hand, to see a replay along the way
    Sleep(500);
    Screenshot(L"monkey-" + arg(0));
  } else {
    effects.performed = false;
  }
  Settle();
  return effects;
}

}  // namespace ovx::e2e::monkey
