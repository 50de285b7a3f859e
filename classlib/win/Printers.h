#pragma once
// The printer: the installed printers, the selected one with its device
// mode, and the print job drawn through a canvas on the printer's device
// context.  Errors raise EPrinter.

#include <windows.h>

// Always in effect: its GetPrinter/SetPrinter macros rename the members below.
#include <winspool.h>

#include <memory>
#include <string>

#include "classlib/Component.h"
#include "classlib/StringList.h"
#include "classlib/win/Graphics.h"

namespace cl {

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public TObject {
    CL_CLASS(TPrinter, TObject)
public:
    TPrinter();
    // Aborts a job still running.
    ~TPrinter() override;

    // Names of the local and connected printers (Windows-1250), read once;
    // Refresh reads them again.
    const TStrings& Printers();
    // The selected printer: the default printer until another is chosen.
    // -1 selects the default printer; an index outside the list raises.
    int PrinterIndex();
    void SetPrinterIndex(int index);
    void Refresh();

    // The selected printer's names and its device mode (a movable global
    // memory block holding a DEVMODEW).  The block stays the printer's:
    // lock it, change fields, unlock it and hand it back with SetPrinter.
    void GetPrinter(std::string& device, std::string& driver, std::string& port, HGLOBAL& deviceMode);
    // Selects device (added to Printers when it is not listed) and takes
    // ownership of deviceMode unless it is the block it already has;
    // nullptr loads the printer's defaults.  The next Handle uses it.
    void SetPrinter(const std::string& device, const std::string& driver, const std::string& port,
                    HGLOBAL deviceMode);

    // An information context on the selected printer while not printing,
    // the job's device context while printing.
    HDC Handle();
    // Draws on Handle; its font's pixels per inch are the printer's.
    TCanvas* Canvas();

    // The job's name in the spooler.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // Where BeginDoc sends the job: empty for the printer's port, else the
    // named file.
    const std::string& OutputFile() const { return outputFile_; }
    void SetOutputFile(const std::string& fileName) { outputFile_ = fileName; }

    // Starts a job and its first page; PageNumber becomes 1.
    void BeginDoc();
    // Ends the page and starts the next one.
    void NewPage();
    // Ends the last page and the job.
    void EndDoc();
    // Drops the job: nothing reaches the printer.  Aborted stays set until
    // the next BeginDoc.
    void Abort();
    bool Printing() const { return printing_; }
    bool Aborted() const { return aborted_; }
    int PageNumber() const { return pageNumber_; }

    // The printable area in device pixels (HORZRES, VERTRES).
    int PageWidth();
    int PageHeight();
    // Through the device mode; not while printing.
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation orientation);
    int Copies();
    void SetCopies(int copies);

private:
    enum class HandleState { None, Info, Job };
    struct DevModeLock;

    void CheckPrinting(bool printing) const;
    void LoadPrinters();
    void Select(int index);
    void SelectDefault();
    void FreeDeviceMode() noexcept;
    void ReleaseHandle() noexcept;
    void EndJob() noexcept;

    std::unique_ptr<TStringList> printers_;
    int index_ = -1;  // -1 until a printer is selected
    std::string device_;
    std::string driver_;
    std::string port_;
    HGLOBAL deviceMode_ = nullptr;
    HDC dc_ = nullptr;
    HandleState state_ = HandleState::None;
    std::unique_ptr<TCanvas> canvas_;
    std::string title_;
    std::string outputFile_;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

// The program's printer, made on first use.
TPrinter* Printer();

}  // namespace cl
