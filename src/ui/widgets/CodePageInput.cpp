#include "CodePageInput.h"

#include "storage/Text.h"

#include <QLineEdit>
#include <QValidator>

namespace {
class CodePageValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override { return Text::isWindows1252(input) ? Acceptable : Invalid; }
};
} // namespace

void CodePageInput::refuseOthers(QLineEdit* field)
{
    field->setValidator(new CodePageValidator(field));
}
