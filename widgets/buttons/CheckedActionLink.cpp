// CheckedActionLink.cpp - a glyph button's Checked following a linked
// action: changes made this way fire no click.
#include <widgets/buttons/GlyphButton.h>

TKitCheckedActionLink::TKitCheckedActionLink(TKitCustomGlyphButton* client)
    : TWinControlActionLink(client), FButton(client) {}

bool TKitCheckedActionLink::IsCheckedLinked() const {
    return TWinControlActionLink::IsCheckedLinked() &&
           FButton->Checked() == CustomAction()->Checked();
}

void TKitCheckedActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) FButton->SetCheckedSilently(value);
}

std::unique_ptr<TControlActionLink> TKitCustomGlyphButton::CreateActionLink() {
    return std::make_unique<TKitCheckedActionLink>(this);
}

void TKitCustomGlyphButton::SetCheckedSilently(bool value) {
    const bool suppressed = FClicksSuppressed;
    FClicksSuppressed = true;
    try {
        SetChecked(value);
    } catch (...) {
        FClicksSuppressed = suppressed;
        throw;
    }
    FClicksSuppressed = suppressed;
}

void TKitCustomGlyphButton::ActionChange(TObject* sender, bool checkDefaults) {
    TKitCustomButton::ActionChange(sender, checkDefaults);
    auto action = dynamic_cast<TCustomAction*>(sender);
    if (!action || (checkDefaults && Checked())) return;
    // Taking the action's value is a change through the action: no click.
    SetCheckedSilently(action->Checked());
}
