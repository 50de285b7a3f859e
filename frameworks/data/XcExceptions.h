#pragma once
// The error classes of the enhanced controls and the data frameworks.  Header
// only, so the controls can raise them without linking the frameworks.

#include "classlib/Exceptions.h"

class EXCLException : public cl::Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EXCLException"; }
};

#define XC_DECLARE_EXCEPTION(Name, Base)                         \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    };

XC_DECLARE_EXCEPTION(EXCLDataProvider, EXCLException)
XC_DECLARE_EXCEPTION(EXCLDataConsumer, EXCLDataProvider)
XC_DECLARE_EXCEPTION(EXCLDataItems, EXCLDataProvider)
XC_DECLARE_EXCEPTION(EXCLDataContexts, EXCLDataProvider)

#undef XC_DECLARE_EXCEPTION
