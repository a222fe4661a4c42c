#pragma once
// Text the Windows-1252 files could not hold is refused as it is typed or pasted, never changed
// silently.
#include <QValidator>

namespace platform {

class TAnsiTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace platform
