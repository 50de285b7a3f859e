#pragma once
// The shared error list: the items the main window lists in its error list
// box when it gets WM_USER+5.  The engine owns the one list for the whole
// run; the main window empties it when it is created and destroyed, so an
// item never outlives the window that shows it.

#include <cstdint>
#include <string>
#include <vector>

// An item of the shared error list.
struct ErrorRec {
    std::string Text;  // Windows-1250, shown in the error list box
    uint8_t Kind;      // items are deleted by kind
};

// Kind of the errors a recalculation reports; cleared when the next one starts.
constexpr uint8_t kRecalcErrorKind = 1;

class TErrorList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError out of range.
    const ErrorRec& Items(int Index) const;
    void Add(ErrorRec Item) { items_.push_back(std::move(Item)); }
    // Removes the items of Kind (every item for 0) and says how many went.
    int Remove(uint8_t Kind);

private:
    std::vector<ErrorRec> items_;
};

extern TErrorList ErrorList;

// Removes the items of Kind (every item for 0); with Notify, asks for the
// error list box to be refilled when any went.
void ClearErrors(uint8_t Kind, bool Notify);
// Asks the main window to refill its error list box (WM_USER+5).
void NotifyErrors();
void AddError(uint8_t Kind, std::string Text);
