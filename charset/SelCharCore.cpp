#include "charset/SelCharCore.h"

#include <cstdio>

namespace ovx {

int PickerRowCount(TAsciiSet set) { return set == asASCII ? 128 : 256; }

const char* AsciiName(int code) {
  static const char* const kControls[] = {
      "Null", "Start of Heading", "Start of Text", "End of Text", "End of Transmisson", "Enquiry", "Acknowledge",
      "Bell (Alert)", "Back Space", "Horizontal Tab", "Line Feed", "Vertical Tab", "Form Feed", "Carriage Return",
      "Shift out", "Shift in", "Data Link Escape", "Device Control 1", "Device Control 2", "Device Control 3",
      "Device Control 4", "Negative Ackowledge", "Synchronous idle", "End of Transmisson Block", "Cancel",
      "End of Medium", "Substitute/End of File", "Escape", "File Separator", "Group Separator", "Record Separatot",
      "Unit Separator"};
  static const char* const kPunctuation[] = {
      "Space", "Exclamation Mark", "Quotation Mark", "Nunber Sign", "Dollar Sign", "Percent Sign", "Ampersand",
      "Apostrophe", "Left Parenthesis", "Right Parenthesis", "Asterisk", "Plus Sign", "Comma", "Hyphen", "Period",
      "Solidus"};
  static const char* const kAfterDigits[] = {"Colon",       "Semicolon",         "Less-than Sign",
                                             "Equals Sign", "Greater-than Sign", "Question Mark",
                                             "Commercial At Sign"};
  static const char* const kAfterUpper[] = {"Left Square Bracket", "Reverse Solidus", "Right Square Bracket",
                                            "Circumflex Accent", "Low Line", "Grave Accent"};
  static const char* const kAfterLower[] = {"Left Curly Bracket", "Vertical Line", "Right Curly Bracket", "Tilde",
                                            "Delete"};
  if (code >= 0x00 && code <= 0x1F) return kControls[code];
  if (code >= 0x20 && code <= 0x2F) return kPunctuation[code - 0x20];
  if (code >= 0x3A && code <= 0x40) return kAfterDigits[code - 0x3A];
  if (code >= 0x5B && code <= 0x60) return kAfterUpper[code - 0x5B];
  if (code >= 0x7B && code <= 0x7F) return kAfterLower[code - 0x7B];
  return "";
}

std::string PickerRowText(int code) {
  char text[64];
  if (code <= 0x7F) std::snprintf(text, sizeof text, "%2.2Xh (%3dd) %s", code, code, AsciiName(code));
  else std::snprintf(text, sizeof text, "%2.2Xh (%3dd)", code, code);
  return text;
}

std::optional<TGlyphCell> PickerGlyphCell(TAsciiSet set, int code) {
  if (code < 0 || code > 0xFF) return std::nullopt;
  if (set == asJISX0201 && ((code >= 0x80 && code <= 0x9F) || code >= 0xE0)) return std::nullopt;
  const int cell = set == asASCII && code == 0x5C ? 0xFC : code;
  return TGlyphCell{(cell % 64) * kGlyphWidth, (cell / 64) * kGlyphHeight};
}

}  // namespace ovx
