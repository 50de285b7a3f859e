#pragma once
// TBrowseURL: an action that opens its URL in the user's browser.

#include <string>

#include "classlib/win/ActnList.h"

class TBrowseURL : public cl::TAction {
    CL_CLASS(TBrowseURL, cl::TAction)
public:
    using TAction::TAction;
    const std::string& URL() const { return url_; }
    void SetURL(const std::string& value) { url_ = value; }
    // Raises when the system cannot open the URL.
    bool Execute() override;

private:
    std::string url_;
};
