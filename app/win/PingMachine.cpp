#include "app/win/PingMachine.h"

#include <winsock2.h>

CL_CLASS_INFO(TPingMachine)

TPingMachine::TPingMachine(cl::TComponent* owner) : TComponent(owner) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(1, 1), &data) == 0;
}

TPingMachine::~TPingMachine() {
    if (started_) WSACleanup();
}
