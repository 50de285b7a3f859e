#pragma once
// The paper types the print preview knows: each with the printer's paper
// code (DMPAPER_xxx) and its portrait size in its own unit.

#include <cstdint>
#include <string>

#include "preview/Units.h"

enum TPaperType {
    pLetter,
    pLetterSmall,
    pTabloid,
    pLedger,
    pLegal,
    pStatement,
    pExecutive,
    pA3,
    pA4,
    pA4Small,
    pA5,
    pB4,
    pB5,
    pFolio,
    pQuatro,
    p10x14,
    p11x17,
    pNote,
    pEnv9,
    pEnv10,
    pEnv11,
    pEnv12,
    pEnv14,
    pCSheet,
    pDSheet,
    pESheet,
    pEnvDL,
    pEnvC5,
    pEnvC3,
    pEnvC4,
    pEnvC6,
    pEnvC65,
    pEnvB4,
    pEnvB5,
    pEnvB6,
    pEnvItaly,
    pEnvMonarch,
    pEnvPersonal,
    pFanfoldUSStd,
    pFanfoldGermanStd,
    pFanfoldGermanLegal,
    pB4ISO,
    pJapanesePostcard,
    p9x11,
    p10x11,
    p15x11,
    pEnvInvite,
    pLetterExtra,
    pLegalExtra,
    TabloidExtra,
    pA4Extra,
    pLetterTransverse,
    pA4Transverse,
    pLetterExtraTransverse,
    pAPlus,
    pBPlus,
    pLetterPlus,
    pA4Plus,
    pA5Transverse,
    pB5Transverse,
    pA3Extra,
    pA5Extra,
    pB5Extra,
    pA2,
    pA3Transverse,
    pA3ExtraTransverse,
    pCustom
};
constexpr int kPaperTypeCount = pCustom + 1;

struct TPaperSize {
    const char* Name;  // the type's identifier
    uint16_t Code;     // the printer's paper code
    int Width;         // portrait, in Unit
    int Height;
    TUnits Unit;
};

// The row of a paper type.
const TPaperSize& PaperSize(TPaperType type);

// The first type whose size, with (width, height) converted from unit to
// the row's unit, is exactly the row's; none gives pCustom.
TPaperType FindPaperTypeBySize(int width, int height, TUnits unit, int screenDpi);
// The first type with the paper code (compared as 16 bits); none gives pCustom.
TPaperType PaperTypeByCode(int code);

// The name of a printer form made for a paper of that size:
// "150mm x 200mm" (whole millimetres, truncated).
std::string AutoFormName(int widthHiMetric, int heightHiMetric);
