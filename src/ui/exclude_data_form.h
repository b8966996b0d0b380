// The small dialog that edits the value of an exclusion entry.
#pragma once

#include <string>

#include "platform/handles.h"
#include "ui/form.h"

class TExcludeDataForm : public Form {
public:
    static constexpr int kWidth = 336, kHeight = 161;
    enum : int { kSectionId = 101, kTextId = 102 };

    // FormCreate: the controls, the sections filled, OK disabled.
    bool Create(HWND owner, const std::string& caption);

    // The section shown (-1 for none) and the text. The sections are the
    // catalog's items, every category's in catalog order.
    int Section() const;
    void SetSection(int index);
    // The item chosen by name ("" for none); a name the box lacks (an entry of
    // an item this catalog no longer has) is added at the end.
    std::string SectionName() const;
    void SetSectionName(const std::string& name);
    std::string Text() const;
    void SetTextValue(const std::string& text);
    bool OkEnabled() const;

    // Enables OK exactly when a section is shown and the text is not blank.
    void cbSectionChange();

    HWND cbSection = nullptr, edTextName = nullptr, mrOkBtn = nullptr, cancelBtn = nullptr;

    void ScaleChanged(int oldDpi, int newDpi) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    // The text of the box's item i (empty when there is none).
    std::wstring ItemText(int i) const;
    UniqueFont font_;
};
