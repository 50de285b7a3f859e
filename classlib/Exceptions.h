#pragma once
// The class library's exception hierarchy.  Messages are Windows-1250 text.

#include <exception>
#include <string>

namespace cl {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }
    // The system's class name, as shown in error reports.
    virtual const char* ClassName() const { return "Exception"; }

private:
    std::string message_;
};

#define CL_DECLARE_EXCEPTION(Name, Base)                         \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    };

// The silent abort: the application's handler shows nothing for it.
CL_DECLARE_EXCEPTION(EAbort, Exception)
CL_DECLARE_EXCEPTION(EConvertError, Exception)
CL_DECLARE_EXCEPTION(EOutOfMemory, Exception)
CL_DECLARE_EXCEPTION(EOverflow, Exception)
CL_DECLARE_EXCEPTION(EZeroDivide, Exception)
CL_DECLARE_EXCEPTION(EVariantError, Exception)
CL_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError)
CL_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError)
CL_DECLARE_EXCEPTION(EVariantInvalidOpError, EVariantError)
CL_DECLARE_EXCEPTION(EStreamError, Exception)
CL_DECLARE_EXCEPTION(EFCreateError, EStreamError)
CL_DECLARE_EXCEPTION(EFOpenError, EStreamError)
CL_DECLARE_EXCEPTION(EReadError, EStreamError)
CL_DECLARE_EXCEPTION(EWriteError, EStreamError)
CL_DECLARE_EXCEPTION(EIniFileException, Exception)
CL_DECLARE_EXCEPTION(EListError, Exception)
CL_DECLARE_EXCEPTION(EStringListError, Exception)
CL_DECLARE_EXCEPTION(EComponentError, Exception)
CL_DECLARE_EXCEPTION(EPropertyError, Exception)
CL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
CL_DECLARE_EXCEPTION(EInvalidGraphic, Exception)
CL_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception)
CL_DECLARE_EXCEPTION(EPrinter, Exception)
CL_DECLARE_EXCEPTION(EOSError, Exception)
// An object lacks an interface it was asked for.
CL_DECLARE_EXCEPTION(EIntfCastError, Exception)

#undef CL_DECLARE_EXCEPTION

// Raises the silent abort.
[[noreturn]] void Abort();

}  // namespace cl
