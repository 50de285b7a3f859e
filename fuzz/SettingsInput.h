#pragma once
// One input of the settings-value fuzzer: the bytes are the text of a
// window's section in a settings file.  A component with one property of
// each stored kind is loaded from it, and so is a window's placement.
// Whatever the bytes, nothing may crash; loading what was then stored
// must change nothing; a float's text never holds the locale's ","; and a
// placement is applied only with a width and a height, only the main form
// is minimised, and a dialog keeps its size.

#include <cstdint>
#include <map>
#include <string>

#include "classlib/Component.h"
#include "classlib/Currency.h"
#include "classlib/FileStream.h"
#include "classlib/FileUtils.h"
#include "classlib/IniFiles.h"
#include "classlib/StringList.h"
#include "classlib/Variant.h"
#include "persistence/AppUtils.h"
#include "persistence/FsProps.h"

namespace fuzzinput {

enum TProbeKind { pkFirst, pkSecond, pkThird };

// One published property of each kind a settings value can hold.
class TSettingsProbe : public cl::TComponent {
    CL_CLASS(TSettingsProbe, cl::TComponent)
    using cl::TComponent::TComponent;

    int32_t Number = 7;
    int64_t Big = -5;
    char Letter = 'A';
    bool Flag = true;
    TProbeKind Kind = pkSecond;
    uint8_t Styles = 5;
    float Ratio = 0.5f;
    double Amount = 2.5;
    long double Precise = 1.25L;
    cl::Currency Money = cl::Currency::FromInt(3);
    std::string Text = "tekst";
    cl::Variant Data = cl::Variant(std::string("dane"));
    cl::TComponent* Partner = nullptr;

    static std::vector<std::string> Entries() {
        return {"Probe.Number", "Probe.Big",   "Probe.Letter", "Probe.Flag",    "Probe.Kind",
                "Probe.Styles", "Probe.Ratio", "Probe.Amount", "Probe.Precise", "Probe.Money",
                "Probe.Text",   "Probe.Data",  "Probe.Partner"};
    }
};

inline CL_CLASS_INFO(TSettingsProbe, Prop("Number", &TSettingsProbe::Number, &TSettingsProbe::Number),
                     Prop("Big", &TSettingsProbe::Big, &TSettingsProbe::Big),
                     Prop("Letter", &TSettingsProbe::Letter, &TSettingsProbe::Letter),
                     Prop("Flag", &TSettingsProbe::Flag, &TSettingsProbe::Flag),
                     EnumProp("Kind", {"pkFirst", "pkSecond", "pkThird"}, &TSettingsProbe::Kind,
                              &TSettingsProbe::Kind),
                     SetOfProp("Styles", {"psBold", "psItalic", "psUnderline"}, &TSettingsProbe::Styles,
                               &TSettingsProbe::Styles),
                     Prop("Ratio", &TSettingsProbe::Ratio, &TSettingsProbe::Ratio),
                     Prop("Amount", &TSettingsProbe::Amount, &TSettingsProbe::Amount),
                     Prop("Precise", &TSettingsProbe::Precise, &TSettingsProbe::Precise),
                     Prop("Money", &TSettingsProbe::Money, &TSettingsProbe::Money),
                     Prop("Text", &TSettingsProbe::Text, &TSettingsProbe::Text),
                     Prop("Data", &TSettingsProbe::Data, &TSettingsProbe::Data),
                     Prop("Partner", &TSettingsProbe::Partner, &TSettingsProbe::Partner))

    // A form with the probe and one other component to refer to, and the
    // probe's entries resolved against it.
    struct TProbeForm {
    cl::TComponent form{nullptr};
    TSettingsProbe* probe = new TSettingsProbe(&form);
    cl::TStringList entries;

    TProbeForm() {
        form.SetName("Form");
        probe->SetName("Probe");
        (new cl::TComponent(&form))->SetName("Other");
        for (const std::string& e : TSettingsProbe::Entries()) entries.Add(e);
        UpdateStoredList(&form, entries, true);
    }
};

using TSection = std::map<std::string, std::string>;

inline TSection StoreProbe(TProbeForm& f) {
    TSection stored;
    TPropsStorage storage;
    storage.Root = &f.form;
    storage.Section = "S";
    storage.OnWriteString = [&](const std::string&, const std::string& item, const std::string& value) {
        stored[item] = value;
    };
    storage.StoreProperties(f.entries);
    return stored;
}

inline void LoadProbe(TProbeForm& f, const TReadStrEvent& read) {
    TPropsStorage storage;
    storage.Root = &f.form;
    storage.Section = "TSettingsProbe";
    storage.OnReadString = read;
    storage.LoadProperties(f.entries);
}

// False when an invariant above does not hold.  fileName is a scratch file.
inline bool ExerciseSettings(const uint8_t* data, size_t size, const std::string& fileName) {
    {
        // A new file, not the old one cut to nothing: the file system
        // writes a truncated file's old blocks out first.
        cl::RemoveFile(fileName);
        cl::TFileStream file(fileName, cl::fmCreate);
        const std::string header = "[TSettingsProbe]\r\n";
        file.WriteBuffer(header.data(), static_cast<int32_t>(header.size()));
        if (size) file.WriteBuffer(data, static_cast<int32_t>(size));
    }
    const cl::TIniFile ini(fileName);

    TProbeForm f;
    LoadProbe(f, [&](const std::string& section, const std::string& item, const std::string& def) {
        return IniReadString(ini, section, item, def);
    });
    const TSection first = StoreProbe(f);
    for (const char* key : {"Probe_Ratio", "Probe_Amount", "Probe_Precise", "Probe_Money"}) {
        const auto at = first.find(key);
        if (at != first.end() && at->second.find(',') != std::string::npos) return false;
    }
    LoadProbe(f, [&](const std::string&, const std::string& item, const std::string& def) {
        const auto at = first.find(item);
        return at == first.end() ? def : at->second;
    });
    if (StoreProbe(f) != first) return false;

    const TScreenInfo screen{1280, 1024, 96};
    const TWindowPlace current{0, 0, {-1, -1}, {-1, -1}, {100, 100, 500, 400}};
    const TStoredPlacement stored =
        ReadPlacementKeys(ini, "TSettingsProbe", current, current.normalPosition, screen);
    for (const bool sizeable : {true, false}) {
        for (const bool main : {true, false}) {
            TPlacementForm form;
            form.sizeable = sizeable;
            form.mainForm = main;
            form.bounds = current.normalPosition;
            const TRestorePlan plan = PlanRestore(stored, form, true, true);
            const TPlaceRect& r = plan.place.normalPosition;
            if (plan.setPlacement && (r.right <= r.left || r.bottom <= r.top)) return false;
            const int64_t width = int64_t{r.right} - r.left, height = int64_t{r.bottom} - r.top;
            if (plan.setPlacement && !sizeable && (width != 400 || height != 300)) return false;
            if (plan.minimizeApplication && !main) return false;
            if (plan.state == psMinimized) return false;
        }
    }
    return true;
}

}  // namespace fuzzinput
