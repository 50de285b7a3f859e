#include "preview/PaperSizes.h"

#include <array>

namespace {

constexpr TUnits In = mmHiEnglish;  // 0.001 in
constexpr TUnits Mm = mmLoMetric;   // 0.1 mm

// In TPaperType order.  pLetterSmall shares pLetter's code, pEnvB6 is
// stored landscape and pA4Extra is measured in inches, as the printers
// report them.
constexpr std::array<TPaperSize, kPaperTypeCount> kPapers = {{
    {"pLetter", 1, 8500, 11000, In},
    {"pLetterSmall", 1, 8500, 11000, In},
    {"pTabloid", 3, 11000, 17000, In},
    {"pLedger", 4, 17000, 11000, In},
    {"pLegal", 5, 8500, 14000, In},
    {"pStatement", 6, 5500, 8500, In},
    {"pExecutive", 7, 7250, 10500, In},
    {"pA3", 8, 2970, 4200, Mm},
    {"pA4", 9, 2100, 2970, Mm},
    {"pA4Small", 10, 2100, 2970, Mm},
    {"pA5", 11, 1480, 2100, Mm},
    {"pB4", 12, 2500, 3540, Mm},
    {"pB5", 13, 1820, 2570, Mm},
    {"pFolio", 14, 8500, 13000, In},
    {"pQuatro", 15, 2150, 2750, Mm},
    {"p10x14", 16, 10000, 14000, In},
    {"p11x17", 17, 11000, 17000, In},
    {"pNote", 18, 8500, 11000, In},
    {"pEnv9", 19, 3875, 8875, In},
    {"pEnv10", 20, 4125, 9500, In},
    {"pEnv11", 21, 4500, 10375, In},
    {"pEnv12", 22, 4750, 11000, In},
    {"pEnv14", 23, 5000, 11500, In},
    {"pCSheet", 24, 17000, 22000, In},
    {"pDSheet", 25, 22000, 34000, In},
    {"pESheet", 26, 34000, 44000, In},
    {"pEnvDL", 27, 1100, 2200, Mm},
    {"pEnvC5", 28, 1620, 2290, Mm},
    {"pEnvC3", 29, 3240, 4580, Mm},
    {"pEnvC4", 30, 2290, 3240, Mm},
    {"pEnvC6", 31, 1140, 1620, Mm},
    {"pEnvC65", 32, 1140, 2290, Mm},
    {"pEnvB4", 33, 2500, 3530, Mm},
    {"pEnvB5", 34, 1760, 2500, Mm},
    {"pEnvB6", 35, 1760, 1250, Mm},
    {"pEnvItaly", 36, 1100, 2300, Mm},
    {"pEnvMonarch", 37, 3875, 7500, In},
    {"pEnvPersonal", 38, 3625, 6500, In},
    {"pFanfoldUSStd", 39, 14875, 11000, In},
    {"pFanfoldGermanStd", 40, 8500, 12000, In},
    {"pFanfoldGermanLegal", 41, 8500, 13000, In},
    {"pB4ISO", 42, 2500, 3530, Mm},
    {"pJapanesePostcard", 43, 1000, 1480, Mm},
    {"p9x11", 44, 9000, 11000, In},
    {"p10x11", 45, 10000, 11000, In},
    {"p15x11", 46, 15000, 11000, In},
    {"pEnvInvite", 47, 2200, 2200, Mm},
    {"pLetterExtra", 50, 9500, 12000, In},
    {"pLegalExtra", 51, 9500, 15000, In},
    {"TabloidExtra", 52, 11690, 18000, In},
    {"pA4Extra", 53, 9270, 12690, In},
    {"pLetterTransverse", 54, 8500, 11000, In},
    {"pA4Transverse", 55, 2100, 2970, Mm},
    {"pLetterExtraTransverse", 56, 9500, 12000, In},
    {"pAPlus", 57, 2270, 3560, Mm},
    {"pBPlus", 58, 3050, 4870, Mm},
    {"pLetterPlus", 59, 8500, 12690, In},
    {"pA4Plus", 60, 2100, 3300, Mm},
    {"pA5Transverse", 61, 1480, 2100, Mm},
    {"pB5Transverse", 62, 1820, 2570, Mm},
    {"pA3Extra", 63, 3220, 4450, Mm},
    {"pA5Extra", 64, 1740, 2350, Mm},
    {"pB5Extra", 65, 2010, 2760, Mm},
    {"pA2", 66, 4200, 5940, Mm},
    {"pA3Transverse", 67, 2970, 4200, Mm},
    {"pA3ExtraTransverse", 68, 3220, 4450, Mm},
    {"pCustom", 256, 0, 0, mmPixel},
}};

}  // namespace

const TPaperSize& PaperSize(TPaperType type) {
    return kPapers[type >= 0 && type < kPaperTypeCount ? type : pCustom];
}

TPaperType FindPaperTypeBySize(int width, int height, TUnits unit, int screenDpi) {
    for (int i = 0; i < kPaperTypeCount; ++i) {
        const TPaperSize& row = kPapers[i];
        if (ConvertUnit(width, screenDpi, unit, row.Unit, screenDpi) == row.Width &&
            ConvertUnit(height, screenDpi, unit, row.Unit, screenDpi) == row.Height)
            return static_cast<TPaperType>(i);
    }
    return pCustom;
}

TPaperType PaperTypeByCode(int code) {
    for (int i = 0; i < kPaperTypeCount; ++i)
        if (kPapers[i].Code == static_cast<uint16_t>(code)) return static_cast<TPaperType>(i);
    return pCustom;
}

std::string AutoFormName(int widthHiMetric, int heightHiMetric) {
    return std::to_string(widthHiMetric / 100) + "mm x " + std::to_string(heightHiMetric / 100) + "mm";
}
