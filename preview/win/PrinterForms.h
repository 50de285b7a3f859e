#pragma once
// The paper forms of the selected printer, as the print spooler keeps them.
// The preview reaches them only through this interface, so a test can put
// a spooler of its own in place (Wine's AddForm and DeleteForm do nothing).

#include <string>
#include <vector>

// Whether the system has a printer at all.
bool PrinterInstalled();

struct TPrinterForm {
    std::string Name;  // Windows-1250
    int Width = 0;     // thousandths of a millimetre
    int Height = 0;
};

class TPrinterForms {
public:
    virtual ~TPrinterForms() = default;
    // Whether there is a printer whose forms these are.
    virtual bool Installed() { return PrinterInstalled(); }
    // Each answers false without a printer or when the spooler refuses.
    virtual bool Enum(std::vector<TPrinterForm>& forms) = 0;
    virtual bool Get(const std::string& name, TPrinterForm& form) = 0;
    // A user form with the whole sheet imageable.
    virtual bool Add(const TPrinterForm& form) = 0;
    virtual bool Delete(const std::string& name) = 0;
};

// The spooler's forms of Printer()'s selected printer, unless replaced.
TPrinterForms& PrinterForms();
// Puts forms in the spooler's place (the caller keeps it); nullptr restores the spooler.
void SetPrinterForms(TPrinterForms* forms);
