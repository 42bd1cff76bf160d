// The two built-in key templates and their common user menu 1.
#include "shell/KeyMap.h"

namespace ovx {

namespace {

constexpr int FKey(int n) { return kiF1 + n - 1; }
constexpr int Letter(char c) { return kiA + (c - 'A'); }

struct TTemplateBinding {
  int shiftState;
  int keyIndex;
  TCommandId windowsStandard;
  TCommandId msDosStandard;
};

// No template binds a shift state with Alt.
constexpr TTemplateBinding TemplateBindings[] = {
    {0, FKey(1), cmHELP, cmFILEMENU},
    {0, FKey(2), cmLUMPSETTING, cmSELECTFILEMENU},
    {0, FKey(3), cmSEARCH, cmCOMPAREMENU},
    {0, FKey(4), cmREPLACE, cmINPUTMENU},
    {0, FKey(5), cmADDRESSJUMP, cmSEARCH},
    {0, FKey(6), NoCommand, cmSELECT},
    {0, FKey(7), NoCommand, cmCUT},
    {0, FKey(8), cmSELECT, cmCOPYSEL},
    {0, FKey(9), cmWINDOWLIST, cmPASTE},
    {0, FKey(10), cmMENU, cmADDRESSJUMP},
    {0, FKey(11), cmOPEN, NoCommand},
    {0, FKey(12), cmSAVE, NoCommand},
    {0, kiEsc, cmUSERMENU1, cmUSERMENU1},
    {0, kiTab, cmINPUTAREA, cmINPUTAREA},
    {0, kiInsert, cmINPUTMODE, cmINPUTMODE},
    {0, kiDelete, cmDELETE, cmDELETE},
    {0, kiBackSpace, cmBACKSPACE, cmBACKSPACE},
    {0, kiPageUp, cmPAGEUP, cmPAGEUP},
    {0, kiPageDown, cmPAGEDOWN, cmPAGEDOWN},
    {0, kiHome, cmPARATOP, cmFILETOP},
    {0, kiEnd, cmPARAEND, cmHELP},
    {0, kiUp, cmUP, cmUP},
    {0, kiDown, cmDOWN, cmDOWN},
    {0, kiLeft, cmLEFT, cmLEFT},
    {0, kiRight, cmRIGHT, cmRIGHT},
    {0, kiApplication, cmPOPUPMENU, cmPOPUPMENU},
    {ssShift, FKey(1), cmINPUTMENU, cmOPTION},
    {ssShift, FKey(2), cmBITOPEMENU, cmLUMPSETTING},
    {ssShift, FKey(3), cmBYTEOPEMENU, cmREPLACE},
    {ssShift, FKey(4), cmINTOPEMENU, cmSEARCHPREV},
    {ssShift, FKey(5), cmCOMPAREFILE, cmSEARCHNEXT},
    {ssShift, FKey(6), cmCOMPAREWINDOW, NoCommand},
    {ssShift, FKey(7), cmCOMPAREPRESENT, cmDELETE},
    {ssShift, FKey(8), cmCOMPAREQUIT, NoCommand},
    {ssShift, FKey(9), cmWINDOWNEXT, NoCommand},
    {ssShift, FKey(10), cmPOPUPMENU, cmGARBAGE},
    {ssShift, kiInsert, cmPASTE, cmPASTE},
    {ssShift, kiDelete, cmCUT, cmCUT},
    {ssShift, kiPageUp, cmPAGEUPSEL, cmPAGEUPHIGH},
    {ssShift, kiPageDown, cmPAGEDOWNSEL, cmPAGEDOWNHIGH},
    {ssShift, kiHome, cmPARATOPSEL, cmFILEEND},
    {ssShift, kiEnd, cmPARAENDSEL, NoCommand},
    {ssShift, kiUp, cmUPSEL, cmUPHIGH},
    {ssShift, kiDown, cmDOWNSEL, cmDOWNHIGH},
    {ssShift, kiLeft, cmLEFTSEL, cmLEFTHIGH},
    {ssShift, kiRight, cmRIGHTSEL, cmRIGHTHIGH},
    {ssCtrl, Letter('A'), cmSELECTALL, cmSELECTALL},
    {ssCtrl, Letter('C'), cmCOPY, cmCOPY},
    {ssCtrl, Letter('E'), cmSAVECLOSE, cmSAVECLOSE},
    {ssCtrl, Letter('F'), cmSEARCH, cmSEARCH},
    {ssCtrl, Letter('N'), cmNEW, cmNEW},
    {ssCtrl, Letter('O'), cmOPEN, cmOPEN},
    {ssCtrl, Letter('Q'), cmCLOSE, cmCLOSE},
    {ssCtrl, Letter('R'), cmREPLACE, cmREPLACE},
    {ssCtrl, Letter('S'), cmSAVE, cmSAVE},
    {ssCtrl, Letter('V'), cmPASTE, cmPASTE},
    {ssCtrl, Letter('X'), cmCUT, cmCUT},
    {ssCtrl, Letter('Y'), cmREDO, cmREDO},
    {ssCtrl, Letter('Z'), cmUNDO, cmUNDO},
    {ssCtrl, kiComma, cmBITROLLL, cmBITROLLL},
    {ssCtrl, kiPeriod, cmBITROLLR, cmBITROLLR},
    {ssCtrl, FKey(1), cmFILEMENU, NoCommand},
    {ssCtrl, FKey(2), cmEDITMENU, NoCommand},
    {ssCtrl, FKey(3), cmSEARCHMENU, cmSELECTSWAP},
    {ssCtrl, FKey(4), cmVIEWMENU, cmSELECTTOP},
    {ssCtrl, FKey(5), cmCOMPAREMENU, cmSELECTEND},
    {ssCtrl, FKey(6), cmWINDOWMENU, cmCHARASET},
    {ssCtrl, FKey(7), cmTOOLMENU, NoCommand},
    {ssCtrl, FKey(8), cmHELPMENU, cmCHECKSUM},
    {ssCtrl, FKey(10), NoCommand, cmEXPANDTENKEY},
    {ssCtrl, kiInsert, cmCOPY, NoCommand},
    {ssCtrl, kiPageUp, cmSEARCHPREV, cmSEARCHPREV},
    {ssCtrl, kiPageDown, cmSEARCHNEXT, cmSEARCHNEXT},
    {ssCtrl, kiHome, cmFILETOP, NoCommand},
    {ssCtrl, kiEnd, cmFILEEND, NoCommand},
    {ssCtrl, kiLeft, cmLEFTEX, cmLEFTEX},
    {ssCtrl, kiRight, cmRIGHTEX, cmRIGHTEX},
    {ssCtrl | ssShift, Letter('E'), cmALLSAVECLOSE, cmALLSAVECLOSE},
    {ssCtrl | ssShift, Letter('F'), cmALLCODESEARCH, cmALLCODESEARCH},
    {ssCtrl | ssShift, Letter('Q'), cmALLCLOSE, cmALLCLOSE},
    {ssCtrl | ssShift, Letter('S'), cmALLSAVE, cmALLSAVE},
    {ssCtrl | ssShift, kiComma, cmBYTEROLLL, cmBYTEROLLL},
    {ssCtrl | ssShift, kiPeriod, cmBYTEROLLR, cmBYTEROLLR},
    {ssCtrl | ssShift, FKey(1), cmOPTION, cmSAVE},
    {ssCtrl | ssShift, FKey(2), cmCHARASET, NoCommand},
    {ssCtrl | ssShift, FKey(3), cmCHECKSUM, cmALLSAVE},
    {ssCtrl | ssShift, FKey(4), cmEXPANDTENKEY, cmOPEN},
    {ssCtrl | ssShift, FKey(5), cmFILER, cmSAVEANOTHER},
    {ssCtrl | ssShift, FKey(6), cmRELATIVEJUMP, cmSAVEREPRODUCT},
    {ssCtrl | ssShift, FKey(7), NoCommand, cmSAVECLOSE},
    {ssCtrl | ssShift, FKey(8), NoCommand, cmALLSAVECLOSE},
    {ssCtrl | ssShift, FKey(9), cmHISTORYFLUSH, cmCLOSE},
    {ssCtrl | ssShift, FKey(10), cmGARBAGE, NoCommand},
    {ssCtrl | ssShift, FKey(11), cmWEBPAGEBM, NoCommand},
    {ssCtrl | ssShift, FKey(12), cmWEBPAGE, NoCommand},
    {ssCtrl | ssShift, kiPageUp, cmCOMPAREPREV, cmCOMPAREPREV},
    {ssCtrl | ssShift, kiPageDown, cmCOMPARENEXT, cmCOMPARENEXT},
    {ssCtrl | ssShift, kiHome, cmFILETOPSEL, NoCommand},
    {ssCtrl | ssShift, kiEnd, cmFILEENDSEL, NoCommand},
    {ssCtrl | ssShift, kiLeft, cmLEFTEXSEL, NoCommand},
    {ssCtrl | ssShift, kiRight, cmRIGHTEXSEL, NoCommand},
};

// User menu 1 of both templates; user menus 2 to 5 stay empty.
constexpr struct {
  char letter;
  TCommandId id;
} UserMenu1[] = {
    {'A', cmSELECTALL}, {'C', cmCOPY}, {'E', cmSAVECLOSE}, {'F', cmSEARCH}, {'N', cmNEW},
    {'O', cmOPEN},      {'Q', cmCLOSE}, {'R', cmREPLACE},  {'S', cmSAVE},   {'V', cmPASTE},
    {'X', cmCUT},       {'Y', cmREDO}, {'Z', cmUNDO},
};

void FillTemplate(TKeyMap& map, TCommandId TTemplateBinding::*column) {
  ClearKeyMap(map);
  for (const TTemplateBinding& binding : TemplateBindings)
    SetKeyMapEntry(map, binding.shiftState, binding.keyIndex, binding.*column);
  for (const auto& item : UserMenu1) SetUserMenuEntry(map, 0, Letter(item.letter), item.id);
}

}  // namespace

void WindowsStandardKeyMap(TKeyMap& map) { FillTemplate(map, &TTemplateBinding::windowsStandard); }

void MsDosStandardKeyMap(TKeyMap& map) { FillTemplate(map, &TTemplateBinding::msDosStandard); }

}  // namespace ovx
