// The class-library dynamic controls: date and time pickers, edits, memos
// and the edits with a button.
#include <cmath>
#include <memory>

#include "classlib/FileUtils.h"
#include "classlib/win/Dialogs.h"
#include "classlib/win/FileCtrl.h"
#include "frameworks/win/XcDynControlCL.h"

// ---- Dates and times ----------------------------------------------------------------------

CL_CLASS_INFO(TXcDynControlCLDateEdit)

TXcDynControlCLDateEdit::TXcDynControlCLDateEdit(cl::TComponent* owner) : TDateTimePicker(owner) {
    SetKind(cl::dtkDate);
}

CL_CLASS_INFO(TXcDynControlCLTimeEdit)

TXcDynControlCLTimeEdit::TXcDynControlCLTimeEdit(cl::TComponent* owner) : TDateTimePicker(owner) {
    SetKind(cl::dtkTime);
}

CL_CLASS_INFO(TXcDynControlCLDateTimeEdit)

TXcDynControlCLDateTimeEdit::TXcDynControlCLDateTimeEdit(cl::TComponent* owner)
    : TPanel(owner), date_(new cl::TDateTimePicker(this)), time_(new cl::TDateTimePicker(this)) {
    // The panel only holds the pickers: no caption, no bevel.
    controlStyle_ &= ~cl::csSetCaption;
    SetBevelOuter(cl::bvNone);
    date_->SetKind(cl::dtkDate);
    date_->SetParent(this);
    time_->SetKind(cl::dtkTime);
    time_->SetParent(this);
    SetBounds(0, 0, 2 * date_->Width(), date_->Height());
}

void TXcDynControlCLDateTimeEdit::Resize() {
    TPanel::Resize();
    const int half = static_cast<int>(std::lround(Width() / 2.0));
    date_->SetBounds(0, 0, half, static_cast<int>(std::lround(Height() / 2.0)));
    time_->SetBounds(half, 0, Width() - half, Height());
}

void TXcDynControlCLDateTimeEdit::ControlSetOnChange(cl::TNotifyEvent value) {
    date_->OnChange = value;
    time_->OnChange = std::move(value);
}

void TXcDynControlCLDateTimeEdit::ControlSetValue(const cl::Variant& value) {
    const cl::TDateTime v = value.ToDate();
    date_->SetDate(v);
    time_->SetTime(v);
}

cl::Variant TXcDynControlCLDateTimeEdit::ControlGetValue() {
    return cl::Variant::FromDate(cl::ComposeDateTime(date_->Date(), time_->Time()));
}

// ---- Edits --------------------------------------------------------------------------------

CL_CLASS_INFO(TXcDynControlCLMaskEdit)
CL_CLASS_INFO(TXcDynControlCLMemo)
CL_CLASS_INFO(TXcDynControlCLRichEdit)

CL_CLASS_INFO(TXcDynControlCLEditPanel)

TXcDynControlCLEditPanel::TXcDynControlCLEditPanel(cl::TComponent* owner)
    : TPanel(owner), edit_(new cl::TMaskEdit(this)), button_(new cl::TBitBtn(this)) {
    // The panel only holds the edit and the button: no caption, no bevel.
    controlStyle_ &= ~cl::csSetCaption;
    SetBevelOuter(cl::bvNone);
    // The edit's own height, before aligning gives it the panel's.
    SetBounds(0, 0, 145, edit_->Height());
    edit_->SetAlign(cl::alClient);
    edit_->SetParent(this);
    button_->SetCaption("...");
    button_->SetAlign(cl::alRight);
    button_->SetParent(this);
}

void TXcDynControlCLEditPanel::Resize() {
    TPanel::Resize();
    button_->SetWidth(Height());
}

void TXcDynControlCLEditPanel::FocusEdit() {
    // A form not shown cannot take the focus (it would raise).
    if (edit_->CanFocus() && edit_->Showing()) edit_->SetFocus();
}

CL_CLASS_INFO(TXcDynControlCLButtonEdit)

CL_CLASS_INFO(TXcDynControlCLFileNameEdit)

TXcDynControlCLFileNameEdit::TXcDynControlCLFileNameEdit(cl::TComponent* owner)
    : TXcDynControlCLEditPanel(owner) {
    Button()->OnClick = [this](cl::TObject*) { ButtonClick(); };
}

void TXcDynControlCLFileNameEdit::ButtonClick() {
    const bool save = kind_ == fdkSave || kind_ == fdkSavePicture;
    const bool picture = kind_ == fdkOpenPicture || kind_ == fdkSavePicture;
    struct FreeDeleter {
        void operator()(cl::TObject* obj) const { cl::Free(obj); }
    };
    std::unique_ptr<cl::TOpenDialog, FreeDeleter> dialog(save ? new cl::TSaveDialog(nullptr)
                                                              : new cl::TOpenDialog(nullptr));
    dialog->SetOptions(options_);
    dialog->SetDefaultExt(defaultExt_);
    dialog->SetFilter(filter_.empty() && picture ? cl::TPicture::GraphicFilter() : filter_);
    dialog->SetFilterIndex(filterIndex_);
    dialog->SetInitialDir(initialDir_);
    dialog->SetTitle(title_);
    dialog->SetFileName(Edit()->Text());
    if (dialog->Execute()) Edit()->SetText(dialog->FileName());
    FocusEdit();
}

CL_CLASS_INFO(TXcDynControlCLDirectoryEdit)

TXcDynControlCLDirectoryEdit::TXcDynControlCLDirectoryEdit(cl::TComponent* owner)
    : TXcDynControlCLEditPanel(owner) {
    Button()->OnClick = [this](cl::TObject*) { ButtonClick(); };
}

void TXcDynControlCLDirectoryEdit::ButtonClick() {
    std::string folder = Edit()->Text();
    if (folder.empty()) folder = initialDir_;
    // No value and no initial folder, or a folder that is gone: the root.
    if (folder.empty() || !cl::DirectoryExists(folder)) folder.assign(1, '\\');
    if (cl::SelectDirectory(folder, options_, 0, title_)) Edit()->SetText(folder);
    FocusEdit();
}
