#include "engine/EngineHost.h"

std::string CurrentFormName;
void* MainWindowHandle = nullptr;

namespace {

class DefaultHost final : public EngineHost {
public:
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    bool IsCurrentFormSelected() override { return false; }
    void NotifyErrorList() override {}
};

DefaultHost defaultHost;
EngineHost* host = &defaultHost;

}  // namespace

EngineHost& GetEngineHost() {
    return *host;
}

void SetEngineHost(EngineHost* Host) {
    host = Host ? Host : &defaultHost;
}
